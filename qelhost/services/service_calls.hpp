// What every service does on the plugin's call before and around its work.
#pragma once

#include "qelhost/services/service_call.hpp"
#include "qelhost/services/user_answer.hpp"
#include "qelhost/stop_run.hpp"

#include <stdint.h>

// The plugin's number among the host's plugins, passed back with each call.
constexpr int QelhostModuleNumber = 7;

// A service that takes the plugin's number stops the run on any other.
void CheckModuleNumber(intptr_t PluginNumber, const char* Service);

// The session's answers to the boxes, menus and dialogs the services show,
// given when the startup record is filled.
void UseAnswers(AnswerSource Ask);
AnswerSource Answers();
