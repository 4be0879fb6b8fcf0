// Time of one LoadWindowProfiles call for a cluster file of 10, 100 and 1,000 entries as the
// Inspector window writes them, next to the key-by-key reading it replaces (one parse of
// the file per value; measured up to 100 entries, beyond that it takes minutes).
// Usage: pnr_bench_load_profiles [entry count ...]   (default: 10 100 1000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/diagnostics.h"
#include "base/process.h"
#include "bench/run_times.h"
#include "storage/catalogue.h"
#include "storage/ini.h"
#include "storage/number_text.h"
#include "storage/profile.h"

namespace {

constexpr int kRuns = 20;
constexpr size_t kKeyByKeyLimit = 100;

std::string EntryText(size_t i) {
    const std::string n = std::to_string(i);
    return "[Window " + n + "]\r\nTitle=Document " + n + " - Editor\r\nClass=EditorFrame\r\n" +
           "Path=C:\\Program Files\\Editor\\editor.exe\r\nDesktop=Desktop 1\r\nMove to Desktop=No\r\n" +
           "Launch with QuickMenu=Yes\r\nSuperGlue=No\r\nCorners=Round\r\nPosition=" + std::to_string(i % 1900) +
           " 40\r\nSize=1280 720\r\nZ-Level=" + n + "\r\nURL=https://example.invalid/" + n +
           "\r\nRules=Window title does match \"Document " + n + " - Editor\"\r\n";
}

void WriteCluster(const std::wstring& path, size_t entries) {
    std::string file = "[Configuration]\r\nShow in Quick Menu=No\r\nActivate on Startup=Yes\r\n";
    for (size_t i = 0; i < entries; ++i) file += EntryText(i);
    const HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(out);
}

// The loading as a series of single-value reads, each parsing the whole file.
WindowProfileList LoadKeyByKey(const std::wstring& cluster) {
    WindowProfileList profiles;
    for (const std::wstring& name : ListClusterSections(ClusterFolder() + L"\\" + cluster + L".ini")) {
        const auto value = [&](const wchar_t* key, const std::wstring& fallback) {
            return ReadClusterValue(cluster, name, key, fallback);
        };
        WindowProfile p;
        p.sectionName = name;
        p.title = value(L"Title", L"Error");
        p.className = value(L"Class", L"Error");
        p.exePath = value(L"Path", L"Error");
        p.desktop = value(L"Desktop", L"");
        p.moveToDesktop = value(L"Move to Desktop", L"No") == L"Yes";
        p.launchWithQuickMenu = value(L"Launch with QuickMenu", L"No") == L"Yes";
        p.superGlue = value(L"SuperGlue", L"No") == L"Yes";
        const std::wstring corners = value(L"Corners", L"Round");
        p.corners = corners == L"Round"  ? CornerStyle::Round
                    : corners == L"Dull" ? CornerStyle::Dull
                                         : CornerStyle::Sharp;
        const std::wstring position = value(L"Position", L"Error");
        const std::wstring size = value(L"Size", L"Error");
        const size_t ps = position.find(L' ');
        const size_t ss = size.find(L' ');
        const auto x = ParseLeadingInt32(position.substr(0, ps));
        const auto y = ParseLeadingInt32(ps == std::wstring::npos ? position : position.substr(ps + 1));
        const auto w = ParseLeadingInt32(size.substr(0, ss));
        const auto h = ParseLeadingInt32(ss == std::wstring::npos ? size : size.substr(ss + 1));
        if (!x || !y || !w || !h) continue;
        p.position = {*x, *y};
        p.size = {*w, *h};
        p.zLevel = ParseLeadingInt32(value(L"Z-Level", L"0")).value_or(0);
        p.url = value(L"URL", p.exePath);
        p.rules = value(L"Rules", L"Error");
        profiles.push_back(p);
    }
    return profiles;
}

bool SameRecords(const WindowProfileList& a, const WindowProfileList& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const WindowProfile& p = a[i];
        const WindowProfile& q = b[i];
        if (p.sectionName != q.sectionName || p.title != q.title || p.className != q.className ||
            p.exePath != q.exePath || p.url != q.url || p.desktop != q.desktop || p.rules != q.rules ||
            p.position != q.position || p.size != q.size || p.moveToDesktop != q.moveToDesktop ||
            p.launchWithQuickMenu != q.launchWithQuickMenu || p.superGlue != q.superGlue || p.corners != q.corners ||
            p.zLevel != q.zLevel) {
            return false;
        }
    }
    return true;
}

std::wstring MakeScratchAppData() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"pnr-bench-profiles-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\Pinora").c_str(), nullptr);
    CreateDirectoryW((folder + L"\\Pinora\\Clusters").c_str(), nullptr);
    return folder;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<size_t> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(static_cast<size_t>(std::wcstoul(argv[i], nullptr, 10)));
    if (counts.empty()) counts = {10, 100, 1000};

    const std::wstring folder = MakeScratchAppData();
    wcsncpy_s(AppDataPath, MAX_PATH, folder.c_str(), _TRUNCATE);
    std::printf("LoadWindowProfiles, %d runs each (milliseconds: fastest / median / slowest)\n", kRuns);
    for (const size_t count : counts) {
        const std::wstring cluster = L"Bench" + std::to_wstring(count);
        const std::wstring path = ClusterFolder() + L"\\" + cluster + L".ini";
        WriteCluster(path, count);
        WindowProfileList loaded;
        const RunTimes once = MeasureRuns(kRuns, [&] { loaded = LoadWindowProfiles(cluster); });
        std::printf("%5zu entries: one parse   %8.2f / %8.2f / %8.2f  (%zu records)\n", count, once.fastest / 1000,
                    once.median / 1000, once.slowest / 1000, loaded.size());
        if (count <= kKeyByKeyLimit) {
            WindowProfileList reference;
            const RunTimes keyByKey = MeasureRuns(3, [&] { reference = LoadKeyByKey(cluster); });
            std::printf("%5zu entries: key by key %8.2f / %8.2f / %8.2f  (same records: %s)\n", count,
                        keyByKey.fastest / 1000, keyByKey.median / 1000, keyByKey.slowest / 1000,
                        SameRecords(loaded, reference) ? "yes" : "NO");
        }
        DeleteFileW(path.c_str());
    }
    RemoveDirectoryW((folder + L"\\Pinora\\Clusters").c_str());
    RemoveDirectoryW((folder + L"\\Pinora").c_str());
    RemoveDirectoryW(folder.c_str());
    return 0;
}
