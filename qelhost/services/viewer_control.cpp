#include "host/native_viewer.hpp"
#include "qelhost/services/from_plugin.hpp"
#include "qelhost/services/viewer_window.hpp"
#include "qelhost/services/window_control.hpp"
#include "qelhost/stop_run.hpp"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <exception>

namespace {

const char* const CommandNames[] = {"VCTL_GETINFO",   "VCTL_QUIT",        "VCTL_REDRAW",
                                    "VCTL_SETKEYBAR", "VCTL_SETPOSITION", "VCTL_SELECT"};
static_assert(std::size(CommandNames) == VCTL_SELECT + 1);

void Tell(const std::string& Where, const std::string& What) {
    printf("host: %s: %s\n", Where.c_str(), What.c_str());
}

int GetInfo(const std::string& Where, ViewerWindow& Viewer, void* Param) {
    auto Info = ReadRecord<ViewerInfo>(Where.c_str(), "the ViewerInfo", Param);
    int StructSize = Info.StructSize;
    memset(&Info, 0, sizeof Info);
    Info.StructSize = StructSize;
    Info.ViewerID = Viewer.Id;
    Info.FileName = Viewer.PluginPath.c_str();
    Info.FileSize.i64 = FileSize(Viewer);
    Info.FilePos.i64 = Viewer.FilePos;
    Info.WindowSizeX = Viewer.WindowWidth;
    Info.WindowSizeY = Viewer.WindowHeight;
    Info.TabSize = Viewer.TabSize;
    Info.CurMode.TableNum = -1; // the OEM code page, no table
    Info.CurMode.Wrap = Viewer.Wrap;
    Info.CurMode.TypeWrap = Viewer.WordWrap;
    Info.CurMode.Hex = Viewer.Hex;
    Info.LeftPos = Viewer.LeftPos;
    WriteRecord(Where.c_str(), "the ViewerInfo", Param, Info);
    return 1;
}

int SetPosition(const std::string& Where, ViewerWindow& Viewer, void* Param) {
    auto P = ReadRecord<ViewerSetPosition>(Where.c_str(), "the ViewerSetPosition", Param);
    int64_t Offset = P.StartPos.i64;
    if (P.Flags & VSP_PERCENT)
        Offset = FileSize(Viewer) * std::clamp<int64_t>(Offset, 0, 100) / 100;
    if (P.Flags & VSP_RELATIVE)
        Offset += Viewer.FilePos;
    MoveViewerTo(Viewer, Offset);
    if (P.LeftPos >= 0)
        Viewer.LeftPos = P.LeftPos;
    Tell(Where, "the window starts at byte " + std::to_string(Viewer.FilePos));
    if (!(P.Flags & VSP_NORETNEWPOS)) {
        P.StartPos.i64 = Viewer.FilePos;
        WriteRecord(Where.c_str(), "the ViewerSetPosition", Param, P);
    }
    return 1;
}

int Select(const std::string& Where, ViewerWindow& Viewer, void* Param) {
    if (Param == nullptr) {
        Viewer.HasSelection = false;
        Tell(Where, "no selection");
        return 1;
    }
    auto S = ReadRecord<ViewerSelect>(Where.c_str(), "the ViewerSelect", Param);
    int64_t Start = S.BlockStartPos.i64;
    if (Start < 0 || Start > FileSize(Viewer) || S.BlockLen < 0) {
        Tell(Where, "bytes from " + std::to_string(Start) + " do not fit the file; returns 0");
        return 0;
    }
    Viewer.HasSelection = S.BlockLen > 0;
    Viewer.SelectionStart = Start;
    Viewer.SelectionLength = std::min<int64_t>(S.BlockLen, FileSize(Viewer) - Start);
    // The window shows where the selection starts.
    if (Start < Viewer.FilePos || Start >= Viewer.FilePos + Viewer.WindowHeight * 16) {
        MoveViewerTo(Viewer, Start);
        ScrollViewer(Viewer, 0);
    }
    Tell(Where, std::to_string(Viewer.SelectionLength) + " bytes from byte " +
                    std::to_string(Start) + " are selected");
    return 1;
}

int Serve(const std::string& Where, ViewerWindow& Viewer, int Command, void* Param) {
    switch (Command) {
    case VCTL_GETINFO:
        return GetInfo(Where, Viewer, Param);
    case VCTL_QUIT:
        Viewer.QuitAsked = true;
        Tell(Where, "the viewer closes when the plugin returns");
        return 1;
    case VCTL_REDRAW:
        Tell(Where, "the viewer redraws");
        return 1;
    case VCTL_SETKEYBAR:
        TellKeyBar(Where, Param);
        Viewer.CustomKeyBar = Param != nullptr;
        return 1;
    case VCTL_SETPOSITION:
        return SetPosition(Where, Viewer, Param);
    case VCTL_SELECT:
        return Select(Where, Viewer, Param);
    }
    Tell(Where, "no such command; returns 0");
    return 0;
}

} // namespace

std::string ViewerCommandName(int Command) {
    if (Command >= 0 && Command < static_cast<int>(std::size(CommandNames)))
        return CommandNames[Command];
    char Number[16];
    snprintf(Number, sizeof Number, "0x%X", static_cast<unsigned>(Command));
    return Number;
}

PLUGIN_STDCALL int ViewerControl(int Command, void* Param) {
    std::string Where = "ViewerControl(" + ViewerCommandName(Command) + ")";
    ViewerWindow* Viewer = ActiveViewer();
    if (Viewer == nullptr) {
        printf("host: %s with no viewer open: returns 0\n", Where.c_str());
        return 0;
    }
    try {
        return Serve(Where, *Viewer, Command, Param);
    } catch (const std::exception& Error) { // nothing may unwind into the plugin's frames
        StopRun(ExitStopped, "%s: qelhost could not serve the call: %s", Where.c_str(),
                Error.what());
    }
}
