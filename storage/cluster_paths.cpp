#include "storage/cluster_paths.h"

#include "storage/cluster_names.h"

namespace {

constexpr std::wstring_view kIniExtension = L".ini";

bool EndsWithIniIgnoringCase(std::wstring_view name) {
    if (name.size() < kIniExtension.size()) return false;
    const std::wstring_view tail = name.substr(name.size() - kIniExtension.size());
    for (size_t i = 0; i < tail.size(); ++i) {
        const wchar_t c = tail[i] >= L'A' && tail[i] <= L'Z' ? static_cast<wchar_t>(tail[i] - L'A' + L'a') : tail[i];
        if (c != kIniExtension[i]) return false;
    }
    return true;
}

// The empty name is the file ".ini" in the folder, a cluster the listing reports like any
// other; every other name must be one that can be a file name there.
bool NamesAFileInTheFolder(std::wstring_view name) {
    return name.empty() || IsUsableClusterName(name);
}

// Every cluster path is made here, so that no caller can be led outside the folder or to a
// device by a name typed into a window or read from a listing.
std::optional<std::wstring> FolderAndName(const std::wstring& clusterFolder, std::wstring_view clusterName) {
    const std::wstring name = CutAtNul(clusterName);
    if (!NamesAFileInTheFolder(name)) return std::nullopt;
    return clusterFolder + L"\\" + name;
}

}  // namespace

std::wstring CutAtNul(std::wstring_view text) {
    return std::wstring(text.substr(0, text.find(L'\0')));
}

std::wstring WithIniExtension(std::wstring path) {
    const bool hasExtension = path.size() >= kIniExtension.size() &&
                              std::wstring_view(path).substr(path.size() - kIniExtension.size()) == kIniExtension;
    if (!hasExtension) path += kIniExtension;
    return path;
}

std::wstring ClusterFilePath(const std::wstring& clusterFolder, std::wstring_view clusterName) {
    const std::optional<std::wstring> path = FolderAndName(clusterFolder, clusterName);
    return path ? *path + std::wstring(kIniExtension) : std::wstring();
}

std::wstring ClusterValueFilePath(const std::wstring& clusterFolder, std::wstring_view clusterName) {
    const std::optional<std::wstring> path = FolderAndName(clusterFolder, clusterName);
    return path ? WithIniExtension(*path) : std::wstring();
}

std::optional<std::wstring> ClusterNameOfFile(std::wstring_view fileName) {
    if (!EndsWithIniIgnoringCase(fileName)) return std::nullopt;
    std::wstring name(fileName.substr(0, fileName.size() - kIniExtension.size()));
    // A file such as "Work..ini" stands for a name no path step accepts: no cluster.
    if (!NamesAFileInTheFolder(name)) return std::nullopt;
    return name;
}
