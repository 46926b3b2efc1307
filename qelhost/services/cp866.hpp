// The host's OEM code page 866 (DOS Cyrillic) and UTF-8.
#pragma once

#include <string>

// Each byte of Oem as its Unicode character.
std::u32string OemToUnicode(const std::string& Oem);

// Unicode characters without a place in code page 866 become '?'.
std::string UnicodeToOem(const std::u32string& Text);

// The characters of Text that code page 866 lacks, each once, in order.
std::u32string MissingFromOem(const std::u32string& Text);

// Why the UTF-8 text Utf8 cannot be handed to the plugin, or "" when it can:
// its first byte that starts no UTF-8 character, by value ("the byte 0xFF is
// not UTF-8"), else the characters code page 866 lacks.
std::string WhyNotOem(const std::string& Utf8);

std::string ToUtf8(const std::u32string& Text);
std::u32string FromUtf8(const std::string& Text);

// The length of the UTF-8 sequence at Text[I], or 0 when none starts there.
size_t Utf8SequenceLength(const std::string& Text, size_t I);
