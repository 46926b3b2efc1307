#include "qelhost/gate/plugin_memory.hpp"
#include "qelhost/platform.hpp"

#include <stdint.h>
#include <string.h>

#include <algorithm>

namespace {

// No piece crosses a page boundary, so each is readable or not as a whole
// (and fits a pipe's atomic write).
constexpr size_t Piece = 4096;

size_t PieceAt(uintptr_t Address, size_t Left) {
    return std::min(Left, Piece - Address % Piece);
}

bool Wraps(const void* Address, size_t Size) {
    return reinterpret_cast<uintptr_t>(Address) + Size < reinterpret_cast<uintptr_t>(Address);
}

// Pieces are cut at the plugin side's page boundaries.
bool CarryAll(void* To, const void* From, size_t Size, uintptr_t PluginSide) {
    auto* Target = static_cast<char*>(To);
    const auto* Source = static_cast<const char*>(From);
    for (size_t Done = 0; Done < Size;) {
        size_t Length = PieceAt(PluginSide + Done, Size - Done);
        if (!CarryPiece(Target + Done, Source + Done, Length))
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
