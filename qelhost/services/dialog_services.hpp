// The host's procedure-driven dialogs: DialogEx runs the dialog, calling
// the plugin's dialog procedure (through the gate, so that a fault inside it
// is the plugin's) with the messages the host sends; SendDlgMessage answers
// the procedure's requests; DefDlgProc gives the host's default answers.
#pragma once

#include "qelhost/calling_convention.hpp"
#include "qelhost/services/panel_records.hpp"
#include "qelhost/services/user_answer.hpp"

PLUGIN_STDCALL int DialogEx(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2,
                            const char* HelpTopic, FarDialogItem* Item, int ItemsNumber,
                            DWORD Reserved, DWORD Flags, FARWINDOWPROC DlgProc, long Param);
PLUGIN_STDCALL long SendDlgMessage(HANDLE hDlg, int Msg, int Param1, long Param2);
PLUGIN_STDCALL long DefDlgProc(HANDLE hDlg, int Msg, int Param1, long Param2);

// Where DialogEx's dialogs get the user's answers.
void UseDialogAnswers(AnswerSource Ask);
