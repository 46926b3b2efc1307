#include "qelhost/session/line_input.hpp"
#include "qelhost/regular_file.hpp"
#include "qelhost/platform.hpp"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

} // namespace

LineInput::LineInput(int Descriptor) : Descriptor(Descriptor), Buffer(MaxLineBytes + 1) {}

bool LineInput::Fill() {
    if (Start > 0) { // keep the unread part at the front
        memmove(Buffer.data(), Buffer.data() + Start, Stop - Start);
        Stop -= Start;
        Start = 0;
    }
    ssize_t Got;
    do
        Got = read(Descriptor, Buffer.data() + Stop, Buffer.size() - Stop);
    while (Got < 0 && errno == EINTR);
    if (Got < 0) {
        Why = strerror(errno);
        Ended = Failed;
    } else if (Got == 0) {
        Ended = End;
    } else if ((Total += static_cast<size_t>(Got)) > MaxInputBytes) {
        Ended = TooMuch;
    }
    Stop += Got > 0 ? static_cast<size_t>(Got) : 0;
    return Ended == Line;
}

LineInput::Result LineInput::Next(std::string& Text) {
    for (;;) {
        char* Begin = Buffer.data() + Start;
        char* Break = static_cast<char*>(memchr(Begin, '\n', Stop - Start));
        if (Skipping) { // the rest of an over-long line, up to its break
            Start = Break != nullptr ? Break + 1 - Buffer.data() : Stop;
            Skipping = Break == nullptr;
        } else if (Break != nullptr || (Ended == End && Stop > Start)) {
            size_t Length = Break != nullptr ? Break - Begin : Stop - Start;
            // A line break is "\n" or, as Windows writes it, "\r\n".
            bool CarriageReturn = Break != nullptr && Length > 0 && Begin[Length - 1] == '\r';
            Text.assign(Begin, Length - (CarriageReturn ? 1 : 0));
            Start += Length + (Break != nullptr ? 1 : 0);
            if (++Lines == 1 && Text.compare(0, 3, ByteOrderMark) == 0)
                Text.erase(0, 3);
            return Line;
        } else if (Stop - Start > MaxLineBytes) {
            ++Lines;
            Skipping = true;
            return TooLong;
        }
        if (Skipping || Break == nullptr) {
            if (Ended != Line)
                return Ended;
            Fill();
        }
    }
}

int OpenScript(const std::string& Path, std::string& Why) {
    struct stat Status;
    if (stat(Path.c_str(), &Status) != 0) {
        Why = strerror(errno);
        return -1;
    }
    if (!S_ISREG(Status.st_mode) && !S_ISFIFO(Status.st_mode)) {
        Why = std::string("it is ") + FileKind(Status.st_mode) + ", not a file or a pipe";
        return -1;
    }
    int Descriptor = OpenForReading(Path.c_str(), false);
    if (Descriptor < 0)
        Why = strerror(errno);
    return Descriptor;
}
