#include "ui/captured_cluster.h"

#include <algorithm>
#include <cwchar>

#include "ui/cluster_name_check.h"
#include "ui/inspector_text.h"

namespace {

constexpr size_t kLongestEntryName = 60;
constexpr int kMostNumberedNames = 1000;

const wchar_t* CornerWord(CornerStyle style) {
    if (style == CornerStyle::Sharp) return L"Sharp";
    return style == CornerStyle::Dull ? L"Dull" : L"Round";
}

std::wstring Pair(int32_t a, int32_t b) {
    return std::to_wstring(a) + L" " + std::to_wstring(b);
}

// The keys the Inspector writes, in its order, with the program's arguments after its path.
// No "URL": only the Inspector's address capture gives one.
void WriteEntry(IniSection& entry, const CapturedWindow& window, int32_t zLevel) {
    const WindowProfile& r = window.record;
    entry.GetOrInsert(L"Title") = r.title;
    entry.GetOrInsert(L"Class") = r.className;
    entry.GetOrInsert(L"Path") = r.exePath;
    if (!window.arguments.empty()) entry.GetOrInsert(L"Arguments") = window.arguments;
    entry.GetOrInsert(L"Desktop") = r.desktop;
    entry.GetOrInsert(L"Move to Desktop") = L"No";
    entry.GetOrInsert(L"Launch with QuickMenu") = L"No";
    entry.GetOrInsert(L"SuperGlue") = L"No";
    entry.GetOrInsert(L"Corners") = CornerWord(r.corners);
    entry.GetOrInsert(L"Position") = Pair(r.position.x, r.position.y);
    entry.GetOrInsert(L"Size") = Pair(r.size.width, r.size.height);
    entry.GetOrInsert(L"Z-Level") = std::to_wstring(zLevel);
    entry.GetOrInsert(L"Rules") = window.rule;
}

}  // namespace

IniDocument CapturedClusterDocument(const std::vector<CapturedWindow>& windows) {
    IniDocument document;
    IniSection& configuration = document.GetOrInsert(L"Configuration");
    configuration.GetOrInsert(L"Show in Quick Menu") = L"No";
    configuration.GetOrInsert(L"Activate on Startup") = L"No";
    // The top window gets the highest level, so that re-stacking keeps today's order.
    auto zLevel = static_cast<int32_t>(windows.size());
    for (const CapturedWindow& window : windows) {
        WriteEntry(document.GetOrInsert(UniqueEntryName(window.record.title, document)), window, zLevel--);
    }
    return document;
}

std::wstring UniqueEntryName(const std::wstring& title, const IniDocument& document) {
    WindowProfile unnamed;
    unnamed.title = title;
    std::wstring name = DisplayName(unnamed);
    name.erase(std::remove_if(name.begin(), name.end(),
                              [](wchar_t c) { return c < L' ' || c == L'[' || c == L']' || c == L';'; }),
               name.end());
    name = std::wstring(TrimIniText(name.substr(0, kLongestEntryName)));
    if (!IsGlueableName(name)) name = L"Window";
    std::wstring unique = name;
    for (int n = 2; document.Has(unique); ++n) unique = name + L" " + std::to_wstring(n);
    return unique;
}

std::wstring ProposedClusterName(const LocalTime& time, const std::vector<std::wstring>& clusterNames) {
    wchar_t stamp[64] = {};
    std::swprintf(stamp, 64, L"Windows %04d-%02d-%02d %02d.%02d", time.year, time.month, time.day, time.hour,
                  time.minute);
    const std::wstring base = stamp;
    if (CanCreateCluster(base, clusterNames)) return base;
    for (int n = 2; n <= kMostNumberedNames; ++n) {
        const std::wstring numbered = base + L" " + std::to_wstring(n);
        if (CanCreateCluster(numbered, clusterNames)) return numbered;
    }
    return {};
}
