// The registry the plugin sees: an in-memory tree under the predefined keys
// (HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, and the others), worked on as Windows' Reg*A functions
// work, with their error codes (windows_errors.hpp). It never reaches the real registry of the
// machine qelhost runs on; --registry FILE loads it from a REGEDIT4 text and saves it back
// (registry_file.cpp).
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

// The predefined keys (HKEY values), the value types and the dispositions of
// RegCreateKeyExA, as Windows defines them.
constexpr uint32_t HkeyClassesRoot = 0x80000000;
constexpr uint32_t HkeyCurrentUser = 0x80000001;
constexpr uint32_t HkeyLocalMachine = 0x80000002;
constexpr uint32_t HkeyUsers = 0x80000003;
constexpr uint32_t RegNone = 0;
constexpr uint32_t RegSz = 1;
constexpr uint32_t RegExpandSz = 2;
constexpr uint32_t RegBinary = 3;
constexpr uint32_t RegDword = 4;
constexpr uint32_t RegMultiSz = 7;
constexpr uint32_t RegCreatedNewKey = 1;
constexpr uint32_t RegOpenedExistingKey = 2;

// What the tree holds at most: a value's data, a key's or value's name, the
// keys open at once, and the depth of keys.
constexpr size_t MaxValueSize = 1 << 20;
constexpr size_t MaxRegistryName = 255;
constexpr size_t MaxOpenKeys = 4096;
constexpr size_t MaxKeyDepth = 512;

struct RegistryValue {
    std::string Name; // "" for the key's default value
    uint32_t Type = RegNone;
    std::string Data;
};

// The name of a predefined key ("HKEY_CURRENT_USER"), or "".
std::string PredefinedKeyName(uint32_t Key);
// The predefined key of Name (also "HKCU", "HKLM"), or 0.
uint32_t PredefinedKey(const std::string& Name);

// Opens (or with Create, creates with every key on the way) Key\SubKey;
// *Disposition tells which (RegCreatedNewKey or RegOpenedExistingKey).
uint32_t RegistryOpen(uint32_t Key, const std::string& SubKey, bool Create, uint32_t& Opened,
                      uint32_t* Disposition = nullptr);
uint32_t RegistryClose(uint32_t Key);
// The full path of an open key, its names as they were made
// ("HKEY_CURRENT_USER\Software\Far"), or "" for no key.
std::string RegistryKeyPath(uint32_t Key);
uint32_t RegistryQuery(uint32_t Key, const std::string& Name, RegistryValue& Value);
uint32_t RegistrySet(uint32_t Key, const RegistryValue& Value);
// The Index-th subkey's name (in Windows' order: by name, without regard to
// case) and value (in the order they were made); ErrorNoMoreItems past them.
uint32_t RegistryEnumKey(uint32_t Key, uint32_t Index, std::string& Name);
uint32_t RegistryEnumValue(uint32_t Key, uint32_t Index, RegistryValue& Value);
// Deletes Key\SubKey, which must have no subkeys (ErrorAccessDenied).
uint32_t RegistryDeleteKey(uint32_t Key, const std::string& SubKey);
uint32_t RegistryDeleteValue(uint32_t Key, const std::string& Name);

struct RegistryKeyInfo {
    uint32_t SubKeys = 0, MaxSubKeyName = 0, Values = 0, MaxValueName = 0, MaxValueData = 0;
};
uint32_t RegistryQueryInfo(uint32_t Key, RegistryKeyInfo& Info);

// Empties the tree and closes every key opened.
void ClearRegistry();
