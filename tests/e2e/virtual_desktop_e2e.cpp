// Saved windows sent to their virtual desktop by name, with the test stand-in of the desktop
// library beside Pinora.exe and the desktop list in this prefix's registry.
#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "driver/driver.h"
#include "testwin/testwin_protocol.h"

using namespace pnrtest;

namespace {

constexpr wchar_t kDesktopsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VirtualDesktops\\Desktops";
const RECT kTarget = Rect(300, 200, 500, 320);
const RECT kStart = Rect(20, 20, 400, 260);

// The stand-in answers to every name the system build may ask for.
PinoraOptions WithDesktopLibrary() {
    PinoraOptions options;
    options.resetData = false;
    for (const wchar_t* name : {L"VDA_Win10.dll", L"VDA_Win11.dll", L"VDA_Win11_24H2.dll"}) {
        options.copiedAs.emplace_back(BuildBinFolder() + L"\\standins\\VDA_Win10.dll", name);
    }
    return options;
}

void WriteDesktops(int count) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kDesktopsKey);
    for (int i = 0; i < count; ++i) {
        HKEY key = nullptr;
        const std::wstring path = std::wstring(kDesktopsKey) + L"\\{0000000" + std::to_wstring(i) + L"-PNR}";
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        RegCloseKey(key);
    }
}

void WriteCluster(const std::string& desktop) {
    RemoveTree(PinoraDataFolder());
    WriteClusterFile(L"Desks",
                     "[Configuration]\nActivate on Startup=Yes\n"
                     "[Roamer]\nTitle=PNR Roamer\nClass=PnrTestWindow\nPath=x\n"
                     "Desktop=" +
                         desktop +
                         "\nMove to Desktop=Yes\nPosition=300 200\nSize=500 320\n"
                         "Z-Level=1\nRules=Window title does match \"PNR Roamer\"\n"
                         "[Anchor]\nTitle=PNR Anchor\nClass=PnrTestWindow\nPath=x\n"
                         "Position=700 500\nSize=300 200\nZ-Level=5\n"
                         "Rules=Window title does match \"PNR Anchor\"");
}

// Records every distinct rectangle of a window until it sits at the target.
std::vector<RECT> FramesUntil(HWND window, const RECT& target) {
    std::vector<RECT> frames;
    WaitUntil(
        [&] {
            const RECT now = WindowRect(window);
            if (frames.empty() || !SameRect(frames.back(), now)) frames.push_back(now);
            return SameRect(now, target);
        },
        5000ms, 1ms);
    return frames;
}

std::string CallLog(const PinoraApp& app) {
    const std::wstring folder = app.ExePath().substr(0, app.ExePath().find_last_of(L'\\'));
    return ReadFileBytes(folder + L"\\vda-calls.log").value_or("");
}

// The roamer window, shown on desktop `number` before Pinora hears of it.
HWND OpenRoamerOnDesktop(TestWindows& helper, int number) {
    HWND roamer = helper.Open(L"PNR Roamer", kStart);
    helper.SetDesktopNumber(roamer, number);
    helper.RaiseEvent(roamer, EVENT_OBJECT_CREATE);
    return roamer;
}

// The desktop list written by a scenario goes with it.
class VirtualDesktop : public testing::Test {
  protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kDesktopsKey); }
};

bool IsBelow(HWND lower, HWND upper) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == lower) return true;
    }
    return false;
}

}  // namespace

TEST_F(VirtualDesktop, AWindowOnAnotherDesktopIsSentToItsSavedOneAndSetInPlaceAtOnce) {
    WriteDesktops(3);
    WriteCluster("Desktop 2");
    PinoraApp app(WithDesktopLibrary());
    ASSERT_TRUE(app.Start());
    TestWindows helper;
    HWND anchor = helper.Open(L"PNR Anchor", Rect(700, 500, 300, 200));
    HWND roamer = OpenRoamerOnDesktop(helper, 0);
    ASSERT_TRUE(IsBelow(anchor, roamer));

    const auto frames = FramesUntil(roamer, kTarget);
    ASSERT_TRUE(SameRect(frames.back(), kTarget)) << Describe(frames.back());
    for (const RECT& frame : frames) {
        EXPECT_TRUE(SameRect(frame, kStart) || SameRect(frame, kTarget)) << "glided through " << Describe(frame);
    }
    EXPECT_TRUE(WaitUntil([&] {
        return CallLog(app).find("move " + std::to_string(reinterpret_cast<intptr_t>(roamer)) + " 1\n") !=
               std::string::npos;
    }));
    // Re-stacked after it settled: below the window with the higher level.
    EXPECT_TRUE(WaitUntil([&] { return IsBelow(roamer, anchor); }, 3000ms));
}

TEST_F(VirtualDesktop, ADesktopNameThatDoesNotExistLeavesTheDesktopAloneAndTheWindowGlides) {
    WriteDesktops(2);
    WriteCluster("Desktop 9");
    PinoraApp app(WithDesktopLibrary());
    ASSERT_TRUE(app.Start());
    TestWindows helper;
    HWND roamer = OpenRoamerOnDesktop(helper, 0);

    const auto frames = FramesUntil(roamer, kTarget);
    ASSERT_TRUE(SameRect(frames.back(), kTarget)) << Describe(frames.back());
    EXPECT_GT(frames.size(), 4u) << "expected a glide through intermediate frames";
    EXPECT_EQ(CallLog(app).find("move "), std::string::npos);
}

TEST_F(VirtualDesktop, WithoutADesktopLibraryTheClusterStillPlacesItsWindows) {
    WriteDesktops(3);
    WriteCluster("Desktop 2");
    PinoraApp app({/*resetData=*/false});
    ASSERT_TRUE(app.Start());
    TestWindows helper;
    HWND roamer = helper.Open(L"PNR Roamer", kStart, L"PnrTestWindow", {kOpenRaiseCreateEvent});
    const auto frames = FramesUntil(roamer, kTarget);
    EXPECT_TRUE(SameRect(frames.back(), kTarget)) << Describe(frames.back());
}

TEST_F(VirtualDesktop, QuitUnregistersTheLibraryHookWithTheNotificationWindow) {
    WriteDesktops(1);
    WriteCluster("Desktop 1");
    PinoraApp app(WithDesktopLibrary());
    ASSERT_TRUE(app.Start());
    const HWND notifyWindow = app.NotifyWindow();
    app.Quit();
    EXPECT_NE(CallLog(app).find("unregister " + std::to_string(reinterpret_cast<intptr_t>(notifyWindow))),
              std::string::npos);
}

// Only the library beside Pinora.exe is ever loaded: one of the same name in Pinora's current
// folder (or anywhere on the search path) would run its code inside Pinora at every start.
TEST_F(VirtualDesktop, ALibraryInTheCurrentFolderIsNeverLoaded) {
    WriteDesktops(1);
    WriteCluster("Desktop 1");
    const std::wstring planted = L"C:\\pnr-e2e\\planted";
    RemoveTree(planted);
    CreateDirectoryW(L"C:\\pnr-e2e", nullptr);
    CreateDirectoryW(planted.c_str(), nullptr);
    PinoraOptions options;
    options.resetData = false;
    options.currentFolder = planted;
    for (const auto& [source, name] : WithDesktopLibrary().copiedAs) {
        ASSERT_TRUE(CopyFileW(source.c_str(), (planted + L"\\" + name).c_str(), FALSE));
    }
    {
        PinoraApp app(options);
        ASSERT_TRUE(app.Start());
        app.Quit();
        ASSERT_TRUE(app.WaitForExit(5000ms).has_value());
    }
    // The library logs the unregister call that Quit makes when it is loaded.
    EXPECT_FALSE(FileExists(planted + L"\\vda-calls.log"));
    RemoveTree(planted);
}
