#pragma once
// Shared set-up of the window-engine scenarios: a settings file with a chosen "Time Delay",
// cluster files whose entries recognise helper windows by title, and a Pinora started on them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "driver/controls.h"
#include "driver/driver.h"
#include "testwin/testwin_protocol.h"

namespace pnrtest {

// One saved window entry that recognises the helper window with this exact title.
struct SavedWindow {
    std::string title;
    RECT frame;
    int zLevel = 0;
    std::string corners = "Round";
};

inline std::string EntryText(const SavedWindow& w) {
    const RECT& f = w.frame;
    return "[" + w.title + "]\nTitle=" + w.title + "\nClass=PnrTestWindow\nPath=Error\nCorners=" + w.corners +
           "\nPosition=" + std::to_string(f.left) + " " + std::to_string(f.top) +
           "\nSize=" + std::to_string(f.right - f.left) + " " + std::to_string(f.bottom - f.top) +
           "\nZ-Level=" + std::to_string(w.zLevel) + "\nRules=Window title does match \"" + w.title + "\"\n";
}

inline void WriteCluster(const std::wstring& name, bool activeAtStart, const std::vector<SavedWindow>& windows) {
    std::string text = std::string("[Configuration]\nActivate on Startup=") + (activeAtStart ? "Yes" : "No") + "\n";
    for (const SavedWindow& w : windows) text += EntryText(w);
    WriteClusterFile(name, text);
}

inline void WriteTimeDelay(int seconds) {
    CreateDirectoryW(PinoraDataFolder().c_str(), nullptr);
    WritePrivateProfileStringW(L"Settings", L"Time Delay", std::to_wstring(seconds).c_str(),
                               (PinoraDataFolder() + L"\\config.ini").c_str());
}

// A helper window that announces itself once shown, as a new window on Windows would.
inline HWND OpenAnnounced(TestWindows& helper, const std::wstring& title, const RECT& outer) {
    return helper.Open(title, outer, L"PnrTestWindow", {kOpenRaiseCreateEvent});
}

inline bool IsAt(HWND window, const RECT& frame) {
    return SameRect(WindowRect(window), frame);
}

// A program Wine ships, started as a user would; ended when the test ends.
class WineProgram {
  public:
    explicit WineProgram(std::wstring commandLine) {
        STARTUPINFOW startup = {sizeof(startup)};
        startup.dwFlags = STARTF_USESTDHANDLES;  // or it would hold the test's output open
        startup.hStdInput = startup.hStdOutput = startup.hStdError = INVALID_HANDLE_VALUE;
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process_);
    }
    ~WineProgram() {
        if (!process_.hProcess) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 3000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    HWND WaitForWindow(const wchar_t* className) const {
        return WaitForWindowOf(process_.dwProcessId, className, 10000ms);
    }

  private:
    PROCESS_INFORMATION process_ = {};
};

// ---- The stand-in desktop window manager library (tests/standins/dwmapi) -----------------------
// Wine prefers its own system libraries; this override makes it load the copy beside Pinora.exe.
inline constexpr wchar_t kPinoraDllOverridesKey[] = L"Software\\Wine\\AppDefaults\\Pinora.exe\\DllOverrides";

inline void PreferDwmStandIn() {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kPinoraDllOverridesKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    const wchar_t order[] = L"native,builtin";
    RegSetValueExW(key, L"dwmapi", 0, REG_SZ, reinterpret_cast<const BYTE*>(order), sizeof(order));
    RegCloseKey(key);
}

inline void ForgetDwmStandIn() {
    DeleteRegistryValue(HKEY_CURRENT_USER, kPinoraDllOverridesKey, L"dwmapi");
}

inline PinoraOptions KeepDataWithDwmStandIn() {
    PinoraOptions options{/*resetData=*/false};
    options.copiedAs.emplace_back(BuildBinFolder() + L"\\standins\\dwmapi.dll", L"dwmapi.dll");
    return options;
}

// What Pinora asked of the stand-in: one "set <window> <attribute> <value>" line per request.
inline std::string DwmRequestLog(const PinoraApp& app) {
    const std::wstring exe = app.ExePath();
    return ReadFileBytes(exe.substr(0, exe.find_last_of(L'\\')) + L"\\dwm-calls.log").value_or("");
}

// Each scenario writes its files into a fresh data folder, then starts Pinora on them.
class EngineScenario : public testing::Test {
  protected:
    void SetUp() override {
        RemoveTree(PinoraDataFolder());
        WriteTimeDelay(2);
    }

    void StartPinora(PinoraOptions options = PinoraOptions{/*resetData=*/false}) {
        app_ = std::make_unique<PinoraApp>(std::move(options));
        ASSERT_TRUE(app_->Start());
    }

    PinoraApp& App() { return *app_; }

    std::unique_ptr<PinoraApp> app_;
};

// Scenarios that check what Pinora asks of the desktop window manager run it with the stand-in
// library, which reports 7-pixel invisible borders (left, right and bottom) and logs requests.
class DwmStandInScenario : public EngineScenario {
  protected:
    static constexpr int kBorder = 7;

    void SetUp() override {
        EngineScenario::SetUp();
        PreferDwmStandIn();
    }
    void TearDown() override { ForgetDwmStandIn(); }

    void StartPinoraWithStandIn() { StartPinora(KeepDataWithDwmStandIn()); }

    // The outer rectangle of a window whose visible frame is `frame`, with the stand-in's borders.
    static RECT OuterOf(const RECT& frame) {
        return RECT{frame.left - kBorder, frame.top, frame.right + kBorder, frame.bottom + kBorder};
    }

    std::string RequestLog() const { return DwmRequestLog(*app_); }

    // Starts Pinora with one active cluster claiming one window, opens that window at `from` and
    // returns it once it has glided to its saved frame and settled there.
    HWND PlacedWindow(TestWindows& helper, const std::string& title, const RECT& saved, const RECT& from) {
        WriteCluster(L"Work", true, {{title, saved}});
        StartPinoraWithStandIn();
        HWND window = OpenAnnounced(helper, std::wstring(title.begin(), title.end()), from);
        EXPECT_TRUE(WaitUntil([&] { return IsAt(window, OuterOf(saved)); })) << Describe(WindowRect(window));
        std::this_thread::sleep_for(500ms);  // the glide's settling is over
        return window;
    }

    // Every placement pass that reaches a claimed window sets its corner style.
    size_t PassesOver(HWND window) const {
        const std::string log = RequestLog();
        const std::string line = "set " + std::to_string(reinterpret_cast<intptr_t>(window)) + " 33 ";
        size_t count = 0;
        for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++count;
        return count;
    }
};

// Another program, or the system, moves the window and reports nothing.
inline void MoveWithoutEvent(HWND window, const RECT& outer) {
    SetWindowPos(window, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace pnrtest
