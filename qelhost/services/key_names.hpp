// The host's key codes and names, as the standard functions FarKeyToName,
// FarNameToKey and FarInputRecordToKey give them, and as break keys of a
// menu are named in a session script. A key is a base code plus modifier
// bits; its name is the modifiers (Ctrl or RCtrl, Alt or RAlt, Shift)
// before the base key's name: "CtrlAltShiftF1", "CtrlA", "Enter". A base
// key whose host name qelhost does not know is named after its constant
// without "KEY_" ("NUMPAD0"); a character is itself.
#pragma once

#include "host/native_keys.hpp"

#include <string>
#include <string_view>

// The name of Key, or "" when its base is no key.
std::string KeyName(int Key);

// The key called Name (without case), or -1.
int KeyFromName(std::string_view Name);

// The key a console input record stands for, as FSF.FarInputRecordToKey
// gives it; KEY_NONE for what is no key press (a release, a mouse event) or
// no key the host knows. The editor and viewer read their keys so too.
int KeyOfInputRecord(const INPUT_RECORD& Record);
