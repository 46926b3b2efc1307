#include "qelhost/services/plugin_memory.hpp"

#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <string.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

namespace {

// A pipe carries at most this much in one piece (PIPE_BUF), and no piece
// crosses a page boundary, so each piece is readable or not as a whole.
constexpr size_t Piece = 4096;

int Ends[2] = {-1, -1};

// The system calls themselves: a sanitizer's wrappers of read and write
// would check the plugin's bytes first, and report what the kernel is
// there to find out.
ssize_t PipeWrite(const void* From, size_t Size) {
    return syscall(SYS_write, Ends[1], From, Size);
}

ssize_t PipeRead(void* To, size_t Size) {
    return syscall(SYS_read, Ends[0], To, Size);
}

bool PipeReady() {
    return Ends[0] >= 0 || pipe2(Ends, O_CLOEXEC | O_NONBLOCK) == 0;
}

size_t PieceAt(uintptr_t Address, size_t Left) {
    return std::min(Left, Piece - Address % Piece);
}

void Drain(size_t Size) {
    char Waste[Piece];
    while (Size > 0) {
        ssize_t Got = PipeRead(Waste, std::min(Size, sizeof Waste));
        if (Got <= 0)
            return;
        Size -= static_cast<size_t>(Got);
    }
}

bool Wraps(const void* Address, size_t Size) {
    return reinterpret_cast<uintptr_t>(Address) + Size < reinterpret_cast<uintptr_t>(Address);
}

// One piece from From to To through the pipe; either side may be the
// plugin's. A side the kernel cannot reach fails the call with EFAULT.
bool Carry(void* To, const void* From, size_t Size) {
    ssize_t In;
    do
        In = PipeWrite(From, Size);
    while (In < 0 && errno == EINTR);
    if (In != static_cast<ssize_t>(Size)) {
        Drain(In > 0 ? static_cast<size_t>(In) : 0);
        return false;
    }
    ssize_t Out;
    do
        Out = PipeRead(To, Size);
    while (Out < 0 && errno == EINTR);
    if (Out != static_cast<ssize_t>(Size)) {
        Drain(Size - (Out > 0 ? static_cast<size_t>(Out) : 0));
        return false;
    }
    return true;
}

// Pieces are cut at the plugin side's page boundaries.
bool CarryAll(void* To, const void* From, size_t Size, uintptr_t PluginSide) {
    if (Size == 0)
        return true;
    if (!PipeReady())
        return false;
    auto* Target = static_cast<char*>(To);
    const auto* Source = static_cast<const char*>(From);
    for (size_t Done = 0; Done < Size;) {
        size_t Length = PieceAt(PluginSide + Done, Size - Done);
        if (!Carry(Target + Done, Source + Done, Length))
            return false;
        Done += Length;
    }
    return true;
}

} // namespace

bool CopyFromPlugin(void* To, const void* From, size_t Size) {
    return !Wraps(From, Size) && CarryAll(To, From, Size, reinterpret_cast<uintptr_t>(From));
}

bool CopyToPlugin(void* To, const void* From, size_t Size) {
    return !Wraps(To, Size) && CarryAll(To, From, Size, reinterpret_cast<uintptr_t>(To));
}

TextRead ReadPluginText(const char* From, size_t Limit, std::string& Text) {
    Text.clear();
    char Buffer[Piece];
    uintptr_t Address = reinterpret_cast<uintptr_t>(From);
    // Up to Limit bytes and the zero after them.
    for (size_t Done = 0; Done <= Limit;) {
        size_t Length = PieceAt(Address + Done, Limit + 1 - Done);
        if (Address + Done < Address || !CopyFromPlugin(Buffer, From + Done, Length))
            return TextRead::Unreadable;
        if (const void* Zero = memchr(Buffer, 0, Length)) {
            Text.append(Buffer, static_cast<const char*>(Zero) - Buffer);
            return TextRead::Whole;
        }
        Text.append(Buffer, Length);
        Done += Length;
    }
    return TextRead::TooLong;
}
