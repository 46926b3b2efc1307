#include "qelhost/services/plugin_environment.hpp"
#include "qelhost/gate/drive_map.hpp"
#include "qelhost/gate/system.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/services/standard_text.hpp"

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

namespace {

// The next number MkTemp tries, counting up through the session.
unsigned NextTemporary = 0;
constexpr unsigned TemporaryNames = 0x10000;

bool Exists(const std::string& WindowsPath) {
    HostPath Found = HostPathFor(WindowsPath);
    struct stat Status;
    return Found.Error == 0 && stat(Found.Path.c_str(), &Status) == 0;
}

// The session's temporary folder: TEMP's, when it names a folder the
// session reaches (as it always does on Windows), else the current folder.
std::string TemporaryFolder() {
    std::string Temp;
    if (FindEnvironment("TEMP", Temp)) {
        WindowsPath Read = ReadWindowsPath(Temp, ReadWindowsPath(CurrentFolder(), {}));
        if (Read.Error == 0 && Exists(ShownWindowsPath(Read)))
            return ShownWindowsPath(Read);
    }
    return CurrentFolder();
}

} // namespace

int NumberOfLinks(const std::string& Path) {
    HostPath Found = HostPathFor(Path);
    struct stat Status;
    if (Found.Error != 0 || stat(Found.Path.c_str(), &Status) != 0)
        return 1;
    return static_cast<int>(Status.st_nlink);
}

std::string FreeTemporaryName(const std::string& Prefix) {
    std::string Folder = WithEndSlash(TemporaryFolder());
    std::string Start = Prefix.empty() ? "FTMP" : Prefix.substr(0, 4);
    for (; NextTemporary < TemporaryNames; ++NextTemporary) {
        char Digits[8];
        snprintf(Digits, sizeof Digits, "%04X", NextTemporary);
        std::string Name = Folder + Start + Digits;
        if (!Exists(Name)) {
            ++NextTemporary;
            return Name;
        }
    }
    return "";
}

uint32_t LastError() {
    return PluginLastError();
}

std::string ErrorText(uint32_t Error) {
    const char* Message = SystemMessage(Error);
    if (Message == nullptr)
        return "Error " + std::to_string(Error);
    std::string Text = Message;
    while (!Text.empty() && (Text.back() == '\n' || Text.back() == '\r'))
        Text.pop_back();
    return Text;
}
