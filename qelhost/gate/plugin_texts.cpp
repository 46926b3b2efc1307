#include "qelhost/gate/plugin_texts.hpp"
#include "qelhost/gate/fault_blame.hpp"

TOUCHES_PLUGIN_MEMORY std::string PluginMemoryText(const char* Text, size_t Limit) {
    std::string Result;
    if (Text == nullptr)
        return Result;
    for (size_t I = 0; I < Limit; ++I) {
        char C = static_cast<const volatile char*>(Text)[I];
        if (C == 0)
            break;
        Result += C;
    }
    return Result;
}

TOUCHES_PLUGIN_MEMORY std::u16string PluginMemoryWideText(const char16_t* Text, size_t Limit) {
    std::u16string Result;
    if (Text == nullptr)
        return Result;
    for (size_t I = 0; I < Limit; ++I) {
        char16_t C = static_cast<const volatile char16_t*>(Text)[I];
        if (C == 0)
            break;
        Result += C;
    }
    return Result;
}

TOUCHES_PLUGIN_MEMORY std::string PluginMemoryBytes(const void* From, size_t Size) {
    std::string Result(Size, '\0');
    const auto* In = static_cast<const volatile char*>(From);
    for (size_t I = 0; I < Size; ++I)
        Result[I] = In[I];
    return Result;
}

TOUCHES_PLUGIN_MEMORY uint32_t PluginMemoryWord(const uint32_t* From) {
    return *static_cast<const volatile uint32_t*>(From);
}

// Byte by byte through volatile, which the compiler cannot turn into a call
// of memcpy (which the sanitizer would check).
TOUCHES_PLUGIN_MEMORY void PluginMemoryWrite(void* To, const void* From, size_t Size) {
    auto* Out = static_cast<volatile unsigned char*>(To);
    const auto* In = static_cast<const unsigned char*>(From);
    for (size_t I = 0; I < Size; ++I)
        Out[I] = In[I];
}

size_t PluginMemoryPutText(char* To, size_t Size, const std::string& Text) {
    if (Size == 0)
        return 0;
    size_t Length = Text.size() < Size ? Text.size() : Size - 1;
    std::string Written = Text.substr(0, Length);
    PluginMemoryWrite(To, Written.c_str(), Length + 1);
    return Length;
}

size_t PluginMemoryPutWideText(char16_t* To, size_t Size, const std::u16string& Text) {
    if (Size == 0)
        return 0;
    size_t Length = Text.size() < Size ? Text.size() : Size - 1;
    std::u16string Written = Text.substr(0, Length);
    PluginMemoryWrite(To, Written.c_str(), (Length + 1) * sizeof(char16_t));
    return Length;
}
