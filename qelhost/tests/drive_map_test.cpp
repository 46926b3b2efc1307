// Windows paths read as Windows reads them, and the mapping of drive
// letters onto folders, both ways.
#include "qelhost/gate/drive_map.hpp"
#include "qelhost/gate/windows_errors.hpp"

#include <gtest/gtest.h>

namespace {

const WindowsPath CurrentFolder{0, 'C', {"work", "sub"}};

struct PathCase {
    const char* Written;
    const char* Read; // the path read, or "" when refused
    uint32_t Error;
};

const PathCase PathCases[] = {
    {"C:\\a\\b.txt", "C:\\a\\b.txt", 0},
    {"c:/a/b.txt", "C:\\a\\b.txt", 0},
    {"d:\\", "D:\\", 0},
    {"D:", "D:\\", 0},
    {"C:", "C:\\work\\sub", 0},
    {"C:x", "C:\\work\\sub\\x", 0},
    {"E:x", "E:\\x", 0},
    {"x.txt", "C:\\work\\sub\\x.txt", 0},
    {".\\x", "C:\\work\\sub\\x", 0},
    {"..\\x", "C:\\work\\x", 0},
    {"\\x", "C:\\x", 0},
    {"/x//y\\\\z", "C:\\x\\y\\z", 0},
    {"C:\\a\\..\\b", "C:\\b", 0},
    {"C:\\a\\.\\b\\.", "C:\\a\\b", 0},
    {"C:\\a.\\b ", "C:\\a\\b", 0},
    {"C:\\a\\...\\b", "C:\\a\\b", 0},
    {"C:\\Файл", "C:\\Файл", 0},
    // Nothing above a drive's root.
    {"C:\\..", "", ErrorAccessDenied},
    {"C:\\a\\..\\..\\b", "", ErrorAccessDenied},
    {"..\\..\\..\\etc", "", ErrorAccessDenied},
    {"/../etc/passwd", "", ErrorAccessDenied},
    // Devices, in any folder, any case, with any extension.
    {"CON", "", ErrorAccessDenied},
    {"nul", "", ErrorAccessDenied},
    {"C:\\a\\NUL.txt", "", ErrorAccessDenied},
    {"C:\\a\\com1", "", ErrorAccessDenied},
    {"lpt9.log", "", ErrorAccessDenied},
    {"aux \\x", "", ErrorAccessDenied},
    {"conout$", "", ErrorAccessDenied},
    {"\\\\.\\PhysicalDrive0", "", ErrorAccessDenied},
    {"//./C:/x", "", ErrorAccessDenied},
    {"\\\\?\\C:\\x", "", ErrorAccessDenied},
    {"\\\\server\\share\\x", "", ErrorBadNetPath},
    // Not devices: the name only begins like one.
    {"console", "C:\\work\\sub\\console", 0},
    {"com10", "C:\\work\\sub\\com10", 0},
    {"com0", "C:\\work\\sub\\com0", 0},
    // Names Windows cannot hold.
    {"a*b", "", ErrorInvalidName},
    {"C:\\a?", "", ErrorInvalidName},
    {"C:\\a:b", "", ErrorInvalidName},
    {"1:\\x", "", ErrorInvalidName},
    {"a\tb", "", ErrorInvalidName},
    {"", "", ErrorPathNotFound},
};

TEST(DriveMap, PathsAreReadAsWindowsReadsThem) {
    for (const PathCase& Case : PathCases) {
        WindowsPath Read = ReadWindowsPath(Case.Written, CurrentFolder);
        EXPECT_EQ(Read.Error, Case.Error) << Case.Written;
        if (Case.Error == 0) {
            EXPECT_EQ(ShownWindowsPath(Read), Case.Read) << Case.Written;
        }
    }
}

TEST(DriveMap, PathsTooLongForTheAnsiFunctionsAreRefused) {
    std::string Name(200, 'a');
    EXPECT_EQ(ReadWindowsPath("C:\\" + Name + "\\" + Name, CurrentFolder).Error,
              ErrorFilenameExcedRange);
    EXPECT_EQ(ReadWindowsPath(std::string(256, 'b'), CurrentFolder).Error, ErrorFilenameExcedRange);
    EXPECT_EQ(ReadWindowsPath("C:\\" + std::string(250, 'c'), CurrentFolder).Error, 0u);
}

struct OptionCase {
    const char* Value;
    char Letter; // 0 when refused
    const char* Folder;
};

const OptionCase OptionCases[] = {
    {"C=/tmp/x", 'C', "/tmp/x"},
    {"d=rel/dir", 'D', "rel/dir"},
    {"z:=/", 'Z', "/"},
    {"E=a=b", 'E', "a=b"},
    {"C", 0, ""},
    {"CD=/x", 0, ""},
    {"1=/x", 0, ""},
    {"=/x", 0, ""},
    {"C=", 0, ""},
};

TEST(DriveMap, TheDriveOptionNamesALetterAndAFolder) {
    for (const OptionCase& Case : OptionCases) {
        char Letter = 0;
        std::string Folder;
        std::string Error = ReadDriveOption(Case.Value, Letter, Folder);
        EXPECT_EQ(Error.empty(), Case.Letter != 0) << Case.Value << ": " << Error;
        if (Case.Letter != 0) {
            EXPECT_EQ(Letter, Case.Letter) << Case.Value;
            EXPECT_EQ(Folder, Case.Folder) << Case.Value;
        }
    }
}

TEST(DriveMap, WindowsPathsAndHostPathsMapBothWays) {
    DriveMap Map;
    Map.Folders['C' - 'A'] = "/home/u/work";
    Map.Folders['D' - 'A'] = "/home/u/work/deep";
    Map.Folders['Z' - 'A'] = "/";
    const struct {
        const char* Host;
        const char* Windows;
    } Cases[] = {
        {"/home/u/work", "C:\\"},
        {"/home/u/work/a/b.txt", "C:\\a\\b.txt"},
        {"/home/u/work/deep/x", "D:\\x"},
        {"/home/u/work/deeper", "C:\\deeper"},
        {"/home/u/workshop", "Z:\\home\\u\\workshop"},
        {"/", "Z:\\"},
    };
    for (const auto& Case : Cases) {
        WindowsPath Path = WindowsPathOf(Map, Case.Host);
        ASSERT_EQ(Path.Error, 0u) << Case.Host;
        EXPECT_EQ(ShownWindowsPath(Path), Case.Windows) << Case.Host;
        EXPECT_EQ(HostPathIn(Map, Path), Case.Host) << Case.Windows;
    }
    Map.Folders['Z' - 'A'].clear();
    EXPECT_EQ(WindowsPathOf(Map, "/etc/passwd").Error, ErrorPathNotFound);
    EXPECT_EQ(HostPathIn(Map, WindowsPath{0, 'E', {"x"}}), "");
}

} // namespace

namespace {

TEST(DriveMap, WildcardsMatchAsFindFirstFileMatches) {
    const std::string Long(200, 'a'); // against many stars, at once
    const struct {
        const char* Name;
        const char* Mask;
        bool Matches;
    } Cases[] = {
        {"sample.txt", "*.*", true},
        {"README", "*.*", true},
        {"sample.txt", "*.TXT", true},
        {"sample.txt", "s?mple.*", true},
        {"sample.txt", "*.log", false},
        {"sample.txt", "sample", false},
        {"README", "*.", true},
        {"read.me", "*.", false},
        {"a.b.c", "*.c", true},
        {"abc", "a*b*c", true},
        {"ab", "a*b*c", false},
        {"", "*", true},
        {"x", "?", true},
        {"", "?", false},
        {Long.c_str(), "*a*a*a*a*a*a*a*a*a*a*a*b", false},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(MatchesWildcard(Case.Name, Case.Mask), Case.Matches)
            << Case.Name << " " << Case.Mask;
}

} // namespace
