// The plugin's texts and buffers as the stand-ins read and write them: byte
// by byte in functions the sanitized build leaves unchecked (their names
// start with PluginMemory, see the sanitizer's options), so that a bad
// pointer of the plugin's faults here and is blamed on the plugin by the
// function the stand-in names (UsingPluginArguments).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

// The text at Text up to its zero (at most Limit bytes); "" for null.
std::string PluginMemoryText(const char* Text, size_t Limit = static_cast<size_t>(-1));
std::u16string PluginMemoryWideText(const char16_t* Text, size_t Limit = static_cast<size_t>(-1));

// Size bytes of the plugin's From, zeros included; one word of it.
std::string PluginMemoryBytes(const void* From, size_t Size);
uint32_t PluginMemoryWord(const uint32_t* From);

// Size bytes of From to the plugin's To.
void PluginMemoryWrite(void* To, const void* From, size_t Size);

// Text and its zero into the plugin's buffer of Size characters, cut to fit
// (Size 0 writes nothing). Returns the characters written without the zero.
size_t PluginMemoryPutText(char* To, size_t Size, const std::string& Text);
size_t PluginMemoryPutWideText(char16_t* To, size_t Size, const std::u16string& Text);
