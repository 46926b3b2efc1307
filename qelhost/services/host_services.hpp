// The services the host hands the plugin in its PluginStartupInfo.
#pragma once

#include "host/host_interface.hpp"
#include "host/native_interface.hpp"
#include "qelhost/services/user_answer.hpp"

#include <string>

// The plugin's number among the host's plugins, passed back with each call.
constexpr int QelhostModuleNumber = 7;

struct LanguageFile;

// Finds and reads the plugin's language file for GetMsg (a copy in File).
// Returns "" or why there is none to use; GetMsg then stops the run.
std::string LoadLanguage(const std::string& PluginFolder, const std::string& Language,
                         LanguageFile& File);

// The record for SetStartupInfo: module name and number, the three
// services, and every other service slot set to stop the run by name. Ask
// gives the user's answers to the boxes and dialogs they show.
void FillStartupInfo(PluginStartupInfo& Info, const std::string& ModuleName, AnswerSource Ask);
