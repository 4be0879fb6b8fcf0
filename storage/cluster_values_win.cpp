#include <shlobj.h>

#include "base/diagnostics.h"
#include "base/process.h"
#include "storage/cluster_paths.h"
#include "storage/file_bytes.h"
#include "storage/ini.h"
#include "storage/ini_bytes.h"
#include "storage/ini_file.h"
#include "storage/ini_merge.h"
#include "storage/utf8_text.h"

std::wstring ReadClusterValue(const std::wstring& clusterName, const std::wstring& section, const std::wstring& key,
                              const std::wstring& defaultValue) {
    Diag(L"Reading INI file.\n");
    IniDocument document;
    // Only the one value is kept: a large file costs its reading, not a copy of all it holds.
    const std::wstring_view wantedSection = TrimIniText(section);
    const std::wstring_view wantedKey = TrimIniText(key);
    IniFile(ClusterValueFilePath(ClusterFolder(), clusterName))
        .read(document, [&](std::wstring_view inSection, std::wstring_view name) {
            return inSection == wantedSection && name == wantedKey;
        });
    return IniValueOr(document, section, key, defaultValue);
}

void WriteClusterValue(const std::wstring& clusterName, const std::wstring& section, const std::wstring& key,
                       const std::wstring& value) {
    Diag(L"Writing INI file\n");
    const std::wstring sectionName = CutAtNul(section);
    const std::wstring path = ClusterValueFilePath(ClusterFolder(), clusterName);
    if (path.empty()) return;
    SHCreateDirectoryExW(nullptr, ClusterFolder().c_str(), nullptr);
    const IniFile file(path);
    IniDocument document;
    // A file that exists but could not be read must not be replaced by this one value.
    if (!file.readForRewrite(document)) return;
    document.GetOrInsert(sectionName).GetOrInsert(key) = value;
    file.write(document);
}

void DeleteClusterSection(const std::wstring& clusterName, const std::wstring& section) {
    Diag(L"Deleting section from INI file.\n");
    const std::wstring sectionName = CutAtNul(section);
    // A name that has no UTF-8 form (a lone surrogate) could never have been stored.
    if (!WideToUtf8(sectionName)) return;
    const IniFile file(ClusterValueFilePath(ClusterFolder(), clusterName));
    IniDocument document;
    if (!file.readForRewrite(document)) return;
    document.Remove(sectionName);
    file.write(document);
}

bool RewriteClusterFile(const std::wstring& clusterName, const std::function<bool(IniDocument&)>& change) {
    Diag(L"Writing INI file\n");
    const std::wstring path = ClusterValueFilePath(ClusterFolder(), clusterName);
    if (path.empty()) return false;
    SHCreateDirectoryExW(nullptr, ClusterFolder().c_str(), nullptr);
    const IniFile file(path);
    IniDocument document;
    if (!file.readForRewrite(document) || !change(document)) return false;
    return file.write(document);
}

bool CreateClusterFile(const std::wstring& clusterName, const IniDocument& document) {
    Diag(L"Writing INI file\n");
    const std::wstring path = ClusterValueFilePath(ClusterFolder(), clusterName);
    if (path.empty()) return false;
    SHCreateDirectoryExW(nullptr, ClusterFolder().c_str(), nullptr);
    return CreateFileBytes(path, JoinIniLines(MergeIniLines({}, IniDocument(), document)));
}
