#include "base/diagnostics.h"
#include "base/process.h"
#include "storage/cluster_paths.h"
#include "storage/ini_file.h"
#include "storage/profile.h"
#include "storage/profile_reading.h"

namespace {

// Only the keys a window entry is made of are kept.
IniDocument ReadDocument(const std::wstring& path) {
    IniDocument document;
    IniFile(path).read(document, [](std::wstring_view, std::wstring_view key) { return IsWindowProfileKey(key); });
    return document;
}

}  // namespace

// The file is parsed once and every value taken from that document; this gives the records
// that reading key by key would give, without a parse per value.
WindowProfileList LoadWindowProfiles(const std::wstring& clusterName) {
    Diag(L"Retrieving all windows for cluster " + clusterName + L"\n");
    Diag(L"Listing INI sections.\n");
    const std::wstring entriesPath = ClusterFilePath(ClusterFolder(), clusterName);
    if (entriesPath.empty()) return {};
    const IniDocument entries = ReadDocument(entriesPath);
    // The entries are listed from "<name>.ini" even when the name ends in ".ini", but their
    // values are read from the file the value operations use; only then are these two files.
    const std::wstring valuesPath = ClusterValueFilePath(ClusterFolder(), clusterName);
    const bool sameFile = valuesPath == entriesPath;
    const IniDocument otherValues = sameFile ? IniDocument() : ReadDocument(valuesPath);
    const IniDocument& values = sameFile ? entries : otherValues;

    WindowProfileList profiles;
    for (const std::wstring& name : WindowEntryNames(entries)) {
        if (std::optional<WindowProfile> profile = ReadWindowProfile(values, name)) {
            profiles.push_back(std::move(*profile));
        } else {
            Diag(L"Handled Exception.\n");
        }
    }
    return profiles;
}
