#include "qelhost/gate/drive_map.hpp"
#include "qelhost/gate/windows_errors.hpp"

#include <string.h>

namespace {

bool IsSeparator(char C) {
    return C == '\\' || C == '/';
}

char UpperAscii(char C) {
    return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C;
}

std::string UpperAscii(std::string Text) {
    for (char& C : Text)
        C = UpperAscii(C);
    return Text;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices in every folder and
// with any extension ("nul.txt"); so do the console's own CONIN$/CONOUT$.
bool IsDeviceName(const std::string& Name) {
    std::string Base = UpperAscii(Name.substr(0, Name.find('.')));
    while (!Base.empty() && Base.back() == ' ')
        Base.pop_back();
    if (Base == "CON" || Base == "PRN" || Base == "AUX" || Base == "NUL" || Base == "CONIN$" ||
        Base == "CONOUT$")
        return true;
    return Base.size() == 4 && (Base.compare(0, 3, "COM") == 0 || Base.compare(0, 3, "LPT") == 0) &&
           Base[3] >= '1' && Base[3] <= '9';
}

bool HasForbiddenCharacter(const std::string& Name) {
    for (unsigned char C : Name)
        if (C < 0x20 || strchr("<>:\"|?*", C) != nullptr)
            return true;
    return false;
}

WindowsPath Refused(uint32_t Error) {
    WindowsPath Result;
    Result.Error = Error;
    return Result;
}

// Adds the names of Relative (separated by "\" or "/") to Path.
WindowsPath AddNames(WindowsPath Path, const std::string& Relative) {
    size_t Start = 0;
    while (Start <= Relative.size()) {
        size_t End = Start;
        while (End < Relative.size() && !IsSeparator(Relative[End]))
            ++End;
        std::string Name = Relative.substr(Start, End - Start);
        Start = End + 1;
        if (Name == "..") {
            if (Path.Names.empty())
                return Refused(ErrorAccessDenied);
            Path.Names.pop_back();
            continue;
        }
        // Windows drops a name's trailing dots and spaces ("a." is "a",
        // "..." is the folder itself).
        while (!Name.empty() && (Name.back() == '.' || Name.back() == ' '))
            Name.pop_back();
        if (Name.empty())
            continue;
        if (HasForbiddenCharacter(Name))
            return Refused(ErrorInvalidName);
        if (IsDeviceName(Name))
            return Refused(ErrorAccessDenied);
        if (Name.size() > MaxNameLength)
            return Refused(ErrorFilenameExcedRange);
        Path.Names.push_back(Name);
    }
    return Path;
}

} // namespace

char DriveLetterOf(const std::string& Text) {
    if (Text.empty())
        return 0;
    char Letter = UpperAscii(Text[0]);
    bool LetterAlone = Text.size() == 1 || Text[1] == ':';
    return Letter >= 'A' && Letter <= 'Z' && LetterAlone ? Letter : 0;
}

WindowsPath ReadWindowsPath(const std::string& Path, const WindowsPath& Current) {
    if (Path.empty())
        return Refused(ErrorPathNotFound);
    if (Path.size() >= MaxPath)
        return Refused(ErrorFilenameExcedRange);
    if (Path.size() >= 2 && IsSeparator(Path[0]) && IsSeparator(Path[1])) {
        // "\\.\X" and "\\?\X" reach devices and raw names; "\\host\share"
        // the network.
        bool Device = Path.size() >= 3 && (Path[2] == '.' || Path[2] == '?') &&
                      (Path.size() == 3 || IsSeparator(Path[3]));
        return Refused(Device ? ErrorAccessDenied : ErrorBadNetPath);
    }
    WindowsPath Start = Current;
    std::string Rest = Path;
    if (Path.size() >= 2 && Path[1] == ':') {
        char Letter = DriveLetterOf(Path);
        if (Letter == 0)
            return Refused(ErrorInvalidName);
        if (Letter != Current.Drive || (Path.size() > 2 && IsSeparator(Path[2])))
            Start = WindowsPath{0, Letter, {}};
        Rest = Path.substr(2);
    }
    if (!Rest.empty() && IsSeparator(Rest[0]))
        Start.Names.clear();
    WindowsPath Result = AddNames(Start, Rest);
    if (Result.Error == 0 && ShownWindowsPath(Result).size() >= MaxPath)
        return Refused(ErrorFilenameExcedRange);
    return Result;
}

std::string ShownWindowsPath(const WindowsPath& Path) {
    std::string Shown = std::string(1, Path.Drive) + ":";
    for (const std::string& Name : Path.Names)
        Shown += "\\" + Name;
    return Path.Names.empty() ? Shown + "\\" : Shown;
}

std::string ReadDriveOption(const std::string& Value, char& Letter, std::string& Folder) {
    size_t Equals = Value.find('=');
    std::string Drive = Value.substr(0, Equals);
    Letter = DriveLetterOf(Drive);
    if (Equals == std::string::npos || Letter == 0 || Drive.size() > 2)
        return "--drive takes a drive letter and a folder, as C=DIR, not \"" + Value + "\"";
    Folder = Value.substr(Equals + 1);
    if (Folder.empty())
        return "--drive " + Drive + "= names no folder";
    return "";
}

std::string HostPathIn(const DriveMap& Map, const WindowsPath& Path) {
    if (Path.Drive < 'A' || Path.Drive > 'Z')
        return "";
    std::string Host = Map.Folders[Path.Drive - 'A'];
    if (Host.empty())
        return "";
    for (const std::string& Name : Path.Names)
        Host += (Host == "/" ? "" : "/") + Name;
    return Host;
}

WindowsPath WindowsPathOf(const DriveMap& Map, const std::string& HostPath) {
    int Best = -1;
    for (int Drive = 0; Drive < DriveCount; ++Drive) {
        const std::string& Folder = Map.Folders[Drive];
        bool Holds = !Folder.empty() &&
                     (Folder == "/" || HostPath == Folder ||
                      (HostPath.compare(0, Folder.size(), Folder) == 0 &&
                       HostPath.size() > Folder.size() && HostPath[Folder.size()] == '/'));
        if (Holds && (Best < 0 || Folder.size() > Map.Folders[Best].size()))
            Best = Drive;
    }
    if (Best < 0 || HostPath.empty() || HostPath[0] != '/')
        return Refused(ErrorPathNotFound);
    WindowsPath Result{0, static_cast<char>('A' + Best), {}};
    std::string Rest = HostPath.substr(Map.Folders[Best].size());
    for (size_t Start = 0; Start < Rest.size();) {
        size_t End = Rest.find('/', Start);
        if (End == std::string::npos)
            End = Rest.size();
        if (End > Start)
            Result.Names.push_back(Rest.substr(Start, End - Start));
        Start = End + 1;
    }
    return Result;
}

namespace {

// Greedy, going back only to the last "*": linear in practice, whatever
// the mask.
bool Matches(const std::string& Name, const std::string& Mask) {
    size_t N = 0, M = 0, StarM = std::string::npos, StarN = 0;
    while (N < Name.size()) {
        if (M < Mask.size() && Mask[M] == '*') {
            StarM = M++;
            StarN = N;
        } else if (M < Mask.size() &&
                   (Mask[M] == '?' || UpperAscii(Mask[M]) == UpperAscii(Name[N]))) {
            ++N;
            ++M;
        } else if (StarM != std::string::npos) {
            M = StarM + 1;
            N = ++StarN;
        } else {
            return false;
        }
    }
    while (M < Mask.size() && Mask[M] == '*')
        ++M;
    return M == Mask.size();
}

} // namespace

bool MatchesWildcard(const std::string& Name, const std::string& Mask) {
    if (Mask == "*.*" || Mask == "*")
        return true;
    if (!Mask.empty() && Mask.back() == '.' && Mask.find_first_not_of('.') != std::string::npos) {
        if (Name.find('.') != std::string::npos)
            return false;
        std::string Stem = Mask.substr(0, Mask.find_last_not_of('.') + 1);
        return Matches(Name, Stem);
    }
    return Matches(Name, Mask);
}
