#include "qelhost/services/editor_window.hpp"
#include "qelhost/regular_file.hpp"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <memory>

namespace {

std::unique_ptr<EditorWindow> Open;
int LastId = 0;

bool IsWindowsAbsolute(const std::string& Path) {
    return Path.size() >= 3 && isalpha(static_cast<unsigned char>(Path[0])) && Path[1] == ':' &&
           (Path[2] == '\\' || Path[2] == '/');
}

} // namespace

EditorWindow* ActiveEditor() {
    return Open.get();
}

std::string PluginPathOf(const std::string& Path) {
    if (!Path.empty() && Path[0] == '/')
        return Path;
    std::string Windows = IsWindowsAbsolute(Path) ? Path : "C:\\" + Path;
    for (char& C : Windows)
        if (C == '/')
            C = '\\';
    return Windows;
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

std::string OpenEditorWindow(const std::string& Path, int Line, int Pos) {
    auto Editor = std::make_unique<EditorWindow>();
    std::string Bytes;
    struct stat Status;
    if (stat(Path.c_str(), &Status) == 0 || errno != ENOENT) {
        std::string Why = ReadWholeFile(Path, Bytes);
        if (!Why.empty())
            return Why;
    }
    LoadText(Editor->Text, Bytes);
    Editor->Id = LastId++;
    Editor->Path = Path;
    Editor->PluginPath = PluginPathOf(Path);
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
