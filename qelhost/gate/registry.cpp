#include "qelhost/gate/registry.hpp"
#include "qelhost/gate/windows_errors.hpp"

#include <strings.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

struct Key {
    std::string Name;
    Key* Parent = nullptr;
    bool Deleted = false;
    std::vector<RegistryValue> Values;
    std::vector<std::shared_ptr<Key>> SubKeys; // sorted as Windows lists them
};

std::shared_ptr<Key> NewKey(const std::string& Name, Key* Parent = nullptr) {
    auto Made = std::make_shared<Key>();
    Made->Name = Name;
    Made->Parent = Parent;
    return Made;
}

// The predefined keys, in the order of their handles from HkeyClassesRoot.
std::shared_ptr<Key> Roots[] = {
    NewKey("HKEY_CLASSES_ROOT"),
    NewKey("HKEY_CURRENT_USER"),
    NewKey("HKEY_LOCAL_MACHINE"),
    NewKey("HKEY_USERS"),
};

// Keys the plugin opened, by handle. Open keys keep a deleted key alive,
// to answer ErrorKeyDeleted, as Windows does.
std::map<uint32_t, std::shared_ptr<Key>> OpenKeys;
uint32_t NextHandle = 0x80;

bool SameName(const std::string& A, const std::string& B) {
    return strcasecmp(A.c_str(), B.c_str()) == 0;
}

bool ListedBefore(const std::shared_ptr<Key>& A, const std::shared_ptr<Key>& B) {
    return strcasecmp(A->Name.c_str(), B->Name.c_str()) < 0;
}

// The key a handle stands for; Error tells why there is none.
std::shared_ptr<Key> Find(uint32_t Handle, uint32_t& Error) {
    Error = 0;
    if (Handle >= HkeyClassesRoot && Handle <= HkeyUsers)
        return Roots[Handle - HkeyClassesRoot];
    auto Found = OpenKeys.find(Handle);
    if (Found == OpenKeys.end()) {
        Error = ErrorInvalidHandle;
        return nullptr;
    }
    if (Found->second->Deleted) {
        Error = ErrorKeyDeleted;
        return nullptr;
    }
    return Found->second;
}

std::shared_ptr<Key> SubKeyNamed(const Key& Parent, const std::string& Name) {
    for (const auto& Sub : Parent.SubKeys)
        if (SameName(Sub->Name, Name))
            return Sub;
    return nullptr;
}

std::vector<std::string> NamesOf(const std::string& Path) {
    std::vector<std::string> Names;
    size_t Start = 0;
    while (Start <= Path.size()) {
        size_t End = Path.find('\\', Start);
        if (End == std::string::npos)
            End = Path.size();
        Names.push_back(Path.substr(Start, End - Start));
        Start = End + 1;
    }
    return Names;
}

size_t Depth(const Key* K) {
    size_t Count = 0;
    for (; K != nullptr; K = K->Parent)
        ++Count;
    return Count;
}

// Key\Path, made on the way with Create; Error tells why there is none.
std::shared_ptr<Key> Walk(std::shared_ptr<Key> At, const std::string& Path, bool Create, bool& Made,
                          uint32_t& Error) {
    Made = false;
    if (Path.empty())
        return At;
    if (Path[0] == '\\') {
        Error = ErrorBadPathName;
        return nullptr;
    }
    std::vector<std::string> Names = NamesOf(Path);
    if (Names.back().empty()) // a trailing backslash, as Windows allows
        Names.pop_back();
    for (const std::string& Name : Names) {
        if (Name.empty() || Name.size() > MaxRegistryName) {
            Error = ErrorBadPathName;
            return nullptr;
        }
        std::shared_ptr<Key> Next = SubKeyNamed(*At, Name);
        if (Next == nullptr) {
            if (!Create) {
                Error = ErrorFileNotFound;
                return nullptr;
            }
            if (Depth(At.get()) >= MaxKeyDepth) {
                Error = ErrorInvalidParameter;
                return nullptr;
            }
            Next = NewKey(Name, At.get());
            At->SubKeys.insert(
                std::upper_bound(At->SubKeys.begin(), At->SubKeys.end(), Next, ListedBefore), Next);
            Made = true;
        }
        At = Next;
    }
    return At;
}

RegistryValue* ValueNamed(Key& K, const std::string& Name) {
    for (RegistryValue& V : K.Values)
        if (SameName(V.Name, Name))
            return &V;
    return nullptr;
}

void MarkDeleted(Key& K) {
    K.Deleted = true;
    for (const auto& Sub : K.SubKeys)
        MarkDeleted(*Sub);
}

} // namespace

uint32_t RegistryOpen(uint32_t Handle, const std::string& SubKey, bool Create, uint32_t& Opened,
                      uint32_t* Disposition) {
    uint32_t Error;
    std::shared_ptr<Key> At = Find(Handle, Error);
    if (At == nullptr)
        return Error;
    if (OpenKeys.size() >= MaxOpenKeys)
        return ErrorTooManyOpenFiles;
    bool Made;
    std::shared_ptr<Key> Found = Walk(At, SubKey, Create, Made, Error);
    if (Found == nullptr)
        return Error;
    while (OpenKeys.count(NextHandle) != 0 || NextHandle >= HkeyClassesRoot)
        NextHandle = NextHandle >= HkeyClassesRoot ? 0x80 : NextHandle + 4;
    Opened = NextHandle;
    NextHandle += 4;
    OpenKeys[Opened] = Found;
    if (Disposition != nullptr)
        *Disposition = Made ? RegCreatedNewKey : RegOpenedExistingKey;
    return 0;
}

uint32_t RegistryClose(uint32_t Handle) {
    if (Handle >= HkeyClassesRoot && Handle <= HkeyUsers)
        return 0;
    return OpenKeys.erase(Handle) == 1 ? 0 : ErrorInvalidHandle;
}

uint32_t RegistryQuery(uint32_t Handle, const std::string& Name, RegistryValue& Value) {
    uint32_t Error;
    std::shared_ptr<Key> K = Find(Handle, Error);
    if (K == nullptr)
        return Error;
    const RegistryValue* Found = ValueNamed(*K, Name);
    if (Found == nullptr)
        return ErrorFileNotFound;
    Value = *Found;
    return 0;
}

uint32_t RegistrySet(uint32_t Handle, const RegistryValue& Value) {
    uint32_t Error;
    std::shared_ptr<Key> K = Find(Handle, Error);
    if (K == nullptr)
        return Error;
    if (Value.Name.size() > MaxRegistryName || Value.Data.size() > MaxValueSize)
        return ErrorInvalidParameter;
    if (RegistryValue* Found = ValueNamed(*K, Value.Name)) {
        Found->Type = Value.Type;
        Found->Data = Value.Data;
    } else {
        K->Values.push_back(Value);
    }
    return 0;
}

uint32_t RegistryEnumKey(uint32_t Handle, uint32_t Index, std::string& Name) {
    uint32_t Error;
    std::shared_ptr<Key> K = Find(Handle, Error);
    if (K == nullptr)
        return Error;
    if (Index >= K->SubKeys.size())
        return ErrorNoMoreItems;
    Name = K->SubKeys[Index]->Name;
    return 0;
}

uint32_t RegistryEnumValue(uint32_t Handle, uint32_t Index, RegistryValue& Value) {
    uint32_t Error;
    std::shared_ptr<Key> K = Find(Handle, Error);
    if (K == nullptr)
        return Error;
    if (Index >= K->Values.size())
        return ErrorNoMoreItems;
    Value = K->Values[Index];
    return 0;
}

uint32_t RegistryDeleteKey(uint32_t Handle, const std::string& SubKey) {
    uint32_t Error;
    std::shared_ptr<Key> At = Find(Handle, Error);
    if (At == nullptr)
        return Error;
    bool Made;
    std::shared_ptr<Key> Found = Walk(At, SubKey, false, Made, Error);
    if (Found == nullptr)
        return Error;
    if (Found->Parent == nullptr || !Found->SubKeys.empty())
        return ErrorAccessDenied;
    auto& Siblings = Found->Parent->SubKeys;
    Siblings.erase(std::find(Siblings.begin(), Siblings.end(), Found));
    MarkDeleted(*Found);
    Found->Parent = nullptr;
    return 0;
}

uint32_t RegistryDeleteValue(uint32_t Handle, const std::string& Name) {
    uint32_t Error;
    std::shared_ptr<Key> K = Find(Handle, Error);
    if (K == nullptr)
        return Error;
    for (auto V = K->Values.begin(); V != K->Values.end(); ++V)
        if (SameName(V->Name, Name)) {
            K->Values.erase(V);
            return 0;
        }
    return ErrorFileNotFound;
}

uint32_t RegistryQueryInfo(uint32_t Handle, RegistryKeyInfo& Info) {
    uint32_t Error;
    std::shared_ptr<Key> K = Find(Handle, Error);
    if (K == nullptr)
        return Error;
    Info = RegistryKeyInfo{};
    Info.SubKeys = static_cast<uint32_t>(K->SubKeys.size());
    Info.Values = static_cast<uint32_t>(K->Values.size());
    for (const auto& Sub : K->SubKeys)
        Info.MaxSubKeyName = std::max(Info.MaxSubKeyName, static_cast<uint32_t>(Sub->Name.size()));
    for (const RegistryValue& V : K->Values) {
        Info.MaxValueName = std::max(Info.MaxValueName, static_cast<uint32_t>(V.Name.size()));
        Info.MaxValueData = std::max(Info.MaxValueData, static_cast<uint32_t>(V.Data.size()));
    }
    return 0;
}

void ClearRegistry() {
    for (auto& [Handle, K] : OpenKeys)
        MarkDeleted(*K);
    OpenKeys.clear();
    for (auto& Root : Roots) {
        Root->Values.clear();
        Root->SubKeys.clear();
    }
}

std::string PredefinedKeyName(uint32_t Handle) {
    return Handle >= HkeyClassesRoot && Handle <= HkeyUsers ? Roots[Handle - HkeyClassesRoot]->Name
                                                            : "";
}

uint32_t PredefinedKey(const std::string& Name) {
    const char* Short[] = {"HKCR", "HKCU", "HKLM", "HKU"};
    for (uint32_t I = 0; I < 4; ++I)
        if (SameName(Name, Roots[I]->Name) || SameName(Name, Short[I]))
            return HkeyClassesRoot + I;
    return 0;
}

std::string RegistryKeyPath(uint32_t Handle) {
    uint32_t Error;
    std::shared_ptr<Key> K = Find(Handle, Error);
    if (K == nullptr)
        return "";
    std::string Path = K->Name;
    for (const Key* Up = K->Parent; Up != nullptr; Up = Up->Parent)
        Path = Up->Name + "\\" + Path;
    return Path;
}
