#pragma once
// Display setups: which monitors are connected, told apart by the best identity the system
// gives for each, the text a cluster file keeps them in, and the words the Clusters pane
// shows for them. Plain values: the reading lives in display_setup_win.cpp.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/monitor_reach.h"

struct DisplayMonitor {
    bool hasEdidIds = false;  // the monitor reported its manufacturer and product ids
    uint16_t edidManufacturer = 0;
    uint16_t edidProduct = 0;
    std::wstring devicePath;  // the monitor's device path; empty when the system gives none
    MonitorArea area;         // where it shows the desktop, in Pinora's coordinates
};

// The connected monitors, ordered left to right (then top to bottom).
using DisplaySetup = std::vector<DisplayMonitor>;

enum class SetupMatch { Different, OtherArrangement, Same };

// Same monitors and the same rectangles: Same; same monitors placed or sized otherwise:
// OtherArrangement; any monitor more, less or other: Different.
SetupMatch CompareSetups(const DisplaySetup& a, const DisplaySetup& b);
inline bool HasSameMonitors(const DisplaySetup& a, const DisplaySetup& b) {
    return CompareSetups(a, b) != SetupMatch::Different;
}

// Monitors in the order a setup keeps them.
void SortMonitors(DisplaySetup& setup);

// The stored form of setups, one line of text: setups separated by " | ", monitors of a
// setup by "; ", each monitor as "<width>x<height>@<left>,<top> <ids or -> <path or ->".
std::wstring SetupListText(const std::vector<DisplaySetup>& setups);
// Setups that cannot be read are left out; an empty list means the text ties to nothing.
std::vector<DisplaySetup> ParseSetupList(std::wstring_view text);

// "2 monitors: 2560×1440, 1920×1080".
std::wstring DescribeSetup(const DisplaySetup& setup);
