// How qelhost writes things out: lists joined, flag names, handles, and
// text made safe for the terminal.
#pragma once

#include "host/host_interface.hpp"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// Line without the blanks (spaces, tabs, line ends) before and after it.
std::string Trimmed(const std::string& Line);

// The parts one after another with Separator between them.
std::string Joined(const std::vector<std::string>& Parts, const std::string& Separator);
std::u32string Joined(const std::vector<std::u32string>& Parts, const std::u32string& Separator);

// "PF_EDITOR | PF_VIEWER"; bits without a name as one hex number after them;
// "none" for no bits.
using FlagName = std::pair<DWORD, const char*>;
std::string FlagNames(DWORD Flags, std::initializer_list<FlagName> Names);

// A panel handle as the plugin chose it: a small number, an address, or
// INVALID_HANDLE_VALUE.
std::string HandleText(HANDLE Value);

// Text for the terminal: control characters (C0, DEL, C1) and bytes that
// are not UTF-8 written as \xNN, so that nothing read or typed can move the
// cursor, clear the screen or start an escape sequence.
std::string Escaped(const std::string& Utf8);
std::u32string Escaped(const std::u32string& Text);
// Text escaped, as UTF-8 for the transcript; Quoted also in double quotes.
std::string Printable(const std::u32string& Text);
std::string Quoted(const std::u32string& Text);

// Text at most Width characters wide; a longer one ends in "…" where it is cut.
std::u32string CutToWidth(const std::u32string& Text, int Width);
