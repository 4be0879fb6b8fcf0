#include "storage/catalogue.h"

#include "base/diagnostics.h"
#include "base/process.h"
#include "base/win_handles.h"
#include "storage/ini.h"
#include "storage/ini_file.h"
#include "storage/profile_reading.h"

namespace {

bool IsYes(const std::wstring& clusterName, const wchar_t* key) {
    return ReadClusterValue(clusterName, L"Configuration", key, L"No") == L"Yes";
}

std::wstring ClusterFilePath(const std::wstring& folder, const std::wstring& clusterName) {
    return std::wstring(AppDataPath) + folder + L"\\" + clusterName + L".ini";
}

}  // namespace

std::vector<std::wstring> ListFilesMatching(const std::wstring& pattern) {
    Diag(L"Retrieving file list\n");
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search || search.get() == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
    return names;
}

std::vector<std::wstring> ListClusterNames(const std::wstring& folder, const std::wstring& pattern) {
    Diag(L"Retrieving file names.\n");
    std::vector<std::wstring> names = ListFilesMatching(folder + pattern);
    // The extension is cut blindly: the pattern already chose the files.
    for (std::wstring& name : names) name.resize(name.size() >= 4 ? name.size() - 4 : 0);
    return names;
}

std::vector<std::wstring> ListClusterSections(const std::wstring& clusterFilePath) {
    Diag(L"Listing INI sections.\n");
    IniDocument document;
    IniFile(clusterFilePath).read(document);
    return WindowEntryNames(document);
}

std::vector<Cluster> LoadClusterList() {
    Diag(L"Retrieving clusterData.\n");
    std::vector<Cluster> clusters;
    for (std::wstring& name : ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini")) {
        Cluster cluster;
        cluster.activateOnStartup = IsYes(name, L"Activate on Startup");
        cluster.showInQuickMenu = IsYes(name, L"Show in Quick Menu");
        cluster.name = std::move(name);
        clusters.push_back(std::move(cluster));
    }
    return clusters;
}

void DeleteClusterFile(const std::wstring& clusterName) {
    DeleteFileW(ClusterFilePath(L"\\Pinora\\Clusters", clusterName).c_str());
}

bool RenameClusterFile(const std::wstring& oldName, const std::wstring& newName) {
    return MoveFileW(ClusterFilePath(L"\\Pinora\\clusters", oldName).c_str(),
                     ClusterFilePath(L"\\Pinora\\clusters", newName).c_str()) != FALSE;
}
