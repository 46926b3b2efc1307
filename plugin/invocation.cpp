// Invocation from a plugins menu or the command line: one message chosen by
// the origin, and never a panel.
#include "plugin/messages.hpp"
#include "plugin/plugin.hpp"

HANDLE FARAPI OpenPlugin(int OpenFrom, INT_PTR) {
    // The text after the command prefix (Item) has no effect.
    switch (OpenFrom) {
    case OPEN_PLUGINSMENU:
        ShowMessage(MsgFromPluginsMenu);
        break;
    case OPEN_COMMANDLINE:
        ShowMessage(MsgFromCommandLine);
        break;
    case OPEN_EDITOR:
        ShowMessage(MsgFromEditor);
        break;
    case OPEN_VIEWER:
        ShowMessage(MsgFromViewer);
        break;
    default:
        break;
    }
    return INVALID_HANDLE_VALUE;
}
