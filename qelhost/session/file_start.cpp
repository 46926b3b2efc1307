#include "qelhost/session/file_start.hpp"

#include "qelhost/regular_file.hpp"

#include <stdlib.h>
#include <unistd.h>

// The buffer is always there, so that the plugin gets an address to read
// even without data; malloc, so that running short is a plain "no data".
FileStart::FileStart(const std::string& Path)
    : Data(static_cast<unsigned char*>(calloc(FileStartLimit, 1))) {
    struct stat Status;
    std::string Why;
    int Descriptor = Data == nullptr ? -1 : OpenRegularFile(Path, Status, Why);
    if (Descriptor < 0)
        return; // nothing to show the plugin: no file, or no regular one
    ssize_t Got = ReadUpTo(Descriptor, Data, FileStartLimit);
    Length = Got < 0 ? 0 : static_cast<size_t>(Got);
    close(Descriptor);
}

FileStart::~FileStart() {
    free(Data);
}
