#include "qelhost/services/service_calls.hpp"

namespace {
AnswerSource UserAnswers = nullptr;
}

void CheckModuleNumber(intptr_t PluginNumber, const char* Service) {
    if (PluginNumber != QelhostModuleNumber)
        StopRun(ExitStopped, "%s: called with plugin number %d, not the plugin's %d", Service,
                static_cast<int>(PluginNumber), QelhostModuleNumber);
}

void UseAnswers(AnswerSource Ask) {
    UserAnswers = Ask;
}

AnswerSource Answers() {
    return UserAnswers;
}
