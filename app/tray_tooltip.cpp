#include "app/tray_tooltip.h"

namespace {

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

std::wstring TrayTooltipText(const std::vector<std::wstring>& activeNames) {
    std::wstring text = L"Pinora";
    if (!activeNames.empty()) text += L" (active)";
    for (const auto& name : activeNames) text += L"\n" + name;
    if (text.size() > kTrayTooltipMaxChars) {
        text.resize(kTrayTooltipMaxChars);
        // Half a character would show as a box; the cut drops it whole.
        if (IsHighSurrogate(text.back())) text.pop_back();
    }
    return text;
}
