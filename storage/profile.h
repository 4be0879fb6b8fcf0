#pragma once
// WindowProfile: one window entry, the same record for a saved entry of a cluster file
// and for a live top-level window.
#include <cstdint>
#include <string>
#include <vector>

struct HWND__;  // the windows.h HWND is HWND__*; declared here so text logic needs no windows.h
using WindowHandle = HWND__*;

enum class CornerStyle : int32_t { Round = 0, Dull = 1, Sharp = 2 };

struct FramePosition {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const FramePosition& o) const { return x == o.x && y == o.y; }
    bool operator!=(const FramePosition& o) const { return !(*this == o); }
};

struct FrameSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const FrameSize& o) const { return width == o.width && height == o.height; }
    bool operator!=(const FrameSize& o) const { return !(*this == o); }
};

struct WindowProfile {
    std::wstring sectionName;
    std::wstring title;
    std::wstring className;
    std::wstring exePath;
    std::wstring arguments;  // what followed the program in its command line; empty when not known
    std::wstring url;
    std::wstring desktop;
    std::wstring rules;
    WindowHandle hwnd = nullptr;
    FramePosition position;
    FrameSize size;
    bool moveToDesktop = false;
    bool launchWithQuickMenu = false;
    bool superGlue = false;
    CornerStyle corners = CornerStyle::Round;
    int32_t zLevel = 0;
};

using WindowProfileList = std::vector<WindowProfile>;

// Reads every window entry of a cluster file, in file order; entries without a readable
// "Position" or "Size" are left out.
WindowProfileList LoadWindowProfiles(const std::wstring& clusterName);
