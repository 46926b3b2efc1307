// Letters of the host's code page 866 (DOS Cyrillic): which bytes are
// letters, and their other case. Plugins ask the host this through the
// standard functions (LIsAlpha, LUpper, LStricmp, …), and masks compare
// names without case by it.
#pragma once

bool IsOemLower(unsigned char Byte);
bool IsOemUpper(unsigned char Byte);
bool IsOemAlpha(unsigned char Byte);
bool IsOemAlphanumeric(unsigned char Byte);

// The byte in the other case, or Byte itself when it is no letter of that case.
unsigned char OemUpper(unsigned char Byte);
unsigned char OemLower(unsigned char Byte);

// Compares as the host's LStricmp does: byte by byte after OemUpper,
// at most Limit bytes (negative: the whole texts); <0, 0 or >0.
int CompareOemWithoutCase(const char* First, const char* Second, int Limit = -1);
