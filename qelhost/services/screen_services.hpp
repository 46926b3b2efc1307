// The services that draw on the host's screen or read its code pages:
// ShowHelp, SaveScreen and RestoreScreen, Text, CharTable; and CmpName.
// qelhost draws no screen: each tells the transcript what it was asked.
#pragma once

#include "host/native_interface.hpp"

extern const FARAPISHOWHELP ServeShowHelp;
extern const FARAPISAVESCREEN ServeSaveScreen;
extern const FARAPIRESTORESCREEN ServeRestoreScreen;
extern const FARAPITEXT ServeText;
extern const FARAPICHARTABLE ServeCharTable;
extern const FARAPICMPNAME ServeCmpName;
