// The host's standard functions that work on a text alone (trimming,
// cutting, quoting, paths, numbers), as plain functions on strings; the
// standard-function record (standard_functions.cpp) carries the plugin's
// buffers to and from them. Where the host's result has a form of its own,
// the form is described here and in docs/qelhost.md.
#pragma once

#include <stdint.h>

#include <string>
#include <string_view>

// Blanks are spaces, tabs and line ends.
std::string WithoutLeadingBlanks(std::string_view Text);
std::string WithoutTrailingBlanks(std::string_view Text);

// Text of at most MaxLength characters: a longer one keeps its end, its
// first three characters shown as "..." ("...ong name" for 11); with
// MaxLength 3 or less, that many dots. A negative MaxLength counts as 0.
std::string TruncatedText(std::string_view Text, int MaxLength);
// The same for a path, keeping its root ("C:\", "\\server\share\") before
// the dots when there is room for it and one more character.
std::string TruncatedPath(std::string_view Path, int MaxLength);

// Text in double quotes when it holds a space (a quote it has at either end
// is kept, not doubled).
std::string QuotedIfSpaced(std::string_view Text);
// Text without any double quote.
std::string WithoutQuotes(std::string_view Text);

// Path ending in a backslash ('/' when it holds more slashes than
// backslashes); an empty path becomes "\".
std::string WithEndSlash(std::string_view Path);

// Where the name after the last '\', '/' or ':' starts.
size_t NameOffset(std::string_view Path);

// "C:\" of "C:\dir\file", "\\server\share\" of "\\server\share\dir";
// CurrentRoot for a path without a drive or server.
std::string PathRoot(std::string_view Path, std::string_view CurrentRoot);

// The number at the start of Text, after blanks, with an optional sign;
// digits beyond the type's range wrap around, as in the host's run-time.
int64_t LeadingNumber(std::string_view Text);

// Value in Radix (2 to 36), small letters for digits past 9; negative only
// in radix 10, as the host's itoa; an empty text for another radix.
std::string NumberText(int64_t Value, int Radix, bool SixtyFourBits);
