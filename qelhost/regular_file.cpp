#include "qelhost/regular_file.hpp"
#include "qelhost/platform.hpp"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

// POSIX's file type of a socket, which Windows' C library lacks (it has no
// sockets among its file kinds, and never reports this one).
constexpr mode_t SocketFile = 0140000;

const char* FileKind(mode_t Mode) {
    return S_ISDIR(Mode)                   ? "a folder"
           : S_ISCHR(Mode)                 ? "a character device"
           : S_ISBLK(Mode)                 ? "a block device"
           : S_ISFIFO(Mode)                ? "a FIFO"
           : (Mode & S_IFMT) == SocketFile ? "a socket"
                                           : "of an unknown kind";
}

int OpenRegularFile(const std::string& Path, struct stat& Status, std::string& Why) {
    Why.clear();
    if (stat(Path.c_str(), &Status) != 0) {
        Why = strerror(errno);
        return -1;
    }
    if (!S_ISREG(Status.st_mode))
        return -1;
    int Descriptor = OpenForReading(Path.c_str(), true);
    if (Descriptor < 0) {
        Why = strerror(errno);
        return -1;
    }
    if (fstat(Descriptor, &Status) != 0)
        Why = strerror(errno);
    if (!Why.empty() || !S_ISREG(Status.st_mode)) {
        close(Descriptor);
        return -1;
    }
    return Descriptor;
}

ssize_t ReadUpTo(int Descriptor, void* To, size_t Size) {
    size_t Done = 0;
    while (Done < Size) {
        ssize_t Got = read(Descriptor, static_cast<char*>(To) + Done, Size - Done);
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got < 0)
            return -1;
        if (Got == 0)
            break;
        Done += static_cast<size_t>(Got);
    }
    return static_cast<ssize_t>(Done);
}

std::string FileNameOf(const std::string& Path) {
    size_t Slash = Path.find_last_of(PathSeparators);
    return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}
