#include "qelhost/gate/windows_errors.hpp"

#include <iterator>

namespace {

struct SystemText {
    uint32_t Code;
    const char* Text;
};

// Windows' English system messages, as FormatMessageA gives them.
const SystemText Texts[] = {
    {ErrorSuccess, "The operation completed successfully.\r\n"},
    {ErrorInvalidFunction, "Incorrect function.\r\n"},
    {ErrorFileNotFound, "The system cannot find the file specified.\r\n"},
    {ErrorPathNotFound, "The system cannot find the path specified.\r\n"},
    {ErrorTooManyOpenFiles, "The system cannot open the file.\r\n"},
    {ErrorAccessDenied, "Access is denied.\r\n"},
    {ErrorInvalidHandle, "The handle is invalid.\r\n"},
    {ErrorNotEnoughMemory, "Not enough storage is available to process this command.\r\n"},
    {ErrorInvalidDrive, "The system cannot find the drive specified.\r\n"},
    {ErrorCurrentDirectory, "The directory cannot be removed.\r\n"},
    {ErrorNotSameDevice, "The system cannot move the file to a different disk drive.\r\n"},
    {ErrorNoMoreFiles, "There are no more files.\r\n"},
    {ErrorWriteProtect, "The media is write protected.\r\n"},
    {ErrorSharingViolation,
     "The process cannot access the file because it is being used by another process.\r\n"},
    {ErrorHandleEof, "Reached the end of the file.\r\n"},
    {ErrorNotSupported, "The request is not supported.\r\n"},
    {ErrorBadNetPath, "The network path was not found.\r\n"},
    {ErrorFileExists, "The file exists.\r\n"},
    {ErrorInvalidParameter, "The parameter is incorrect.\r\n"},
    {ErrorDiskFull, "There is not enough space on the disk.\r\n"},
    {ErrorBufferOverflow, "The file name is too long.\r\n"},
    {ErrorInsufficientBuffer, "The data area passed to a system call is too small.\r\n"},
    {ErrorInvalidName, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {ErrorModuleNotFound, "The specified module could not be found.\r\n"},
    {ErrorProcNotFound, "The specified procedure could not be found.\r\n"},
    {ErrorDirNotEmpty, "The directory is not empty.\r\n"},
    {ErrorBadPathName, "The specified path is invalid.\r\n"},
    {ErrorAlreadyExists, "Cannot create a file when that file already exists.\r\n"},
    {ErrorEnvVarNotFound, "The system could not find the environment option that was entered.\r\n"},
    {ErrorFilenameExcedRange, "The filename or extension is too long.\r\n"},
    {ErrorMoreData, "More data is available.\r\n"},
    {ErrorNoMoreItems, "No more data is available.\r\n"},
    {ErrorDirectoryName, "The directory name is invalid.\r\n"},
    {ErrorMrMidNotFound,
     "The system cannot find message text for message number 0x%1 in the message file for "
     "%2.\r\n"},
    {ErrorInvalidAddress, "Attempt to access invalid address.\r\n"},
    {ErrorInvalidFlags, "Invalid flags.\r\n"},
    {ErrorBadKey, "The configuration registry key is invalid.\r\n"},
    {ErrorKeyDeleted,
     "Illegal operation attempted on a registry key that has been marked for deletion.\r\n"},
    {ErrorNoUnicodeTranslation,
     "No mapping for the Unicode character exists in the target multi-byte code page.\r\n"},
};

} // namespace

const char* SystemMessage(uint32_t Code) {
    for (const SystemText& T : Texts)
        if (T.Code == Code)
            return T.Text;
    return nullptr;
}
