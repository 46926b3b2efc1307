// The blocks the plugin holds from its heap, so that free and realloc can
// tell a block of its own from any other pointer. Its storage comes from
// calloc: running out makes an allocation fail, never throws.
#pragma once

// Makes room for one more block; false when memory is out.
bool ReserveBlock();
// Adds Block; false when memory is out.
bool RememberBlock(void* Block);
bool IsPluginBlock(void* Block);
// Removes Block; false when it was no block of the plugin.
bool ForgetBlock(void* Block);
