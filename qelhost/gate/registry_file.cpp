#include "qelhost/gate/registry_file.hpp"
#include "qelhost/gate/registry.hpp"
#include "qelhost/regular_file.hpp"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

namespace {

const char Header[] = "REGEDIT4";
constexpr size_t MaxRegistryFile = 16 << 20;

// ---- Writing ----

// A string REGEDIT4 can show as "text": one zero at its end and none
// within, and no line break.
bool ShownAsString(const RegistryValue& V) {
    if (V.Type != RegSz || V.Data.empty() || V.Data.back() != '\0')
        return false;
    return V.Data.find_first_of(std::string("\0\r\n", 3)) == V.Data.size() - 1;
}

std::string Quoted(const std::string& Text) {
    std::string Result = "\"";
    for (char C : Text) {
        if (C == '\\' || C == '"')
            Result += '\\';
        Result += C;
    }
    return Result + "\"";
}

std::string ValueLine(const RegistryValue& V) {
    std::string Line = (V.Name.empty() ? "@" : Quoted(V.Name)) + "=";
    char Hex[16];
    if (ShownAsString(V))
        return Line + Quoted(V.Data.substr(0, V.Data.size() - 1));
    if (V.Type == RegDword && V.Data.size() == 4) {
        uint32_t Number;
        memcpy(&Number, V.Data.data(), 4);
        snprintf(Hex, sizeof Hex, "dword:%08x", Number);
        return Line + Hex;
    }
    if (V.Type == RegBinary) {
        Line += "hex:";
    } else {
        snprintf(Hex, sizeof Hex, "hex(%x):", V.Type);
        Line += Hex;
    }
    for (size_t I = 0; I < V.Data.size(); ++I) {
        snprintf(Hex, sizeof Hex, I == 0 ? "%02x" : ",%02x", static_cast<unsigned char>(V.Data[I]));
        Line += Hex;
    }
    return Line;
}

// Key's block and those of the keys below it; a predefined key's only when
// it holds values (AlwaysShown false).
void AddKeyText(uint32_t Handle, const std::string& Path, std::string& Text,
                bool AlwaysShown = true) {
    RegistryValue V;
    if (AlwaysShown || RegistryEnumValue(Handle, 0, V) == 0)
        Text += "\n[" + Path + "]\n";
    for (uint32_t I = 0; RegistryEnumValue(Handle, I, V) == 0; ++I)
        Text += ValueLine(V) + "\n";
    std::string Name;
    for (uint32_t I = 0; RegistryEnumKey(Handle, I, Name) == 0; ++I) {
        uint32_t Sub;
        if (RegistryOpen(Handle, Name, false, Sub) != 0)
            continue;
        AddKeyText(Sub, Path + "\\" + Name, Text);
        RegistryClose(Sub);
    }
}

// ---- Reading ----

struct Reader {
    uint32_t Key = 0; // the key the values go to
    std::string Error;

    bool Fail(const std::string& Why) {
        Error = Why;
        return false;
    }

    // "[HKEY_...\A\B]" or "[-HKEY_...\A\B]".
    bool ReadKey(const std::string& Line) {
        if (Line.back() != ']')
            return Fail("a key's line ends with ]");
        bool Delete = Line.size() > 1 && Line[1] == '-';
        std::string Path = Line.substr(Delete ? 2 : 1, Line.size() - (Delete ? 3 : 2));
        size_t Slash = Path.find('\\');
        uint32_t Root = PredefinedKey(Path.substr(0, Slash));
        std::string Below = Slash == std::string::npos ? "" : Path.substr(Slash + 1);
        if (Root == 0)
            return Fail("\"" + Path.substr(0, Slash) + "\" is no predefined key");
        if (Key != 0)
            RegistryClose(Key);
        Key = 0;
        if (Delete) {
            DeleteTree(Root, Below);
            return true;
        }
        uint32_t Error = RegistryOpen(Root, Below, true, Key);
        return Error == 0 || Fail("the key \"" + Path + "\" cannot be made (error " +
                                  std::to_string(Error) + ")");
    }

    void DeleteTree(uint32_t Root, const std::string& Path) {
        uint32_t Handle;
        if (Path.empty() || RegistryOpen(Root, Path, false, Handle) != 0)
            return;
        std::string Name;
        while (RegistryEnumKey(Handle, 0, Name) == 0)
            DeleteTree(Handle, Name);
        RegistryClose(Handle);
        RegistryDeleteKey(Root, Path);
    }

    // A "quoted" text at Line[At], escapes undone; At moves past it.
    bool ReadQuoted(const std::string& Line, size_t& At, std::string& Text) {
        if (At >= Line.size() || Line[At] != '"')
            return Fail("a name or text starts with \"");
        for (++At; At < Line.size(); ++At) {
            char C = Line[At];
            if (C == '"') {
                ++At;
                return true;
            }
            if (C == '\\' && ++At == Line.size())
                break;
            Text += Line[At];
        }
        return Fail("a text without its closing \"");
    }

    bool ReadHex(const std::string& Digits, std::string& Data) {
        size_t At = 0;
        while (At < Digits.size()) {
            unsigned Byte;
            int Used = 0;
            if (sscanf(Digits.c_str() + At, "%2x%n", &Byte, &Used) != 1 || Used != 2)
                return Fail("\"" + Digits + "\" is no list of hex bytes (as 0a,ff)");
            Data += static_cast<char>(Byte);
            At += 2;
            if (At < Digits.size() && Digits[At++] != ',')
                return Fail("\"" + Digits + "\" is no list of hex bytes (as 0a,ff)");
        }
        return true;
    }

    bool ReadData(const std::string& Text, RegistryValue& V) {
        size_t At = 0;
        if (!Text.empty() && Text[0] == '"') {
            V.Type = RegSz;
            if (!ReadQuoted(Text, At, V.Data))
                return false;
            V.Data += '\0';
            return At == Text.size() || Fail("something after the text");
        }
        if (Text.compare(0, 6, "dword:") == 0) {
            unsigned Number;
            int Used = 0;
            if (Text.size() < 7 || Text.size() > 14 ||
                sscanf(Text.c_str() + 6, "%8x%n", &Number, &Used) != 1 ||
                static_cast<size_t>(Used) != Text.size() - 6)
                return Fail("\"" + Text + "\" is no dword (as dword:0000000a)");
            V.Type = RegDword;
            V.Data.assign(reinterpret_cast<const char*>(&Number), 4);
            return true;
        }
        size_t Colon = Text.find(':');
        std::string Kind = Text.substr(0, Colon);
        unsigned Type = RegBinary;
        int Used = 0;
        if (Colon == std::string::npos ||
            (Kind != "hex" && (sscanf(Kind.c_str(), "hex(%x)%n", &Type, &Used) != 1 ||
                               static_cast<size_t>(Used) != Kind.size())))
            return Fail("\"" + Text + "\" is no value (\"text\", dword:, hex: or hex(N):)");
        V.Type = Type;
        return ReadHex(Text.substr(Colon + 1), V.Data);
    }

    // "name"=VALUE, @=VALUE, "name"=-
    bool ReadValue(const std::string& Line) {
        if (Key == 0)
            return Fail("a value before any [key]");
        RegistryValue V;
        size_t At = 0;
        if (Line[0] == '@')
            At = 1;
        else if (!ReadQuoted(Line, At, V.Name))
            return false;
        if (At >= Line.size() || Line[At] != '=')
            return Fail("no = after the value's name");
        std::string Text = Line.substr(At + 1);
        if (Text == "-") {
            RegistryDeleteValue(Key, V.Name);
            return true;
        }
        if (!ReadData(Text, V))
            return false;
        uint32_t Error = RegistrySet(Key, V);
        return Error == 0 || Fail("the value cannot be set (error " + std::to_string(Error) + ")");
    }

    bool ReadLine(const std::string& Line) {
        if (Line.empty() || Line[0] == ';')
            return true;
        if (Line[0] == '[')
            return ReadKey(Line);
        if (Line[0] == '"' || Line[0] == '@')
            return ReadValue(Line);
        return Fail("a line that is no [key], value or ; comment");
    }
};

std::string WithoutLineEnd(std::string Line) {
    if (!Line.empty() && Line.back() == '\r')
        Line.pop_back();
    return Line;
}

} // namespace

std::string RegistryText(const std::string& Path) {
    size_t Slash = Path.find('\\');
    std::string Text;
    for (uint32_t Root = HkeyClassesRoot; Root <= HkeyUsers; ++Root) {
        if (!Path.empty() && PredefinedKey(Path.substr(0, Slash)) != Root)
            continue;
        std::string Below = Slash == std::string::npos ? "" : Path.substr(Slash + 1);
        uint32_t Handle;
        if (RegistryOpen(Root, Below, false, Handle) != 0)
            continue;
        AddKeyText(Handle, RegistryKeyPath(Handle), Text, !Path.empty());
        RegistryClose(Handle);
    }
    return Text;
}

std::string LoadRegistryText(const std::string& Text) {
    Reader R;
    size_t Start = 0, Number = 0;
    bool First = true;
    while (Start < Text.size()) {
        size_t End = Text.find('\n', Start);
        if (End == std::string::npos)
            End = Text.size();
        std::string Line = WithoutLineEnd(Text.substr(Start, End - Start));
        Start = End + 1;
        size_t LineNumber = ++Number;
        // A line ending in "\" goes on in the next (indented) one.
        while (!Line.empty() && Line.back() == '\\' && Line[0] != '[' && Start < Text.size()) {
            End = Text.find('\n', Start);
            if (End == std::string::npos)
                End = Text.size();
            std::string Next = WithoutLineEnd(Text.substr(Start, End - Start));
            Start = End + 1;
            ++Number;
            Line.pop_back();
            Line += Next.substr(Next.find_first_not_of(" \t") == std::string::npos
                                    ? Next.size()
                                    : Next.find_first_not_of(" \t"));
        }
        if (First) {
            First = false;
            if (Line.compare(0, 3, "\xEF\xBB\xBF") == 0)
                Line.erase(0, 3);
            if (Line == Header)
                continue;
            ClearRegistry();
            return "line 1: not a REGEDIT4 text (its first line is not REGEDIT4)";
        }
        if (!R.ReadLine(Line)) {
            ClearRegistry();
            return "line " + std::to_string(LineNumber) + ": " + R.Error;
        }
    }
    if (R.Key != 0)
        RegistryClose(R.Key);
    return "";
}

std::string LoadRegistryFile(const std::string& Path) {
    struct stat Status;
    if (stat(Path.c_str(), &Status) != 0 && errno == ENOENT)
        return ""; // made at the end
    std::string Why;
    int Descriptor = OpenRegularFile(Path, Status, Why);
    if (Descriptor < 0)
        return "cannot use " + Path + " as the registry: " +
               (Why.empty() ? std::string("it is ") + FileKind(Status.st_mode) + ", not a file"
                            : Why);
    std::string Text;
    if (Status.st_size > static_cast<off_t>(MaxRegistryFile)) {
        Why = "it is larger than 16 MiB";
    } else {
        Text.resize(static_cast<size_t>(Status.st_size));
        ssize_t Got = ReadUpTo(Descriptor, Text.data(), Text.size());
        if (Got < 0)
            Why = strerror(errno);
        else
            Text.resize(static_cast<size_t>(Got));
    }
    close(Descriptor);
    if (!Why.empty())
        return "cannot use " + Path + " as the registry: " + Why;
    std::string Error = LoadRegistryText(Text);
    return Error.empty() ? "" : Path + " " + Error;
}

std::string SaveRegistryFile(const std::string& Path) {
    std::string Text = std::string(Header) + "\n" + RegistryText("");
    std::string Temporary = Path + ".new";
    FILE* File = fopen(Temporary.c_str(), "wb");
    bool Written = File != nullptr && fwrite(Text.data(), 1, Text.size(), File) == Text.size();
    int Error = errno;
    if (File != nullptr && fclose(File) != 0 && Written) {
        Written = false;
        Error = errno;
    }
    if (Written && rename(Temporary.c_str(), Path.c_str()) == 0)
        return "";
    if (!Written)
        Error = Error != 0 ? Error : EIO;
    else
        Error = errno;
    remove(Temporary.c_str());
    return "cannot save the registry to " + Path + ": " + strerror(Error);
}
