#pragma once
// The end-to-end driver: starts and stops the real Pinora.exe, opens helper windows in
// pnr_testwin.exe, and reads what a user would see (windows, boxes, files, registry).
// See tests/e2e/README.md.
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pnrtest {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// Polls until the condition holds or the time runs out; returns the last result.
bool WaitUntil(const std::function<bool()>& condition, Millis timeout = 5000ms, Millis interval = 10ms);

// ---- Paths and files ----------------------------------------------------------------------
std::wstring AppDataFolder();      // the roaming application-data folder of this prefix
std::wstring PinoraDataFolder();   // AppDataFolder + "\Pinora"
std::wstring ClusterFolderPath();  // PinoraDataFolder + "\Clusters"
std::wstring BuildBinFolder();     // where Pinora.exe and the test programs were built
void RemoveTree(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
std::optional<std::string> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// Writes a cluster file (UTF-8 text, "\n" turned into CRLF) into the Clusters folder.
void WriteClusterFile(const std::wstring& clusterName, const std::string& text);
std::string Utf8(const std::wstring& text);

// ---- Registry -------------------------------------------------------------------------------
std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& key, const std::wstring& value);
void DeleteRegistryValue(HKEY root, const std::wstring& key, const std::wstring& value);
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// ---- Windows of other processes ------------------------------------------------------------
RECT WindowRect(HWND window);
std::wstring WindowText(HWND window);  // WM_GETTEXT with a timeout: works across processes
std::vector<HWND> TopLevelWindowsOf(DWORD processId, const wchar_t* className = nullptr);
HWND FindMessageBox(DWORD processId, const std::wstring& caption);
std::wstring MessageBoxText(HWND box);
void CloseMessageBox(HWND box);
bool IsTopmost(HWND window);
// Ends the process that owns the window and waits for it; false when it cannot be opened.
bool EndProcessOfWindow(HWND window, UINT exitCode);
// The full path of the program that owns the window; empty when it cannot be read.
std::wstring ProgramOf(HWND window);
// True when the shell holds a tray icon for (window, id): a modify that changes nothing.
bool TrayIconExists(HWND window, UINT id);
// The number of threads the process runs now (a thread snapshot); -1 when it cannot be taken.
int ThreadCountOf(DWORD processId);

// One run of a program nobody here wrote (Wine's notepad.exe, regedit.exe), started as a user
// would; closed at destruction (ended if it does not close).
class ProgramRun {
  public:
    explicit ProgramRun(const std::wstring& commandLine);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    // Its first visible unowned top-level window, once there is one; null after the timeout.
    HWND WaitForMainWindow(Millis timeout = 10000ms);

  private:
    PROCESS_INFORMATION process_ = {};
    HWND mainWindow_ = nullptr;
};

// ---- Pinora ----------------------------------------------------------------------------------
struct PinoraOptions {
    bool resetData = true;                // remove %APPDATA%\Pinora before the start
    std::vector<std::wstring> besideExe;  // files from the build folder copied beside Pinora.exe
    // (full source path, file name beside Pinora.exe): one stand-in under several names.
    std::vector<std::pair<std::wstring, std::wstring>> copiedAs;
    std::wstring currentFolder;  // Pinora's current folder; the test's own when empty
};

// One run of Pinora.exe from a folder of the test's own (a copy of the built exe, so that
// tests can put stand-in libraries beside it). Killed at destruction if still running.
class PinoraApp {
  public:
    explicit PinoraApp(PinoraOptions options = {});
    ~PinoraApp();
    PinoraApp(const PinoraApp&) = delete;
    PinoraApp& operator=(const PinoraApp&) = delete;

    // Starts the process and waits until its message loop runs (start-up complete).
    bool Start();
    // Starts the process and returns as soon as its notification window first answers a
    // message, which it may do while start-up is still running.
    bool StartUntilFirstAnswer();
    // Starts a further copy without waiting (for the single-instance test).
    PROCESS_INFORMATION StartAnother();

    HWND NotifyWindow() const { return notifyWindow_; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    const std::wstring& ExePath() const { return exePath_; }
    bool IsRunning() const;
    // Waits for the process to end; returns its exit code, or nothing on time-out.
    std::optional<DWORD> WaitForExit(Millis timeout);

    // Messages to the notification window. Post returns at once; Command posts WM_COMMAND.
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool Command(UINT id) const { return Post(WM_COMMAND, id, 0); }
    // Waits until the main thread has handled what was posted just before (up to five messages;
    // a command that runs a modal box or a menu counts as handled once that is showing).
    bool Sync(Millis timeout = 5000ms) const;
    void Quit();
    void Kill();

  private:
    PinoraOptions options_;
    std::wstring folder_;
    std::wstring exePath_;
    PROCESS_INFORMATION process_ = {};
    HWND notifyWindow_ = nullptr;
};

// ---- Helper windows -----------------------------------------------------------------------------
struct OpenOptions {
    unsigned flags = 0;  // testwin_protocol.h kOpen* flags
    HWND owner = nullptr;
};

// One pnr_testwin.exe process (or a copy of it, for a program that must carry another
// executable name). Quit at destruction.
class TestWindows {
  public:
    explicit TestWindows(std::wstring exePath = {});
    ~TestWindows();
    TestWindows(const TestWindows&) = delete;
    TestWindows& operator=(const TestWindows&) = delete;

    DWORD ProcessId() const { return process_.dwProcessId; }
    std::wstring ExePath() const;
    const std::wstring& ControlName() const { return controlName_; }

    HWND Open(const std::wstring& title, RECT outer, const std::wstring& className = L"PnrTestWindow",
              OpenOptions options = {});
    bool Move(HWND window, RECT outer);
    bool Drag(HWND window, RECT outer);  // as a user would: move-size start, move, move-size end
    bool Rename(HWND window, const std::wstring& title);
    bool Minimize(HWND window);
    bool Maximize(HWND window);
    bool Restore(HWND window);
    // Shows a window opened with kOpenHidden, raising the show event or, as Wine does, nothing.
    bool Show(HWND window, bool raiseShowEvent);
    bool Activate(HWND window);
    bool Close(HWND window);
    bool Hang(HWND window, Millis duration);
    bool RaiseEvent(HWND window, DWORD event);
    bool Burst(HWND window, int count);
    // The desktop number that the desktop-library stand-in reports for the window.
    bool SetDesktopNumber(HWND window, int number);
    // Registers a hot key in the helper, which then holds it until it ends.
    bool HoldHotKey(UINT modifiers, UINT virtualKey);

  private:
    LRESULT Send(const std::wstring& command) const;

    std::wstring exePath_;
    std::wstring controlName_;
    PROCESS_INFORMATION process_ = {};
    HWND control_ = nullptr;
};

// ---- Tray menu ----------------------------------------------------------------------------------
// Another process cannot read a popup menu, so the menu is driven by keys, as a user would with
// the keyboard, and each choice is checked by its effect.
constexpr UINT kTrayCallback = 2000;  // the message Pinora's tray icon sends its window
constexpr UINT kTrayIconId = 1000;
HWND VisibleTrayMenu(const PinoraApp& app);  // Pinora's open popup menu, or null
HWND OpenTrayMenu(const PinoraApp& app);     // right-clicks the icon; null when no menu opens
// Opens the menu, walks it with the keys and takes the entry reached with Enter. True once the
// menu has closed and the command it posted has been handled.
bool ChooseFromTrayMenu(const PinoraApp& app, std::vector<WPARAM> keys);
// The root starts with "Clusters", whose submenu starts with "Manage"; the keys skip the
// column breaks. indexAfterManage counts from 1 in the order the submenu shows them.
bool ChooseCluster(const PinoraApp& app, int indexAfterManage);
bool ChooseSaveOpenWindows(const PinoraApp& app);
// clusterIndex counts from 1 in the order of the Clusters submenu.
bool ChooseOpenMissingWindows(const PinoraApp& app, int clusterIndex);
bool ChooseQuickMenuEntry(const PinoraApp& app, int indexAfterClusters);

RECT Rect(int x, int y, int width, int height);
bool SameRect(const RECT& a, const RECT& b);
std::string Describe(const RECT& r);

}  // namespace pnrtest
