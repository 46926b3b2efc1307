#include "qelhost/session/file_start.hpp"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsRegularFile(const std::string& Path) {
    struct stat Status;
    return stat(Path.c_str(), &Status) == 0 && S_ISREG(Status.st_mode);
}

} // namespace

// The buffer is always there, so that the plugin gets an address to read
// even without data; malloc, so that running short is a plain "no data".
FileStart::FileStart(const std::string& Path)
    : Data(static_cast<unsigned char*>(calloc(FileStartLimit, 1))) {
    if (Data == nullptr || !IsRegularFile(Path))
        return;
    // Non-blocking: should the name have become a FIFO since, open returns.
    int Descriptor = open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (Descriptor < 0)
        return;
    struct stat Status;
    while (fstat(Descriptor, &Status) == 0 && S_ISREG(Status.st_mode) && Length < FileStartLimit) {
        ssize_t Got = read(Descriptor, Data + Length, FileStartLimit - Length);
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got <= 0)
            break;
        Length += static_cast<size_t>(Got);
    }
    close(Descriptor);
}

FileStart::~FileStart() {
    free(Data);
}
