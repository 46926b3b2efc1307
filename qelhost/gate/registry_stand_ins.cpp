#include "qelhost/gate/registry_stand_ins.hpp"
#include "qelhost/gate/plugin_texts.hpp"
#include "qelhost/gate/registry.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/gate/fault_blame.hpp"

#include <string.h>

namespace {

uint32_t KeyOf(HANDLE Key) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(Key));
}

// A name the plugin handed over; null is "" (the default value, the key
// itself).
std::string Named(const char* Name) {
    return PluginMemoryText(Name, MaxRegistryName + 1);
}

DWORD ReadSize(const DWORD* Size) {
    DWORD Value;
    memcpy(&Value, PluginMemoryBytes(Size, sizeof Value).data(), sizeof Value);
    return Value;
}

void Put(DWORD* To, DWORD Value) {
    if (To != nullptr)
        PluginMemoryWrite(To, &Value, sizeof Value);
}

RegResult Opened(uint32_t Error, uint32_t Handle, HANDLE* To) {
    if (Error == 0) {
        HANDLE Key = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(Handle));
        PluginMemoryWrite(To, &Key, sizeof Key);
    }
    return static_cast<RegResult>(Error);
}

// Data into the plugin's buffer, as the query functions answer: only the
// size without a buffer; ErrorMoreData (and the size) when it does not fit.
uint32_t PutData(const std::string& Data, void* To, DWORD* Size) {
    if (Size == nullptr)
        return To == nullptr ? 0 : ErrorInvalidParameter;
    DWORD Room = To != nullptr ? ReadSize(Size) : 0;
    Put(Size, static_cast<DWORD>(Data.size()));
    if (To == nullptr)
        return 0;
    if (Room < Data.size())
        return ErrorMoreData;
    PluginMemoryWrite(To, Data.data(), Data.size());
    return 0;
}

// A name into the plugin's buffer of *Length characters, the zero
// included; *Length becomes the length without it.
uint32_t PutName(const std::string& Name, char* To, DWORD* Length) {
    if (To == nullptr || Length == nullptr)
        return ErrorInvalidParameter;
    if (ReadSize(Length) <= Name.size())
        return ErrorMoreData;
    PluginMemoryWrite(To, Name.c_str(), Name.size() + 1);
    Put(Length, static_cast<DWORD>(Name.size()));
    return 0;
}

} // namespace

PLUGIN_STDCALL RegResult Advapi32RegOpenKeyExA(HANDLE Key, const char* SubKey, DWORD, DWORD,
                                               HANDLE* To) {
    UsingPluginArguments Using("ADVAPI32.dll!RegOpenKeyExA");
    if (To == nullptr)
        return ErrorInvalidParameter;
    uint32_t Handle = 0;
    return Opened(RegistryOpen(KeyOf(Key), Named(SubKey), false, Handle), Handle, To);
}

PLUGIN_STDCALL RegResult Advapi32RegOpenKeyA(HANDLE Key, const char* SubKey, HANDLE* To) {
    return Advapi32RegOpenKeyExA(Key, SubKey, 0, 0, To);
}

PLUGIN_STDCALL RegResult Advapi32RegCreateKeyExA(HANDLE Key, const char* SubKey, DWORD, char*,
                                                 DWORD, DWORD, void*, HANDLE* To,
                                                 DWORD* Disposition) {
    UsingPluginArguments Using("ADVAPI32.dll!RegCreateKeyExA");
    if (To == nullptr || SubKey == nullptr)
        return ErrorInvalidParameter;
    uint32_t Handle = 0, How = 0;
    uint32_t Error = RegistryOpen(KeyOf(Key), Named(SubKey), true, Handle, &How);
    if (Error == 0)
        Put(Disposition, How);
    return Opened(Error, Handle, To);
}

PLUGIN_STDCALL RegResult Advapi32RegCreateKeyA(HANDLE Key, const char* SubKey, HANDLE* To) {
    return Advapi32RegCreateKeyExA(Key, SubKey == nullptr ? "" : SubKey, 0, nullptr, 0, 0, nullptr,
                                   To, nullptr);
}

PLUGIN_STDCALL RegResult Advapi32RegCloseKey(HANDLE Key) {
    return static_cast<RegResult>(RegistryClose(KeyOf(Key)));
}

PLUGIN_STDCALL RegResult Advapi32RegQueryValueExA(HANDLE Key, const char* Name, DWORD*, DWORD* Type,
                                                  void* Data, DWORD* Size) {
    UsingPluginArguments Using("ADVAPI32.dll!RegQueryValueExA");
    RegistryValue Value;
    uint32_t Error = RegistryQuery(KeyOf(Key), Named(Name), Value);
    if (Error != 0)
        return static_cast<RegResult>(Error);
    Put(Type, Value.Type);
    return static_cast<RegResult>(PutData(Value.Data, Data, Size));
}

PLUGIN_STDCALL RegResult Advapi32RegSetValueExA(HANDLE Key, const char* Name, DWORD, DWORD Type,
                                                const void* Data, DWORD Size) {
    UsingPluginArguments Using("ADVAPI32.dll!RegSetValueExA");
    if (Data == nullptr && Size != 0)
        return ErrorInvalidParameter;
    if (Size > MaxValueSize)
        return ErrorInvalidParameter;
    RegistryValue Value{Named(Name), Type, PluginMemoryBytes(Data, Size)};
    return static_cast<RegResult>(RegistrySet(KeyOf(Key), Value));
}

PLUGIN_STDCALL RegResult Advapi32RegEnumKeyExA(HANDLE Key, DWORD Index, char* Name, DWORD* Length,
                                               DWORD*, char* Class, DWORD* ClassLength,
                                               void* WriteTime) {
    UsingPluginArguments Using("ADVAPI32.dll!RegEnumKeyExA");
    std::string Found;
    uint32_t Error = RegistryEnumKey(KeyOf(Key), Index, Found);
    if (Error == 0)
        Error = PutName(Found, Name, Length);
    if (Error == 0 && Class != nullptr && ClassLength != nullptr && ReadSize(ClassLength) > 0)
        PluginMemoryWrite(Class, "", 1);
    if (Error == 0)
        Put(ClassLength, 0);
    if (Error == 0 && WriteTime != nullptr)
        PluginMemoryWrite(WriteTime, "\0\0\0\0\0\0\0\0", 8);
    return static_cast<RegResult>(Error);
}

PLUGIN_STDCALL RegResult Advapi32RegEnumKeyA(HANDLE Key, DWORD Index, char* Name, DWORD Size) {
    UsingPluginArguments Using("ADVAPI32.dll!RegEnumKeyA");
    std::string Found;
    uint32_t Error = RegistryEnumKey(KeyOf(Key), Index, Found);
    if (Error == 0 && Size <= Found.size())
        Error = ErrorMoreData;
    if (Error == 0)
        PluginMemoryWrite(Name, Found.c_str(), Found.size() + 1);
    return static_cast<RegResult>(Error);
}

PLUGIN_STDCALL RegResult Advapi32RegEnumValueA(HANDLE Key, DWORD Index, char* Name, DWORD* Length,
                                               DWORD*, DWORD* Type, void* Data, DWORD* Size) {
    UsingPluginArguments Using("ADVAPI32.dll!RegEnumValueA");
    RegistryValue Value;
    uint32_t Error = RegistryEnumValue(KeyOf(Key), Index, Value);
    if (Error == 0)
        Error = PutName(Value.Name, Name, Length);
    if (Error != 0)
        return static_cast<RegResult>(Error);
    Put(Type, Value.Type);
    return static_cast<RegResult>(PutData(Value.Data, Data, Size));
}

PLUGIN_STDCALL RegResult Advapi32RegDeleteKeyA(HANDLE Key, const char* SubKey) {
    UsingPluginArguments Using("ADVAPI32.dll!RegDeleteKeyA");
    if (SubKey == nullptr)
        return ErrorInvalidParameter;
    return static_cast<RegResult>(RegistryDeleteKey(KeyOf(Key), Named(SubKey)));
}

PLUGIN_STDCALL RegResult Advapi32RegDeleteValueA(HANDLE Key, const char* Name) {
    UsingPluginArguments Using("ADVAPI32.dll!RegDeleteValueA");
    return static_cast<RegResult>(RegistryDeleteValue(KeyOf(Key), Named(Name)));
}

PLUGIN_STDCALL RegResult Advapi32RegQueryInfoKeyA(HANDLE Key, char* Class, DWORD* ClassLength,
                                                  DWORD*, DWORD* SubKeys, DWORD* MaxSubKeyLength,
                                                  DWORD* MaxClassLength, DWORD* Values,
                                                  DWORD* MaxValueNameLength, DWORD* MaxValueLength,
                                                  DWORD* Security, void* WriteTime) {
    UsingPluginArguments Using("ADVAPI32.dll!RegQueryInfoKeyA");
    RegistryKeyInfo Info;
    uint32_t Error = RegistryQueryInfo(KeyOf(Key), Info);
    if (Error != 0)
        return static_cast<RegResult>(Error);
    if (Class != nullptr && ClassLength != nullptr && ReadSize(ClassLength) > 0)
        PluginMemoryWrite(Class, "", 1);
    Put(ClassLength, 0);
    Put(SubKeys, Info.SubKeys);
    Put(MaxSubKeyLength, Info.MaxSubKeyName);
    Put(MaxClassLength, 0);
    Put(Values, Info.Values);
    Put(MaxValueNameLength, Info.MaxValueName);
    Put(MaxValueLength, Info.MaxValueData);
    Put(Security, 0);
    if (WriteTime != nullptr)
        PluginMemoryWrite(WriteTime, "\0\0\0\0\0\0\0\0", 8);
    return 0;
}

PLUGIN_STDCALL RegResult Advapi32RegFlushKey(HANDLE Key) {
    uint32_t Error;
    RegistryKeyInfo Info;
    Error = RegistryQueryInfo(KeyOf(Key), Info);
    return static_cast<RegResult>(Error);
}
