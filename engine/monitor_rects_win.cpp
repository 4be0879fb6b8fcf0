// The monitors' rectangles, kept between display notices. Whether a window is fullscreen is
// asked on every location change of every window and on every frame of a glide; asking the
// system for the monitors each time costs more under Wine than the rest of a location change.
#include <optional>
#include <vector>

#include "base/guarded_value.h"
#include "engine/engine.h"

namespace {

using MonitorRectList = std::optional<std::vector<RECT>>;

// Never destroyed: the animator may still ask while the process exits.
GuardedValue<MonitorRectList>& KnownMonitorRects = *new GuardedValue<MonitorRectList>;

BOOL CALLBACK CollectMonitorRect(HMONITOR, HDC, LPRECT area, LPARAM rects) {
    try {
        reinterpret_cast<std::vector<RECT>*>(rects)->push_back(*area);
    } catch (...) {
        return FALSE;  // out of memory: judge by what was collected
    }
    return TRUE;
}

std::vector<RECT> ReadMonitorRects() {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitorRect, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

std::optional<bool> EqualsAKnownMonitor(const RECT& rect) {
    return KnownMonitorRects.Read([&rect](const MonitorRectList& monitors) -> std::optional<bool> {
        if (!monitors) return std::nullopt;
        for (const RECT& monitor : *monitors) {
            if (EqualRect(&rect, &monitor)) return true;
        }
        return false;
    });
}

}  // namespace

// The monitor MonitorFromWindow picks is the one the window overlaps most; a rectangle equal to
// a monitor's overlaps that one wholly, so "covers the monitor it is on" is "equals a monitor".
bool EqualsAMonitor(const RECT& rect) {
    if (const std::optional<bool> known = EqualsAKnownMonitor(rect)) return *known;
    KnownMonitorRects.Replace(ReadMonitorRects());
    return EqualsAKnownMonitor(rect).value_or(false);
}

void ForgetMonitorRects() {
    KnownMonitorRects.Replace(std::nullopt);
}
