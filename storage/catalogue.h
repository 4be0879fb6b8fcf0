#pragma once
// The catalogue of cluster files: which clusters exist, their flags and their sections.
#include <string>
#include <vector>

struct Cluster {
    std::wstring name;
    bool activateOnStartup = false;
    bool showInQuickMenu = false;
};

std::vector<std::wstring> ListFilesMatching(const std::wstring& pattern);
std::vector<std::wstring> ListClusterNames(const std::wstring& folder, const std::wstring& pattern);
std::vector<std::wstring> ListClusterSections(const std::wstring& clusterFilePath);
std::vector<Cluster> LoadClusterList();
// False when the file could not be deleted (or the name is refused).
bool DeleteClusterFile(const std::wstring& clusterName);
// Whether the file system has a file under the cluster's file name, which it also finds under
// a short alias or with letters in another case.
bool ClusterFileExists(const std::wstring& clusterName);
// Never replaces an existing file; false when the file system refused the rename.
bool RenameClusterFile(const std::wstring& oldName, const std::wstring& newName);
