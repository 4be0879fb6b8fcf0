#include "engine/window_exclusions.h"

#include <algorithm>
#include <iterator>

namespace {

// Shell and framework helper windows that are visible top-level windows but no application
// window. An empty title also means "not an application window".
const wchar_t* const kExcludedTitles[] = {
    L"",
    L"PopupHost",
    L"System tray overflow window.",
    L"OLEChannelWnd",
    L"OleMainThreadWndName",
    L"DesktopWindowXamlSource",
};

// The desktop, the shell's XAML hosts, drag images and the configuration windows that the
// user works in while arranging others. The notification window and the Settings window are
// deliberately not listed.
const wchar_t* const kExcludedClasses[] = {
    L"Progman",
    L"PinoraWindow",
    L"PinoraClusterConfigWindow",
    L"PinoraRulesWindow",
    L"Windows.UI.Core.CoreWindow",
    L"ApplicationFrameInputSinkWindow",
    L"TopLevelWindowForOverflowXamlIsland",
    L"Xaml_WindowedPopupClass",
    L"SysDragImage",
};

// Clock flyouts, toast notifications and our own Help box carry these somewhere in the title.
const wchar_t* const kExcludedTitleParts[] = {L"System Clock", L"notificationtoast", L"Pinora Help"};

bool EqualsAny(const std::wstring& text, const wchar_t* const* first, const wchar_t* const* last) {
    return std::any_of(first, last, [&](const wchar_t* candidate) { return text == candidate; });
}

}  // namespace

bool IsExcludedWindowIdentity(const std::wstring& title, const std::wstring& className) {
    if (EqualsAny(title, std::begin(kExcludedTitles), std::end(kExcludedTitles))) return true;
    if (EqualsAny(className, std::begin(kExcludedClasses), std::end(kExcludedClasses))) return true;
    return std::any_of(std::begin(kExcludedTitleParts), std::end(kExcludedTitleParts),
                       [&](const wchar_t* part) { return title.find(part) != std::wstring::npos; });
}
