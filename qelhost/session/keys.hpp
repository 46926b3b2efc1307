// Key names of session scripts, their Windows virtual-key codes, and what
// the host's file panel does with the keys a plugin leaves to it.
#pragma once

#include "host/native_keys.hpp"

#include <string>

// Windows' virtual-key code of Break, which the console hands over as
// Ctrl+Break.
constexpr int VK_CANCEL = 0x03;

// The virtual-key code of a key name ("F7", "Enter", "A"), or -1.
int VirtualKeyCode(const std::string& Name);

// Every key name, for help and mistakes: "F1 to F12, Enter, Esc, …".
std::string KeyNames();

// The modifier bit of "shift", "ctrl" or "alt", or 0.
unsigned ModifierBit(const std::string& Name);

// "Ctrl+Shift+F7", the way the host names keys.
std::string KeyTitle(const std::string& Name, unsigned ControlState);

// What the host's file panel does with the key, or an empty string.
std::string HostKeyAction(int Key, unsigned ControlState);

// The console key event of a virtual key with its modifier bits (PKF_*), as
// Windows gives it: the character it types (none for a key that types none),
// and the control-key state.
INPUT_RECORD KeyEventOf(int VirtualKey, unsigned ControlState);

// The key event of typing Character (a byte of code page 866) on a US
// keyboard: its key and Shift where it needs them; a character the keyboard
// has no key for comes with virtual key 0.
INPUT_RECORD CharacterEventOf(char Character);
