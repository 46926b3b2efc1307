// The bytes each host reads, written out here apart from the records'
// declarations, so that a test comparing bytes checks the declarations too.
// The 32-bit builds lay records out as FAR Manager on Windows reads them;
// the 64-bit builds as far2l reads them.
#pragma once

#include "plugin/plugin.hpp"

#include <stdint.h>
#include <string.h>

struct HostLayout {
    // The StructSize the host expects of the records the plugin fills
    size_t PluginInfoSize;
    size_t OpenPluginInfoSize;
    // PluginPanelItem
    size_t PanelItemSize;
    size_t FileSizeAt; // nFileSizeLow on Windows, the low byte of nFileSize on far2l
    size_t FileNameAt; // cFileName
    // FarDialogItem: Type, X1, Y1, X2, Y2, Focus, Selected, Flags,
    // DefaultButton, then Data. Selected shares a pointer-wide union with
    // History, so on far2l the fields after it lie 4 bytes further on.
    size_t DialogItemSize;
    size_t DialogFieldAt[9];
    size_t DataAt;
};

#if QELFAR_HOST_FAR2L
constexpr HostLayout Layout = {64, 112, 376, 32, 48, 552, {0, 4, 8, 12, 16, 20, 24, 32, 36}, 40};
#else
constexpr HostLayout Layout = {40, 68, 366, 32, 44, 548, {0, 4, 8, 12, 16, 20, 24, 28, 32}, 36};
#endif

// Each host's rules for names and texts, written out apart from host/'s
// constants, so that a test of them checks those too. far2l hands over
// names of up to 20,475 bytes and works with the host file as a path, so it
// takes no cut one; it reads texts as UTF-8.
#if QELFAR_HOST_FAR2L
constexpr size_t LongestHostName = 20475;
constexpr bool HostTakesCutNames = false;
constexpr bool HostReadsUtf8 = true;
#else
constexpr size_t LongestHostName = 260;
constexpr bool HostTakesCutNames = true;
constexpr bool HostReadsUtf8 = false;
#endif

// A 32-bit field of a record seen as raw bytes.
inline int32_t FieldAt(const void* Record, size_t Offset) {
    int32_t Value;
    memcpy(&Value, static_cast<const unsigned char*>(Record) + Offset, sizeof Value);
    return Value;
}

// OpenFilePlugin as the host calls it: far2l adds an operation mode, 0 for
// Enter on a file.
inline HANDLE OpenFile(const char* Name, const unsigned char* Data = nullptr, int DataSize = 0) {
#if QELFAR_HOST_FAR2L
    return OpenFilePlugin(Name, Data, DataSize, 0);
#else
    return OpenFilePlugin(Name, Data, DataSize);
#endif
}
