#include "storage/catalogue.h"

#include <optional>

#include "base/diagnostics.h"
#include "base/process.h"
#include "base/win_handles.h"
#include "storage/cluster_paths.h"
#include "storage/ini_file.h"
#include "storage/profile_reading.h"

namespace {

// The cluster's own section, read once for both of its flags.
IniDocument ReadConfiguration(const std::wstring& clusterName) {
    Diag(L"Reading INI file.\n");
    IniDocument document;
    IniFile(ClusterValueFilePath(ClusterFolder(), clusterName))
        .read(document, [](std::wstring_view section, std::wstring_view) { return section == L"Configuration"; });
    return document;
}

bool IsYes(const IniDocument& configuration, const wchar_t* key) {
    return IniValueOr(configuration, L"Configuration", key, L"No") == L"Yes";
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
    std::vector<std::wstring> names;
    for (const std::wstring& file : ListFilesMatching(folder + pattern)) {
        if (std::optional<std::wstring> name = ClusterNameOfFile(file)) names.push_back(std::move(*name));
    }
    return names;
}

std::vector<std::wstring> ListClusterSections(const std::wstring& clusterFilePath) {
    Diag(L"Listing INI sections.\n");
    IniDocument document;
    IniFile(clusterFilePath).read(document, [](std::wstring_view, std::wstring_view) { return false; });
    return WindowEntryNames(document);
}

std::vector<Cluster> LoadClusterList() {
    Diag(L"Retrieving clusterData.\n");
    std::vector<Cluster> clusters;
    for (std::wstring& name : ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini")) {
        Cluster cluster;
        const IniDocument configuration = ReadConfiguration(name);
        cluster.activateOnStartup = IsYes(configuration, L"Activate on Startup");
        cluster.showInQuickMenu = IsYes(configuration, L"Show in Quick Menu");
        cluster.name = std::move(name);
        clusters.push_back(std::move(cluster));
    }
    return clusters;
}

// A refused name (one that would leave the folder or name a device) deletes nothing.
bool DeleteClusterFile(const std::wstring& clusterName) {
    const std::wstring path = ClusterFilePath(ClusterFolder(), clusterName);
    return !path.empty() && DeleteFileW(path.c_str()) != FALSE;
}

bool ClusterFileExists(const std::wstring& clusterName) {
    const std::wstring path = ClusterValueFilePath(ClusterFolder(), clusterName);
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Nothing is renamed when either name is refused.
bool RenameClusterFile(const std::wstring& oldName, const std::wstring& newName) {
    const std::wstring folder = AppDataRoot() + L"\\clusters";
    const std::wstring from = ClusterFilePath(folder, oldName);
    const std::wstring to = ClusterFilePath(folder, newName);
    return !from.empty() && !to.empty() && MoveFileW(from.c_str(), to.c_str()) != FALSE;
}
