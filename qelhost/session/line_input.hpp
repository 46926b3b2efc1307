// Lines of a session script, a pipe or the terminal (ended by "\n" or
// "\r\n", as a Windows console gives them), read with bounds: no
// line longer than MaxLineBytes, no input longer than MaxInputBytes, and a
// UTF-8 byte-order mark before the first line dropped.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

constexpr size_t MaxLineBytes = 64 * 1024;
constexpr size_t MaxInputBytes = 16 * 1024 * 1024;

class LineInput {
  public:
    enum Result { Line, End, TooLong, TooMuch, Failed };

    explicit LineInput(int Descriptor);
    // The next line, without its line break. TooLong: the line (number
    // LineNumber()) passes the bound; the next call goes on after its end.
    // Failed: read() failed, Error() tells why. End, TooMuch and Failed last.
    Result Next(std::string& Text);
    int LineNumber() const {
        return Lines;
    }
    const std::string& Error() const {
        return Why;
    }

  private:
    bool Fill(); // reads more; false at the end, on a failure or past the bound
    int Descriptor;
    std::vector<char> Buffer;
    size_t Start = 0, Stop = 0; // the unread part of Buffer
    size_t Total = 0;
    int Lines = 0;
    bool Skipping = false; // the rest of an over-long line is dropped
    Result Ended = Line;   // End, TooMuch or Failed once reached
    std::string Why;
};

// Opens the session script at Path, which must be a regular file or a pipe
// (process substitution gives one): a directory or a device is refused
// before it is opened. Returns the descriptor, or -1 with the reason in Why.
int OpenScript(const std::string& Path, std::string& Why);
