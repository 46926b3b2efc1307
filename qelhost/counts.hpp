// The one reading of a count or number typed by the user (a menu item, a
// button, a history entry, --heap-fail-after): digits only, at most
// MaxCount, so that no conversion overflows.
#pragma once

#include <string>

constexpr long MaxCount = 999999999;

enum class CountRead { Whole, NotANumber, TooLarge };

// Whole: Value holds the number (0 to MaxCount). TooLarge: digits only, but
// past MaxCount.
CountRead ReadCount(const std::string& Text, long& Value);

// Why Text is no number from 1, for a message about What ("the item"):
// "the item is a number from 1, not \"x\"", or, for digits past MaxCount,
// "the item 12345678901 is past 999999999, the largest number qelhost
// takes"; "" when it is one.
std::string CountMistake(const std::string& What, const std::string& Text);
