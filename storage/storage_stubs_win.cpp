// Placeholders until the cluster-file engine lands; they behave as an empty cluster folder.
#include "storage/catalogue.h"
#include "storage/ini.h"
#include "storage/profile.h"

std::wstring ReadClusterValue(const std::wstring&, const std::wstring&, const std::wstring&,
                              const std::wstring& defaultValue) {
    return defaultValue;
}
void WriteClusterValue(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&) {}
void DeleteClusterSection(const std::wstring&, const std::wstring&) {}
std::vector<std::wstring> ListFilesMatching(const std::wstring&) {
    return {};
}
std::vector<std::wstring> ListClusterNames(const std::wstring&, const std::wstring&) {
    return {};
}
std::vector<std::wstring> ListClusterSections(const std::wstring&) {
    return {};
}
std::vector<Cluster> LoadClusterList() {
    return {};
}
void DeleteClusterFile(const std::wstring&) {}
void RenameClusterFile(const std::wstring&, const std::wstring&) {}
WindowProfileList LoadWindowProfiles(const std::wstring&) {
    return {};
}
