// The Linux qelhost's drives on a real folder: names found without regard
// to case, links followed only while they stay inside the drive.
#include "qelhost/platform.hpp"
#include "qelhost/gate/windows_errors.hpp"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

struct DriveFolder : testing::Test {
    static std::string Base, Root, Outside;

    static void SetUpTestSuite() {
        char Template[] = "/tmp/qelhost_drives_XXXXXX";
        Base = mkdtemp(Template);
        Root = Base + "/drive";
        Outside = Base + "/outside";
        mkdir(Root.c_str(), 0700);
        mkdir(Outside.c_str(), 0700);
        mkdir((Root + "/Sub").c_str(), 0700);
        std::ofstream(Root + "/Sub/File.txt") << "x";
        std::ofstream(Outside + "/secret") << "x";
        symlink("Sub", (Root + "/inside").c_str());
        symlink(Outside.c_str(), (Root + "/out").c_str());
        symlink("../outside/secret", (Root + "/Sub/up").c_str());
        symlink("/nowhere/at/all", (Root + "/dangling").c_str());
        ASSERT_EQ(MapDrive("q=" + Root), "");
        // The drive is the folder as it really is (/tmp may be a link).
        Root = std::filesystem::canonical(Root);
        Outside = std::filesystem::canonical(Outside);
    }
    static void TearDownTestSuite() {
        std::filesystem::remove_all(Base);
    }
};
std::string DriveFolder::Base, DriveFolder::Root, DriveFolder::Outside;

TEST_F(DriveFolder, PathsFindTheirFilesInsideTheDrive) {
    const struct {
        const char* Path;
        const char* Host; // below Root
    } Cases[] = {
        {"Q:\\Sub\\File.txt", "/Sub/File.txt"},
        {"q:/sub/file.TXT", "/Sub/File.txt"},
        {"Q:\\inside\\File.txt", "/Sub/File.txt"},
        {"Q:\\Sub\\new\\later.txt", "/Sub/new/later.txt"},
        {"Q:\\", ""},
    };
    for (const auto& Case : Cases) {
        HostPath Found = HostPathFor(Case.Path);
        EXPECT_EQ(Found.Error, 0u) << Case.Path;
        EXPECT_EQ(Found.Path, Root + Case.Host) << Case.Path;
    }
    EXPECT_EQ(WindowsPathFor(Root + "/Sub/File.txt"), "Q:\\Sub\\File.txt");
}

TEST_F(DriveFolder, NothingOutsideTheDriveIsReached) {
    const struct {
        const char* Path;
        uint32_t Error;
    } Cases[] = {
        {"Q:\\out\\secret", ErrorAccessDenied},
        {"Q:\\out", ErrorAccessDenied},
        {"Q:\\Sub\\up", ErrorAccessDenied},
        {"Q:\\dangling", ErrorAccessDenied},
        {"Q:\\..\\outside\\secret", ErrorAccessDenied},
        {"Q:\\Sub\\NUL", ErrorAccessDenied},
        {"\\\\.\\Q:", ErrorAccessDenied},
        {"Y:\\x", ErrorPathNotFound},
    };
    for (const auto& Case : Cases) {
        HostPath Found = HostPathFor(Case.Path);
        EXPECT_EQ(Found.Error, Case.Error) << Case.Path;
        EXPECT_EQ(Found.Path, "") << Case.Path;
    }
    EXPECT_EQ(WindowsPathFor(Outside + "/secret").rfind("Q:", 0), std::string::npos);
}

TEST_F(DriveFolder, TheCurrentFolderMovesOnlyToFolders) {
    EXPECT_EQ(SetCurrentFolder("q:\\SUB"), 0u);
    EXPECT_EQ(CurrentFolder(), "Q:\\Sub");
    EXPECT_EQ(HostPathFor("File.txt").Path, Root + "/Sub/File.txt");
    EXPECT_EQ(SetCurrentFolder("File.txt"), ErrorDirectoryName);
    EXPECT_EQ(SetCurrentFolder("Q:\\none"), ErrorFileNotFound);
    EXPECT_EQ(SetCurrentFolder("Q:\\out"), ErrorAccessDenied);
    EXPECT_EQ(CurrentFolder(), "Q:\\Sub");
}

TEST_F(DriveFolder, AFolderOnNoDriveIsGivenTheNextFreeLetter) {
    EXPECT_EQ(WindowsPathFor(Outside), "");
    MakeReachable(Outside);
    EXPECT_EQ(WindowsPathFor(Outside + "/secret").substr(1), ":\\secret");
}

TEST(DriveOption, AFolderThatIsNoneIsRefused) {
    EXPECT_NE(MapDrive("R=/nowhere/at/all"), "");
    EXPECT_NE(MapDrive("R"), "");
}

} // namespace
