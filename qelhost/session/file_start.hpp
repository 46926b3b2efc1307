// The first bytes of a file, which OpenFilePlugin sees when the user presses
// Enter on it: up to 256 KiB, as the host reads them, and only of a regular
// file (a FIFO, a device or a directory is never opened).
#pragma once

#include <stddef.h>

#include <string>

constexpr size_t FileStartLimit = 256 * 1024;

class FileStart {
  public:
    explicit FileStart(const std::string& Path); // no bytes when Path is no regular file here
    ~FileStart();
    FileStart(const FileStart&) = delete;
    FileStart& operator=(const FileStart&) = delete;

    const unsigned char* Bytes() const {
        return Data;
    }
    size_t Size() const {
        return Length;
    }

  private:
    unsigned char* Data;
    size_t Length = 0;
};
