#include "qelhost/gate/dll_file.hpp"

#include "qelhost/regular_file.hpp"

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

// The refusal of a regular file of a size qelhost does not read.
std::string CheckSize(const struct stat& Status) {
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
    ssize_t Got = ReadUpTo(Descriptor, File.Bytes, Size);
    if (Got < 0)
        return std::string("cannot read the file (") + strerror(errno) + ")";
    File.Size = static_cast<size_t>(Got); // a file that shrank since is what was read
    return File.Size == 0 ? "the file is empty" : "";
}

} // namespace

DllFile::~DllFile() {
    free(Bytes);
}

std::string ReadDllFile(const std::string& Path, DllFile& File) {
    struct stat Status;
    std::string Why;
    int Descriptor = OpenRegularFile(Path, Status, Why);
    if (Descriptor < 0)
        return Why.empty() ? std::string("not a regular file but ") + FileKind(Status.st_mode)
                           : "cannot open the file (" + Why + ")";
    std::string Error = CheckSize(Status);
    if (Error.empty())
        Error = ReadWhole(Descriptor, static_cast<size_t>(Status.st_size), File);
    close(Descriptor);
    return Error;
}
