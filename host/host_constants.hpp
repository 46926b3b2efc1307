// The host interface's constants, the same values for both hosts.
#pragma once

#include "host/host_types.hpp"

// PluginInfo.Flags
constexpr DWORD PF_PRELOAD = 0x0001;
constexpr DWORD PF_DISABLEPANELS = 0x0002;
constexpr DWORD PF_EDITOR = 0x0004;
constexpr DWORD PF_VIEWER = 0x0008;
constexpr DWORD PF_FULLCMDLINE = 0x0010;

// OpenPluginInfo.Flags and StartSortMode
constexpr DWORD OPIF_USESORTGROUPS = 0x0002;
constexpr DWORD OPIF_USEHIGHLIGHTING = 0x0004;
constexpr DWORD OPIF_ADDDOTS = 0x0008;
constexpr int SM_UNSORTED = 1;

// Origins passed to OpenPlugin
constexpr int OPEN_DISKMENU = 0;
constexpr int OPEN_PLUGINSMENU = 1;
constexpr int OPEN_COMMANDLINE = 4;
constexpr int OPEN_EDITOR = 5;
constexpr int OPEN_VIEWER = 6;

// Find records
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;

// Message box flags
constexpr DWORD FMSG_LEFTALIGN = 0x10;

// Dialog item types and flags
constexpr int DI_TEXT = 0;
constexpr int DI_VTEXT = 1;
constexpr int DI_SINGLEBOX = 2;
constexpr int DI_DOUBLEBOX = 3;
constexpr int DI_EDIT = 4;
constexpr int DI_PSWEDIT = 5;
constexpr int DI_FIXEDIT = 6;
constexpr int DI_BUTTON = 7;
constexpr int DI_CHECKBOX = 8;
constexpr int DI_RADIOBUTTON = 9;
constexpr DWORD DIF_CENTERGROUP = 0x4000;
constexpr DWORD DIF_HISTORY = 0x40000;

// ProcessKey's ControlState bits, and the bit the host sets in Key when it
// offers a key before acting on it (the pre-pass), then offers it again.
constexpr unsigned PKF_CONTROL = 0x1;
constexpr unsigned PKF_ALT = 0x2;
constexpr unsigned PKF_SHIFT = 0x4;
constexpr int PKF_PREPROCESS = 0x80000;

// Windows virtual-key codes, which ProcessKey receives on both hosts.
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F1 = 0x70; // F2 to F12 follow in order
constexpr int VK_F7 = 0x76;
constexpr int VK_F12 = 0x7B;
