#include "plugin/module_state.hpp"

const char MenuTitle[10] = "QelPlugin";
const char CommandPrefixText[4] = "Qel";
const char* MenuStrings[1];

char HostFileBuffer[PathBufferSize];
char CurDirBuffer[PathBufferSize];
char PanelTitleBuffer[PathBufferSize];
bool PanelIsOpen;
