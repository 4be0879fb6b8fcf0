#include "storage/file_bytes.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <vector>

#include "base/win_handles.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool SetDeleteOnClose(HANDLE file, bool deleteOnClose) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleteOnClose ? TRUE : FALSE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition)) != FALSE;
}

// Newer systems can replace a target that others hold open with delete sharing (POSIX
// semantics); older ones, and Wine, refuse that information class and take the classic one.
bool RenameThroughHandle(HANDLE file, const std::wstring& target) {
    const size_t nameBytes = target.size() * sizeof(wchar_t);
    std::vector<uint8_t> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    target.copy(rename->FileName, target.size());
    const auto size = static_cast<DWORD>(buffer.size());
    // Its first member is a flags word for the newer class (the headers declare it only for
    // newer targets) and a boolean for the classic one.
    constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
    const DWORD flags = 0x1 /* replace if exists */ | 0x2 /* POSIX semantics */;
    std::memcpy(buffer.data(), &flags, sizeof(flags));
    if (SetFileInformationByHandle(file, kFileRenameInfoEx, rename, size)) return true;
    std::memset(buffer.data(), 0, sizeof(flags));
    rename->ReplaceIfExists = TRUE;
    return SetFileInformationByHandle(file, FileRenameInfo, rename, size) != FALSE;
}

// A fresh file beside the target, removed again unless it was renamed over the target. Its
// name ends in ".tmp", so no listing of "*.ini" ever shows it, not even by its short name.
// The name is short and does not grow with the target's: a failure to make it means no
// rewrite at all, so a target whose path is near the length limit must still get one.
class SiblingFile {
  public:
    explicit SiblingFile(const std::wstring& target) {
        static std::atomic<unsigned> counter{0};
        const std::wstring folder = target.substr(0, target.find_last_of(L"\\/") + 1);
        for (int attempt = 0; attempt < 16; ++attempt) {
            path_ = folder + L"~pnr" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(counter.fetch_add(1)) + L".tmp";
            handle_.reset(CreateFileW(path_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
            if (IsValid(handle_) || GetLastError() != ERROR_FILE_EXISTS) return;
        }
    }
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;
    ~SiblingFile() {
        if (committed_ || !IsValid(handle_)) return;
        handle_.reset();
        DeleteFileW(path_.c_str());
    }

    bool IsOpen() const { return IsValid(handle_); }
    HANDLE Handle() const { return handle_.get(); }

    // On failure the last error tells why the target refused to be replaced.
    bool RenameOver(const std::wstring& target) {
        committed_ = RenameThroughHandle(handle_.get(), target);
        if (committed_) return true;
        // Some file systems refuse renaming through a handle; by name they may not.
        handle_.reset();
        committed_ = MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (committed_) return true;
        const DWORD error = GetLastError();
        DeleteFileW(path_.c_str());
        SetLastError(error);
        return false;
    }

  private:
    std::wstring path_;
    UniqueHandle handle_;
    bool committed_ = false;
};

// The process that made a sibling, from its name ("~pnr<process id>-<counter>.tmp"); 0 when
// the name is not one of ours.
DWORD SiblingOwner(const wchar_t* name) {
    if (wcsncmp(name, L"~pnr", 4) != 0) return 0;
    DWORD owner = 0;
    const wchar_t* digit = name + 4;
    for (; *digit >= L'0' && *digit <= L'9' && owner < 0x10000000u; ++digit) owner = owner * 10 + (*digit - L'0');
    return *digit == L'-' ? owner : 0;
}

bool ProcessHasEnded(DWORD processId) {
    const UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
    return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
}

// A writer killed between finishing its sibling and renaming it leaves the sibling behind.
// The next rewrite in the folder removes such leftovers, so they never pile up; siblings of
// running writers, this one's included, are left alone.
void RemoveSiblingsOfEndedWriters(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW((folder + L"~pnr*.tmp").c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) return;
    do {
        const DWORD owner = SiblingOwner(found.cFileName);
        if (owner == 0 || owner == GetCurrentProcessId() || !ProcessHasEnded(owner)) continue;
        DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search.get(), &found));
}

enum class SiblingOutcome {
    Replaced,
    NotWritten,     // the sibling could not be made, written or flushed in full
    TargetHeld,     // written in full, but the target is held open and refused the rename
    ReplaceFailed,  // written in full, but the rename failed for another reason
};

// The new content goes to a sibling file, which is then renamed over the target. While it
// is written the sibling is marked for deletion, so even a killed process leaves nothing.
SiblingOutcome ReplaceThroughSibling(const std::wstring& path, std::string_view bytes) {
    RemoveSiblingsOfEndedWriters(path.substr(0, path.find_last_of(L"\\/") + 1));
    SiblingFile sibling(path);
    if (!sibling.IsOpen()) return SiblingOutcome::NotWritten;
    const bool marked = SetDeleteOnClose(sibling.Handle(), true);
    if (!WriteAll(sibling.Handle(), bytes) || !FlushFileBuffers(sibling.Handle())) return SiblingOutcome::NotWritten;
    if (marked && !SetDeleteOnClose(sibling.Handle(), false)) return SiblingOutcome::NotWritten;
    if (sibling.RenameOver(path)) return SiblingOutcome::Replaced;
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ? SiblingOutcome::TargetHeld
                                                                            : SiblingOutcome::ReplaceFailed;
}

bool OverwriteInPlace(const std::wstring& path, std::string_view bytes) {
    UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return IsValid(file) && WriteAll(file.get(), bytes);
}

bool ExistingFileRefusesWriting(const std::wstring& path) {
    UniqueHandle probe(
        CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (IsValid(probe)) return false;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

}  // namespace

FileBytes ReadFileBytes(const std::wstring& path) {
    FileBytes result;
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!IsValid(file)) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        result.outcome = missing ? FileReadOutcome::Missing : FileReadOutcome::Failed;
        return result;
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 30)) {
        result.bytes.reserve(static_cast<size_t>(size.QuadPart));
    }
    char chunk[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof(chunk), &got, nullptr)) {
            result.outcome = FileReadOutcome::Partial;
            return result;
        }
        if (got == 0) break;
        result.bytes.append(chunk, got);
    }
    result.outcome = FileReadOutcome::Read;
    return result;
}

bool ReplaceFileBytes(const std::wstring& path, std::string_view bytes) {
    if (path.empty() || ExistingFileRefusesWriting(path)) return false;
    switch (ReplaceThroughSibling(path, bytes)) {
        case SiblingOutcome::Replaced:
            return true;
        case SiblingOutcome::TargetHeld:
            // Another program holds the file without delete sharing, so it cannot be replaced;
            // the content is written in place, the only way left. The sibling was written in
            // full, so the disk has room for it.
            return OverwriteInPlace(path, bytes);
        case SiblingOutcome::NotWritten:
        case SiblingOutcome::ReplaceFailed:
            // A full disk or an exhausted quota: overwriting in place would truncate the file
            // and then fail part way, leaving neither the old nor the new content.
            return false;
    }
    return false;
}

bool CreateFileBytes(const std::wstring& path, std::string_view bytes) {
    if (path.empty()) return false;
    // CREATE_NEW asks the file system itself whether the name is taken: a comparison of names
    // here could not know which aliases it matches.
    UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!IsValid(file)) return false;
    const bool marked = SetDeleteOnClose(file.get(), true);
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
        if (!marked) {
            file.reset();
            DeleteFileW(path.c_str());
        }
        return false;
    }
    return !marked || SetDeleteOnClose(file.get(), false);
}
