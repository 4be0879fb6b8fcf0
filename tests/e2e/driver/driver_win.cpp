// Small probes of the desktop, the file system and the registry for the end-to-end tests.
#include "driver/driver.h"

#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <sstream>
#include <thread>

namespace pnrtest {

bool WaitUntil(const std::function<bool()>& condition, Millis timeout, Millis interval) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(interval);
    }
}

std::wstring AppDataFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE);
    return path;
}
std::wstring PinoraDataFolder() {
    return AppDataFolder() + L"\\Pinora";
}
std::wstring ClusterFolderPath() {
    return PinoraDataFolder() + L"\\Clusters";
}

std::wstring BuildBinFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

void RemoveTree(const std::wstring& path) {
    if (!FileExists(path) && !DirectoryExists(path)) return;
    std::wstring from = path + L'\0';  // double-NUL terminated list
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

bool FileExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

void WriteClusterFile(const std::wstring& clusterName, const std::string& text) {
    CreateDirectoryW(PinoraDataFolder().c_str(), nullptr);
    CreateDirectoryW(ClusterFolderPath().c_str(), nullptr);
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    WriteFileBytes(ClusterFolderPath() + L"\\" + clusterName + L".ini", crlf);
}

std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& key, const std::wstring& value) {
    wchar_t data[1024] = {};
    DWORD size = sizeof(data);
    if (RegGetValueW(root, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(data);
}

void DeleteRegistryValue(HKEY root, const std::wstring& key, const std::wstring& value) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_WRITE, &k) != ERROR_SUCCESS) return;
    RegDeleteValueW(k, value.c_str());
    RegCloseKey(k);
}

RECT WindowRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
    return text;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId, const wchar_t* className) {
    struct Search {
        DWORD pid;
        const wchar_t* className;
        std::vector<HWND> found;
    } search{processId, className, {}};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid != s->pid) return TRUE;
            if (s->className) {
                wchar_t cls[256] = {};
                GetClassNameW(w, cls, 256);
                if (wcscmp(cls, s->className) != 0) return TRUE;
            }
            s->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMessageBox(DWORD processId, const std::wstring& caption) {
    for (HWND w : TopLevelWindowsOf(processId, L"#32770")) {
        if (IsWindowVisible(w) && WindowText(w) == caption) return w;
    }
    return nullptr;
}

std::wstring MessageBoxText(HWND box) {
    return WindowText(GetDlgItem(box, 0xFFFF));
}

void CloseMessageBox(HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    if (ok) {
        PostMessageW(ok, BM_CLICK, 0, 0);
    } else {
        PostMessageW(box, WM_CLOSE, 0, 0);
    }
}

bool EndProcessOfWindow(HWND window, UINT exitCode) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (!process) return false;
    TerminateProcess(process, exitCode);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    return true;
}

std::wstring ProgramOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return L"";
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameW(process, 0, path, &size)) path[0] = L'\0';
    CloseHandle(process);
    return path;
}

bool IsTopmost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool TrayIconExists(HWND window, UINT id) {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = id;
    data.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

int ThreadCountOf(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry = {sizeof(entry)};
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == processId) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

RECT Rect(int x, int y, int width, int height) {
    return RECT{x, y, x + width, y + height};
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

std::string Describe(const RECT& r) {
    std::ostringstream out;
    out << "(" << r.left << ", " << r.top << ", " << r.right - r.left << " x " << r.bottom - r.top << ")";
    return out.str();
}

}  // namespace pnrtest
