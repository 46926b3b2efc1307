// The first bytes of a file, which OpenFilePlugin sees when the user presses
// Enter on it: as many as the native host hands over (its
// ACTL_GETPLUGINMAXREADDATA, 128 KiB), and only of a regular file (a FIFO,
// a device or a directory is never opened).
#pragma once

#include "host/native_interface.hpp"

#include <stddef.h>

#include <string>

constexpr size_t FileStartLimit = NativePluginMaxReadData;

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
