#include "storage/cluster_paths.h"

namespace {

constexpr std::wstring_view kIniExtension = L".ini";

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

std::wstring ClusterValueFilePath(const std::wstring& clusterFolder, const std::wstring& clusterName) {
    return WithIniExtension(clusterFolder + L"\\" + clusterName);
}
