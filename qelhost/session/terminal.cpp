#include "qelhost/session/terminal.hpp"
#include "qelhost/gate/watchdog.hpp"
#include "qelhost/services/text_format.hpp"

#include <stdio.h>

namespace {

LineInput* Terminal = nullptr;
bool Ended = false;

} // namespace

void UseTerminal(LineInput* Input) {
    Terminal = Input;
}

bool OnTerminal() {
    return Terminal != nullptr;
}

bool AskLine(const std::string& Prompt, std::string& Line) {
    WaitingForUser Waiting; // not the plugin's time, when a box of its call asks
    while (Terminal != nullptr && !Ended) {
        fputs(Prompt.c_str(), stdout);
        fflush(stdout);
        switch (Terminal->Next(Line)) {
        case LineInput::Line:
            return true;
        case LineInput::TooLong:
            TellMistake("that line is longer than " + std::to_string(MaxLineBytes) + " bytes");
            break;
        default: // the end, or input that cannot be read any more
            Ended = true;
            fputs("\n", stdout);
        }
    }
    return false;
}

bool InputEnded() {
    return Ended;
}

void TellMistake(const std::string& Why) {
    printf("qelhost: %s\n", Escaped(Why).c_str());
}
