// Windows that appear while Pinora starts or runs are placed, whichever way their program
// brings them up: shown at once, created hidden and shown later (with the show event Windows
// raises, or with none, as under Wine), or by programs nobody here wrote.
#include <thread>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

const RECT kElsewhere = Rect(40, 40, 320, 240);

class NewWindows : public EngineScenario {};

TEST_F(NewWindows, WindowsOpenedTheMomentPinoraFirstAnswersAreAllPlaced) {
    const std::vector<SavedWindow> saved = {
        {"PNR Early 1", Rect(300, 200, 500, 350)}, {"PNR Early 2", Rect(900, 150, 400, 300)},
        {"PNR Early 3", Rect(500, 600, 300, 200)}, {"PNR Early 4", Rect(1300, 500, 300, 200)},
        {"PNR Early 5", Rect(100, 700, 300, 200)},
    };
    WriteCluster(L"Work", true, saved);
    for (int repetition = 1; repetition <= 5; ++repetition) {
        TestWindows helper;  // ready before Pinora starts, so that nothing delays the windows
        PinoraApp app({/*resetData=*/false});
        ASSERT_TRUE(app.StartUntilFirstAnswer());
        std::vector<HWND> windows;
        for (const SavedWindow& w : saved) {
            windows.push_back(OpenAnnounced(helper, std::wstring(w.title.begin(), w.title.end()), kElsewhere));
        }
        for (size_t i = 0; i < saved.size(); ++i) {
            EXPECT_TRUE(WaitUntil([&] { return IsAt(windows[i], saved[i].frame); }))
                << "repetition " << repetition << ", " << saved[i].title << " at " << Describe(WindowRect(windows[i]));
        }
    }
}

// Windows created hidden and shown later are placed; one that stays hidden until it closes is
// never touched.
TEST_F(NewWindows, AWindowShownAfterItsCreationGlidesToItsSavedFrameWithOrWithoutTheShowEvent) {
    const RECT savedSilent = Rect(300, 200, 500, 350);
    const RECT savedAnnounced = Rect(900, 150, 400, 300);
    WriteCluster(L"Work", true,
                 {{"PNR Silent", savedSilent}, {"PNR Announced", savedAnnounced}, {"PNR Hidden", savedSilent}});
    StartPinora();
    TestWindows helper;
    HWND silent = helper.Open(L"PNR Silent", kElsewhere, L"PnrTestWindow", {kOpenHidden});
    HWND announced = helper.Open(L"PNR Announced", kElsewhere, L"PnrTestWindow", {kOpenHidden});
    HWND hidden = helper.Open(L"PNR Hidden", kElsewhere, L"PnrTestWindow", {kOpenHidden});
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(helper.Show(silent, /*raiseShowEvent=*/false));
    ASSERT_TRUE(helper.Show(announced, /*raiseShowEvent=*/true));

    EXPECT_TRUE(WaitUntil([&] { return IsAt(silent, savedSilent); })) << Describe(WindowRect(silent));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(announced, savedAnnounced); })) << Describe(WindowRect(announced));
    EXPECT_TRUE(IsAt(hidden, kElsewhere)) << Describe(WindowRect(hidden));
    ASSERT_TRUE(helper.Close(hidden));
    EXPECT_TRUE(App().Sync());
}

// A hidden new window is watched for five seconds; after that only the show event places it.
TEST_F(NewWindows, AWindowShownLongAfterItsCreationIsPlacedByTheShowEventAlone) {
    const RECT savedSilent = Rect(300, 200, 500, 350);
    const RECT savedAnnounced = Rect(900, 150, 400, 300);
    WriteCluster(L"Work", true, {{"PNR Late Silent", savedSilent}, {"PNR Late Announced", savedAnnounced}});
    StartPinora();
    TestWindows helper;
    HWND silent = helper.Open(L"PNR Late Silent", kElsewhere, L"PnrTestWindow", {kOpenHidden});
    HWND announced = helper.Open(L"PNR Late Announced", kElsewhere, L"PnrTestWindow", {kOpenHidden});
    std::this_thread::sleep_for(5500ms);
    ASSERT_TRUE(helper.Show(silent, /*raiseShowEvent=*/false));
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(IsAt(silent, kElsewhere)) << Describe(WindowRect(silent));

    ASSERT_TRUE(helper.Show(announced, /*raiseShowEvent=*/true));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(announced, savedAnnounced); })) << Describe(WindowRect(announced));
}

// Under Wine, real programs raise no event at all once their window is shown.
TEST_F(NewWindows, NotepadAndRegeditOpenedWhilePinoraRunsLandAtTheirSavedFrames) {
    const RECT savedNotepad = Rect(260, 180, 700, 500);
    const RECT savedRegedit = Rect(420, 140, 900, 600);
    WriteClusterFile(L"Real",
                     "[Configuration]\nActivate on Startup=Yes\n"
                     "[Notepad]\nTitle=Notepad\nPosition=260 180\nSize=700 500\n"
                     "Rules=Executable name does match \"notepad.exe\"\n"
                     "[Regedit]\nTitle=Regedit\nPosition=420 140\nSize=900 600\n"
                     "Rules=Executable name does match \"regedit.exe\"\n");
    StartPinora();
    for (int run = 1; run <= 3; ++run) {
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad");  // it reopens where it was closed
        ProgramRun notepad(L"notepad.exe");
        HWND window = notepad.WaitForMainWindow();
        ASSERT_NE(window, nullptr) << "run " << run;
        EXPECT_TRUE(WaitUntil([&] { return IsAt(window, savedNotepad); }))
            << "run " << run << ": " << Describe(WindowRect(window));
    }
    ProgramRun regedit(L"regedit.exe");
    HWND window = regedit.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, savedRegedit); })) << Describe(WindowRect(window));
}

}  // namespace
