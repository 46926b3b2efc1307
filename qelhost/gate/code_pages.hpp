// The code pages of the plugin's Windows: ANSI 1251 (Cyrillic) and OEM 866
// (DOS Cyrillic), and UTF-8, as MultiByteToWideChar, WideCharToMultiByte,
// CharToOemA and the Char*A functions use them. Texts are UTF-16, as
// Windows' wide strings.
#pragma once

#include <stdint.h>

#include <string>

constexpr uint32_t CpAcp = 0;
constexpr uint32_t CpOemcp = 1;
constexpr uint32_t CpThreadAcp = 3;
constexpr uint32_t CpUtf8 = 65001;
constexpr uint32_t AnsiCodePage = 1251;
constexpr uint32_t OemCodePage = 866;
// MultiByteToWideChar's flag: invalid input fails rather than becoming U+FFFD.
constexpr uint32_t MbErrInvalidChars = 8;

// CodePage with CP_ACP, CP_THREAD_ACP and CP_OEMCP resolved to 1251 or 866;
// 0 for a code page qelhost does not have.
uint32_t KnownCodePage(uint32_t CodePage);

// Byte's character in 866 or 1251 (1251's one unassigned byte, 0x98, is
// U+0098, as Windows maps it).
char16_t CharOfByte(uint32_t CodePage, unsigned char Byte);
// The byte of Char in 866 or 1251, or -1 when that page has none.
int ByteOfChar(uint32_t CodePage, char32_t Char);

// Bytes in CodePage (866, 1251 or UTF-8) as UTF-16. Invalid UTF-8 gives
// U+FFFD, and sets Invalid.
std::u16string ToWide(uint32_t CodePage, const std::string& Bytes, bool& Invalid);
// UTF-16 as bytes in CodePage: a character the page lacks becomes Default
// and sets UsedDefault; a lone surrogate becomes U+FFFD in UTF-8.
std::string FromWide(uint32_t CodePage, const std::u16string& Text, char Default,
                     bool& UsedDefault);

// A byte of 1251 in the other case ('a' for 'A', 0xE0 for 0xC0), or Byte
// itself when it has none; and what kind of character it is.
unsigned char UpperAnsi(unsigned char Byte);
unsigned char LowerAnsi(unsigned char Byte);
bool IsAnsiAlpha(unsigned char Byte);
bool IsAnsiUpper(unsigned char Byte);
bool IsAnsiLower(unsigned char Byte);

// The same for UTF-16 characters (Latin, Latin-1 and Cyrillic letters).
char16_t UpperWide(char16_t Char);
char16_t LowerWide(char16_t Char);
