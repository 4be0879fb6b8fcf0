// Cluster names to file paths. Whatever the name, the path is refused (empty) or is the
// clusters folder, one backslash and a single file name that Windows keeps as it is: no
// separator, drive or stream colon, wildcard, quote, pipe, angle bracket or control
// character; not made only of dots and blanks and not ending in a dot or blank (the system
// would strip those and open another file, or the folder's parent); and not a device name
// (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9, LPT1-9 and their superscript forms, alone
// or before a dot, trailing blanks ignored). Every file a listing reports as a cluster
// leads back to itself, and every accepted name comes back from its file's name.
//
// Input: one 16-bit code unit per two bytes, as names are on Windows; the first byte picks
// the way the name is used.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "storage/cluster_paths.h"

namespace {

const std::wstring kFolder = L"C:\\Users\\u\\AppData\\Roaming\\Pinora\\Clusters";

void Require(bool condition, const char* property) {
    if (condition) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

wchar_t Upper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool SameIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) return false;
    }
    return true;
}

bool IsDevice(std::wstring_view fileName) {
    std::wstring_view stem = fileName.substr(0, fileName.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (SameIgnoringAsciiCase(stem, device)) return true;
    }
    if (stem.size() != 4) return false;
    const bool numbered =
        SameIgnoringAsciiCase(stem.substr(0, 3), L"COM") || SameIgnoringAsciiCase(stem.substr(0, 3), L"LPT");
    const wchar_t digit = stem[3];
    return numbered &&
           ((digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3');
}

// A file name inside the folder that opens exactly that file.
bool StaysInTheFolder(const std::wstring& fileName) {
    if (fileName.empty() || fileName.find_first_not_of(L". ") == std::wstring::npos) return false;
    if (fileName.back() == L'.' || fileName.back() == L' ') return false;
    for (wchar_t c : fileName) {
        if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
    }
    return !IsDevice(fileName);
}

// The file name part of a path made for the folder, or nothing when the path is refused.
std::optional<std::wstring> FileNameIn(const std::wstring& path) {
    if (path.empty()) return std::nullopt;
    Require(path.size() > kFolder.size() + 1 && path.compare(0, kFolder.size(), kFolder) == 0 &&
                path[kFolder.size()] == L'\\',
            "a path starts with the folder and one backslash");
    return path.substr(kFolder.size() + 1);
}

void CheckPathOf(std::wstring_view name) {
    // The system sees a name only up to its first NUL.
    const std::wstring typed(name.substr(0, name.find(L'\0')));
    if (const std::optional<std::wstring> file = FileNameIn(ClusterFilePath(kFolder, name))) {
        Require(StaysInTheFolder(*file), "the cluster file stays in the folder");
        Require(*file == typed + L".ini", "the cluster file is the name and .ini");
        Require(ClusterNameOfFile(*file) == typed, "the name comes back from its file");
    }
    if (const std::optional<std::wstring> file = FileNameIn(ClusterValueFilePath(kFolder, name))) {
        Require(StaysInTheFolder(*file), "the value file stays in the folder");
        Require(*file == typed || *file == typed + L".ini", "the value file is the name, with .ini if it lacks it");
    }
}

void CheckListedFile(const std::wstring& fileName) {
    const std::optional<std::wstring> name = ClusterNameOfFile(fileName);
    if (!name) return;
    const std::optional<std::wstring> file = FileNameIn(ClusterFilePath(kFolder, *name));
    Require(file.has_value(), "a listed cluster has a path");
    Require(SameIgnoringAsciiCase(*file, fileName) &&
                file->compare(0, file->size() - 4, fileName, 0, fileName.size() - 4) == 0,
            "a listed cluster's path is its own file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::wstring text;
    for (size_t i = 1; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    switch (data[0] % 3) {
        case 0:
            CheckPathOf(text);
            break;
        case 1:
            CheckListedFile(text);
            break;
        case 2:
            // Names typed with the extension or read from a listing end in it.
            CheckPathOf(text + L".ini");
            CheckListedFile(text + L".INI");
            break;
    }
    return 0;
}
