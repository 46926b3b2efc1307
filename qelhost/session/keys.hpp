// Key names of session scripts, their Windows virtual-key codes, and what
// the host's file panel does with the keys a plugin leaves to it.
#pragma once

#include "host/host_interface.hpp"

#include <string>

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
