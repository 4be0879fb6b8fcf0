// The system's notices about monitors, power and the session, as the notification window
// receives them, handed to the engine's settle sequence.
#include <windows.h>
#include <dbt.h>
#include <wtsapi32.h>

#include <cstring>

#include "app/shell.h"
#include "base/win_handles.h"
#include "engine/display_watch.h"

namespace {

// {E6F07B5F-EE97-4A90-B076-33F57BF4EAA7}: monitor device interfaces.
constexpr GUID kMonitorInterface = {0xe6f07b5f, 0xee97, 0x4a90, {0xb0, 0x76, 0x33, 0xf5, 0x7b, 0xf4, 0xea, 0xa7}};
// {6FE69556-704A-47A0-8F24-C28D936FDA47}: whether the console's monitors are on.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr DWORD kDisplayOff = 0;
constexpr DWORD kDisplayOn = 1;

void CloseDeviceNotification(HDEVNOTIFY notification) noexcept {
    UnregisterDeviceNotification(notification);
}
void ClosePowerNotification(HPOWERNOTIFY notification) noexcept {
    UnregisterPowerSettingNotification(notification);
}
void CloseSessionNotification(HWND window) noexcept {
    WTSUnRegisterSessionNotification(window);
}

// Main thread only, from start-up to shutdown.
UniqueHandleOf<HDEVNOTIFY, CloseDeviceNotification> MonitorNotification;
UniqueHandleOf<HPOWERNOTIFY, ClosePowerNotification> DisplayStateNotification;
UniqueHandleOf<HWND, CloseSessionNotification> SessionNotification;

bool IsMonitorInterface(LPARAM lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return false;
    return IsEqualGUID(reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header)->dbcc_classguid,
                       kMonitorInterface);
}

void OnDeviceChange(WPARAM wParam, LPARAM lParam) {
    if ((wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) && IsMonitorInterface(lParam)) {
        OnDisplayNotice(DisplayNotice::MonitorsArrivedOrLeft);
    }
}

void OnPowerSettingChange(LPARAM lParam) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (!setting || !IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) || setting->DataLength < sizeof(DWORD)) {
        return;
    }
    DWORD state = 0;
    memcpy(&state, setting->Data, sizeof(state));
    // A dimmed display (2) is still on.
    if (state == kDisplayOff) OnDisplayNotice(DisplayNotice::MonitorsOff);
    if (state == kDisplayOn) OnDisplayNotice(DisplayNotice::MonitorsOn);
}

void OnPowerBroadcast(WPARAM wParam, LPARAM lParam) {
    if (wParam == PBT_APMRESUMEAUTOMATIC) OnDisplayNotice(DisplayNotice::Resumed);
    if (wParam == PBT_POWERSETTINGCHANGE) OnPowerSettingChange(lParam);
}

void OnSessionChange(WPARAM wParam) {
    if (wParam == WTS_SESSION_LOCK) OnDisplayNotice(DisplayNotice::SessionLocked);
    if (wParam == WTS_SESSION_UNLOCK) OnDisplayNotice(DisplayNotice::SessionUnlocked);
}

}  // namespace

void RegisterDisplayNotices(HWND window) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kMonitorInterface;
    MonitorNotification.reset(RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
    DisplayStateNotification.reset(
        RegisterPowerSettingNotification(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE));
    if (WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION)) SessionNotification.reset(window);
}

void UnregisterDisplayNotices() {
    MonitorNotification.reset();
    DisplayStateNotification.reset();
    SessionNotification.reset();
}

LRESULT OnDisplayNoticeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DISPLAYCHANGE:
            OnDisplayNotice(DisplayNotice::LayoutChanged);
            return 0;
        case WM_DEVICECHANGE:
            OnDeviceChange(wParam, lParam);
            return TRUE;
        case WM_POWERBROADCAST:
            OnPowerBroadcast(wParam, lParam);
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            OnSessionChange(wParam);
            return 0;
        default:
            return 0;
    }
}
