#include "storage_test_support.h"

#include "base/diagnostics.h"
#include "base/process.h"
#include "base/win_handles.h"

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (search && search.get() != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search.get(), &found));
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    for (;;) {
        path_ = std::wstring(temp) + L"pnr-storage-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        if (CreateDirectoryW(path_.c_str(), nullptr)) return;
    }
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

ScratchAppData::ScratchAppData() : savedPath_(AppDataPath) {
    wcsncpy_s(AppDataPath, MAX_PATH, folder_.Path().c_str(), _TRUNCATE);
    CreateDirectoryW(folder_.File(L"Pinora").c_str(), nullptr);
    CreateDirectoryW(folder_.File(L"Pinora\\Clusters").c_str(), nullptr);
}

ScratchAppData::~ScratchAppData() {
    wcsncpy_s(AppDataPath, MAX_PATH, savedPath_.c_str(), _TRUNCATE);
}

std::wstring ScratchAppData::ClusterFile(const std::wstring& fileName) const {
    return folder_.File(L"Pinora\\Clusters\\" + fileName);
}

void ScratchAppData::WriteCluster(const std::wstring& clusterName, const std::string& bytes) const {
    WriteBytes(ClusterFile(clusterName + L".ini"), bytes);
}

std::string ScratchAppData::ReadCluster(const std::wstring& clusterName) const {
    return ReadBytes(ClusterFile(clusterName + L".ini"));
}

std::wstring TestDataPath(const std::string& relative) {
    // The Linux root is drive Z: under Wine.
    const std::string path = std::string("Z:") + PNR_TEST_DATA_DIR + "/" + relative;
    return std::wstring(path.begin(), path.end());
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::wstring& path) {
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    if (!IsValid(file)) return bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (IsValid(file)) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
