// The host's message box: drawn, answered, and the pressed button returned.
#pragma once

#include <stdint.h>

// Items: the title, the text lines, then ButtonsNumber buttons. Returns the
// 0-based number of the button pressed, or -1 for Esc.
int ShowHostMessage(uint32_t Flags, const char* const* Items, int ItemsNumber, int ButtonsNumber);
