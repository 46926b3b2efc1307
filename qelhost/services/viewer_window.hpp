// The one viewer window qelhost opens on a real file: the file's bytes, the
// offset the window starts at, its modes (hex, wrap), the block the plugin
// selected, and the picture the session's show command prints. Read-only,
// one at a time.
#pragma once

#include <stdint.h>

#include <string>

struct ViewerWindow {
    int Id = 0;
    std::string Name;       // as the user named it
    std::string Path;       // the file of this machine
    std::string PluginPath; // the Windows path the plugin is shown, code page 866
    std::string Bytes;
    int64_t FilePos = 0; // of the window's first line
    int LeftPos = 0;
    int WindowWidth = 80, WindowHeight = 23;
    int TabSize = 8;
    bool Hex = false;
    bool Wrap = false;
    bool WordWrap = false;
    bool HasSelection = false;
    int64_t SelectionStart = 0;
    int64_t SelectionLength = 0;
    bool CustomKeyBar = false;
    bool QuitAsked = false; // VCTL_QUIT: the viewer closes when the plugin returns
};

ViewerWindow* ActiveViewer();
// Opens the viewer on the file the Windows path Name names: "" or why the
// file cannot be viewed.
std::string OpenViewerWindow(const std::string& Name);
void CloseViewerWindow();

int64_t FileSize(const ViewerWindow& Viewer);

// The window's first line moved Lines lines down (up when negative): in
// text, to the start of a line; in hex, by rows of 16 bytes.
void ScrollViewer(ViewerWindow& Viewer, int Lines);
// The window starts at Offset (clamped to the file), as the plugin asks.
void MoveViewerTo(ViewerWindow& Viewer, int64_t Offset);
// To the start or near the end of the file.
void ViewerToStart(ViewerWindow& Viewer);
void ViewerToEnd(ViewerWindow& Viewer);

// The status line and the window's lines; the selected bytes marked with ~
// on a line under each line that holds some.
std::string ViewerPicture(const ViewerWindow& Viewer);
