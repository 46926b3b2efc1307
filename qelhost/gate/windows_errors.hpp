// The Windows error codes (GetLastError, and the Reg* functions' results)
// that qelhost's stand-ins return, with their system messages for
// FormatMessageA. Values as in Windows' winerror.h.
#pragma once

#include <stdint.h>

constexpr uint32_t ErrorSuccess = 0;
constexpr uint32_t ErrorInvalidFunction = 1;
constexpr uint32_t ErrorFileNotFound = 2;
constexpr uint32_t ErrorPathNotFound = 3;
constexpr uint32_t ErrorTooManyOpenFiles = 4;
constexpr uint32_t ErrorAccessDenied = 5;
constexpr uint32_t ErrorInvalidHandle = 6;
constexpr uint32_t ErrorNotEnoughMemory = 8;
constexpr uint32_t ErrorInvalidDrive = 15;
constexpr uint32_t ErrorCurrentDirectory = 16;
constexpr uint32_t ErrorNotSameDevice = 17;
constexpr uint32_t ErrorNoMoreFiles = 18;
constexpr uint32_t ErrorWriteProtect = 19;
constexpr uint32_t ErrorSharingViolation = 32;
constexpr uint32_t ErrorHandleEof = 38;
constexpr uint32_t ErrorNotSupported = 50;
constexpr uint32_t ErrorBadNetPath = 53;
constexpr uint32_t ErrorFileExists = 80;
constexpr uint32_t ErrorInvalidParameter = 87;
constexpr uint32_t ErrorDiskFull = 112;
constexpr uint32_t ErrorBufferOverflow = 111;
constexpr uint32_t ErrorInsufficientBuffer = 122;
constexpr uint32_t ErrorInvalidName = 123;
constexpr uint32_t ErrorModuleNotFound = 126;
constexpr uint32_t ErrorProcNotFound = 127;
constexpr uint32_t ErrorDirNotEmpty = 145;
constexpr uint32_t ErrorBadPathName = 161;
constexpr uint32_t ErrorAlreadyExists = 183;
constexpr uint32_t ErrorEnvVarNotFound = 203;
constexpr uint32_t ErrorFilenameExcedRange = 206;
constexpr uint32_t ErrorMoreData = 234;
constexpr uint32_t ErrorNoMoreItems = 259;
constexpr uint32_t ErrorDirectoryName = 267;
constexpr uint32_t ErrorMrMidNotFound = 317;
constexpr uint32_t ErrorInvalidAddress = 487;
constexpr uint32_t ErrorInvalidFlags = 1004;
constexpr uint32_t ErrorBadKey = 1010;
constexpr uint32_t ErrorKeyDeleted = 1018;
constexpr uint32_t ErrorNoUnicodeTranslation = 1113;

// The text FormatMessageA gives for Code (with its closing "\r\n"), or
// null for a code qelhost does not return.
const char* SystemMessage(uint32_t Code);
