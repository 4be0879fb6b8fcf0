// Reads the display setup connected now: the monitors' rectangles as this program sees them,
// each with the ids and device path the display configuration gives for it.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/display_watch.h"

namespace {

struct ShownArea {
    std::wstring gdiName;  // "\\.\DISPLAY1"
    MonitorArea area;
};

BOOL CALLBACK CollectShownArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFOEXW info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    try {
        reinterpret_cast<std::vector<ShownArea>*>(areas)->push_back(
            {info.szDevice, MonitorArea{r.left, r.top, r.right, r.bottom}});
    } catch (...) {
        return FALSE;  // out of memory: what was collected stands
    }
    return TRUE;
}

std::vector<DISPLAYCONFIG_PATH_INFO> ActivePaths() {
    std::vector<DISPLAYCONFIG_PATH_INFO> paths;
    std::vector<DISPLAYCONFIG_MODE_INFO> modes;
    LONG result = ERROR_INSUFFICIENT_BUFFER;
    // The configuration may change between the size query and the query itself.
    for (int attempt = 0; attempt < 3 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        UINT32 pathCount = 0, modeCount = 0;
        if (GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS) return {};
        paths.resize(pathCount);
        modes.resize(modeCount);
        result = QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount, modes.data(), nullptr);
        paths.resize(pathCount);
    }
    return result == ERROR_SUCCESS ? paths : std::vector<DISPLAYCONFIG_PATH_INFO>{};
}

std::wstring SourceGdiName(const DISPLAYCONFIG_PATH_INFO& path) {
    DISPLAYCONFIG_SOURCE_DEVICE_NAME source = {};
    source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
    source.header.size = sizeof(source);
    source.header.adapterId = path.sourceInfo.adapterId;
    source.header.id = path.sourceInfo.id;
    if (DisplayConfigGetDeviceInfo(&source.header) != ERROR_SUCCESS) return L"";
    return source.viewGdiDeviceName;
}

// The monitor on the path's target, with the rectangle of the source it shows; a source
// shown on two monitors (a copy of the screen) gives two monitors with one rectangle.
DisplayMonitor TargetMonitor(const DISPLAYCONFIG_PATH_INFO& path, const MonitorArea& area) {
    DisplayMonitor monitor;
    monitor.area = area;
    DISPLAYCONFIG_TARGET_DEVICE_NAME target = {};
    target.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_TARGET_NAME;
    target.header.size = sizeof(target);
    target.header.adapterId = path.targetInfo.adapterId;
    target.header.id = path.targetInfo.id;
    if (DisplayConfigGetDeviceInfo(&target.header) != ERROR_SUCCESS) return monitor;
    monitor.hasEdidIds = target.flags.edidIdsValid != 0;
    if (monitor.hasEdidIds) {
        monitor.edidManufacturer = target.edidManufactureId;
        monitor.edidProduct = target.edidProductCodeId;
    }
    monitor.devicePath = target.monitorDevicePath;
    return monitor;
}

}  // namespace

DisplaySetup ReadDisplaySetup() {
    std::vector<ShownArea> shown;
    EnumDisplayMonitors(nullptr, nullptr, CollectShownArea, reinterpret_cast<LPARAM>(&shown));
    const std::vector<DISPLAYCONFIG_PATH_INFO> paths =
        shown.empty() ? std::vector<DISPLAYCONFIG_PATH_INFO>{} : ActivePaths();
    DisplaySetup setup;
    for (const ShownArea& area : shown) {
        bool identified = false;
        for (const DISPLAYCONFIG_PATH_INFO& path : paths) {
            if (SourceGdiName(path) != area.gdiName) continue;
            setup.push_back(TargetMonitor(path, area.area));
            identified = true;
        }
        // Without a display configuration to ask, the rectangle is all there is to go by.
        if (!identified) setup.push_back(DisplayMonitor{false, 0, 0, L"", area.area});
    }
    SortMonitors(setup);
    return setup;
}
