// File masks as the host matches them (CmpName, ProcessName): '*' any run
// of characters, '?' any one, [a-z0-9_] one of a set; letters compared
// without case in code page 866. As in the host, a mask ending in ".*"
// also takes a name without a dot ("*.*" takes "README"), and one ending
// in "." takes only a name without a dot ("*." takes "README" alone).
#pragma once

#include <string>
#include <string_view>

bool MatchesMask(std::string_view Mask, std::string_view Name);

// A list of masks, separated by commas or semicolons, a mask in double
// quotes when it holds either; blanks around each are dropped.
bool MatchesMaskList(std::string_view Masks, std::string_view Name);

// The name Mask makes of Name, as a copy with a mask as target does: name
// and extension each built from the mask's own ('*' takes the rest of the
// source's part, '?' its character at that place, anything else stands for
// itself); a mask without a dot builds the whole name. "*.bak" makes
// "file.bak" of "file.txt"; "x?*" makes "xbc.txt" of "abc.txt".
std::string GeneratedName(std::string_view Mask, std::string_view Name);

// The name after the last '\\', '/' or ':' of Path.
std::string_view NamePart(std::string_view Path);
