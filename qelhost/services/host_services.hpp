// The startup record the host hands the plugin's SetStartupInfo: the
// native host's 372 bytes, every service slot holding a function (one
// qelhost does not model stops the run by name), and FSF, the standard
// functions.
#pragma once

#include "host/native_interface.hpp"
#include "qelhost/services/service_calls.hpp"
#include "qelhost/services/user_answer.hpp"

#include <string>

struct LanguageFile;

// Finds and reads the plugin's language file for GetMsg (a copy in File).
// Returns "" or why there is none to use; GetMsg then stops the run.
std::string LoadLanguage(const std::string& PluginFolder, const std::string& Language,
                         LanguageFile& File);

// The record for SetStartupInfo: module name and number, the services, the
// standard functions. Ask gives the user's answers to the boxes, menus and
// dialogs they show.
void FillStartupInfo(Native::PluginStartupInfo& Info, const std::string& ModuleName,
                     AnswerSource Ask);
