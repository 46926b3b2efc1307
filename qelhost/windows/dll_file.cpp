#include "qelhost/windows/dll_file.hpp"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* KindOf(mode_t Mode) {
    if (S_ISDIR(Mode))
        return "a folder";
    if (S_ISCHR(Mode))
        return "a character device";
    if (S_ISBLK(Mode))
        return "a block device";
    if (S_ISFIFO(Mode))
        return "a FIFO";
    if (S_ISSOCK(Mode))
        return "a socket";
    return "of an unknown kind";
}

// The refusal for anything but a regular file of a size qelhost reads.
std::string CheckKindAndSize(const struct stat& Status) {
    if (!S_ISREG(Status.st_mode))
        return std::string("not a regular file but ") + KindOf(Status.st_mode);
    if (Status.st_size == 0)
        return "the file is empty";
    if (static_cast<unsigned long long>(Status.st_size) > DllFileLimit)
        return "the file has " + std::to_string(Status.st_size) + " bytes, more than the " +
               std::to_string(DllFileLimit >> 20) + " MB qelhost loads";
    return "";
}

std::string ReadWhole(int Descriptor, size_t Size, DllFile& File) {
    File.Bytes = static_cast<unsigned char*>(malloc(Size));
    if (File.Bytes == nullptr)
        return "cannot allocate " + std::to_string(Size) + " bytes to read it";
    while (File.Size < Size) {
        ssize_t Got = read(Descriptor, File.Bytes + File.Size, Size - File.Size);
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got < 0)
            return std::string("cannot read the file (") + strerror(errno) + ")";
        if (Got == 0)
            break; // it shrank since fstat: what was read is the file
        File.Size += static_cast<size_t>(Got);
    }
    return File.Size == 0 ? "the file is empty" : "";
}

} // namespace

DllFile::~DllFile() {
    free(Bytes);
}

std::string ReadDllFile(const std::string& Path, DllFile& File) {
    // Checked before opening, as opening a FIFO or a device may block or act.
    struct stat Status;
    if (stat(Path.c_str(), &Status) != 0)
        return std::string("cannot open the file (") + strerror(errno) + ")";
    std::string Error = CheckKindAndSize(Status);
    if (!Error.empty())
        return Error;
    int Descriptor = open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (Descriptor < 0)
        return std::string("cannot open the file (") + strerror(errno) + ")";
    // Checked again on what was opened: the path may have changed meanwhile.
    if (fstat(Descriptor, &Status) != 0)
        Error = std::string("cannot open the file (") + strerror(errno) + ")";
    else
        Error = CheckKindAndSize(Status);
    if (Error.empty())
        Error = ReadWhole(Descriptor, static_cast<size_t>(Status.st_size), File);
    close(Descriptor);
    return Error;
}
