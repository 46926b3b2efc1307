#include "qelhost/services/editor_window.hpp"
#include "qelhost/gate/drive_map.hpp"
#include "qelhost/platform.hpp"
#include "qelhost/gate/windows_errors.hpp"
#include "qelhost/regular_file.hpp"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <memory>

namespace {

std::unique_ptr<EditorWindow> Open;
int LastId = 0;

} // namespace

EditorWindow* ActiveEditor() {
    return Open.get();
}

std::string FindWindowFile(const std::string& Name, WindowFile& File) {
    HostPath Found = HostPathFor(Name);
    if (Found.Error != 0) {
        std::string Message = SystemMessage(Found.Error) ? SystemMessage(Found.Error) : "";
        while (!Message.empty() && (Message.back() == '\n' || Message.back() == '\r'))
            Message.pop_back();
        return "Windows error " + std::to_string(Found.Error) + ": " + Message;
    }
    File.Path = Found.Path;
    File.PluginPath = WindowsPathFor(Found.Path);
    if (File.PluginPath.empty())
        File.PluginPath = Found.Path;
    // The host shows full paths: one still relative is in the current folder.
    if (DriveLetterOf(File.PluginPath) == 0 && File.PluginPath.rfind("\\\\", 0) != 0) {
        std::string Folder = CurrentFolder();
        if (!Folder.empty() && Folder.back() != '\\')
            Folder += '\\';
        File.PluginPath = Folder + File.PluginPath;
    }
    return "";
}

std::string TitleName(const std::string& Name) {
    size_t Separator = Name.find_last_of("\\/:");
    return Separator == std::string::npos ? Name : Name.substr(Separator + 1);
}

std::string ReadWholeFile(const std::string& Path, std::string& Bytes) {
    struct stat Status;
    std::string Why;
    int Descriptor = OpenRegularFile(Path, Status, Why);
    if (Descriptor < 0)
        return Why.empty() ? std::string("it is ") + FileKind(Status.st_mode) + ", not a file"
                           : Why;
    if (static_cast<unsigned long long>(Status.st_size) > MaxEditedBytes) {
        close(Descriptor);
        return "it is larger than " + std::to_string(MaxEditedBytes) + " bytes";
    }
    Bytes.resize(static_cast<size_t>(Status.st_size));
    ssize_t Got = ReadUpTo(Descriptor, Bytes.data(), Bytes.size());
    Why = Got < 0 ? strerror(errno) : "";
    close(Descriptor);
    if (Got >= 0)
        Bytes.resize(static_cast<size_t>(Got));
    return Why;
}

std::string OpenEditorWindow(const std::string& Name, int Line, int Pos) {
    auto Editor = std::make_unique<EditorWindow>();
    WindowFile File;
    std::string Why = FindWindowFile(Name, File);
    if (!Why.empty())
        return Why;
    std::string Bytes;
    struct stat Status;
    if (stat(File.Path.c_str(), &Status) == 0 || errno != ENOENT) {
        Why = ReadWholeFile(File.Path, Bytes);
        if (!Why.empty())
            return Why;
    }
    LoadText(Editor->Text, Bytes);
    Editor->Id = LastId++;
    Editor->Name = Name;
    Editor->Path = File.Path;
    Editor->PluginPath = File.PluginPath;
    PlaceCursor(Editor->Text, Line < 0 ? 0 : Line, Pos < 0 ? 0 : Pos);
    Open = std::move(Editor);
    return "";
}

void CloseEditorWindow() {
    Open.reset();
}

std::string SaveEditorText(EditorWindow& Editor, const std::string& Path) {
    FILE* File = fopen(Path.c_str(), "wb");
    if (File == nullptr)
        return strerror(errno);
    std::string Bytes = JoinLines(Editor.Text.Lines);
    bool Written = fwrite(Bytes.data(), 1, Bytes.size(), File) == Bytes.size();
    int Error = errno;
    if (fclose(File) != 0 && Written) {
        Written = false;
        Error = errno;
    }
    if (!Written)
        return strerror(Error);
    Editor.Text.Modified = false;
    Editor.SavedSinceOpened = true;
    return "";
}
