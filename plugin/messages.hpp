// The numbers of the plugin's language-file messages.
#pragma once

#include "host/host_calls.hpp"

constexpr MessageId MsgAcceptButton = 0;
constexpr MessageId MsgCancelButton = 1;
// Message 2 is in the language file but looked up by nothing.
constexpr MessageId MsgFromEditor = 3;
constexpr MessageId MsgFromViewer = 4;
constexpr MessageId MsgFromCommandLine = 5;
constexpr MessageId MsgFromPluginsMenu = 6;
constexpr MessageId MsgDialogTitle = 7;
constexpr MessageId MsgInputLabel = 8;
constexpr MessageId MsgInitialInput = 9;
constexpr MessageId MsgInputAccepted = 10;
constexpr MessageId MsgInputCancelled = 11;
