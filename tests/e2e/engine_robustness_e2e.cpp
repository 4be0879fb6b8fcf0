// A hung program and a flood of window events must not stall Pinora: other windows are still
// placed and "Quit" still ends the program.
#include <optional>
#include <thread>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

const RECT kSavedHung = Rect(300, 200, 500, 350);
const RECT kSavedOther = Rect(900, 300, 400, 300);

class EngineRobustness : public EngineScenario {};

TEST_F(EngineRobustness, AHungWindowBeingPlacedStallsNeitherOtherGlidesNorQuit) {
    WriteCluster(L"Work", true, {{"PNR Hung", kSavedHung}, {"PNR Other", kSavedOther}});
    StartPinora();
    TestWindows helper;
    HWND hung = OpenAnnounced(helper, L"PNR Hung", Rect(40, 40, 320, 240));
    ASSERT_TRUE(helper.Hang(hung, 10000ms));

    HWND other = OpenAnnounced(helper, L"PNR Other", Rect(40, 600, 320, 240));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(other, kSavedOther); }, 4000ms)) << Describe(WindowRect(other));
    // A drag of the other window is handled while the hung one still sleeps.
    ASSERT_TRUE(helper.Drag(other, Rect(40, 600, 320, 240)));
    ASSERT_TRUE(App().Sync(2000ms));

    App().Command(1001);  // "Quit"
    EXPECT_TRUE(App().WaitForExit(3000ms).has_value()) << "Quit did not end Pinora while a window hung";
}

TEST_F(EngineRobustness, AFloodOfRenamesAndMovesLeavesPinoraAnsweringAndQuitWorking) {
    WriteCluster(L"Work", true, {{"PNR Other", kSavedOther}});
    StartPinora();
    TestWindows helper;
    HWND noisy = OpenAnnounced(helper, L"PNR Noisy", Rect(40, 40, 320, 240));
    ASSERT_TRUE(helper.Burst(noisy, 2000));
    EXPECT_TRUE(App().Sync(10000ms)) << "still digesting the flood";

    // The placement of a claimed window still happens after the flood.
    HWND other = OpenAnnounced(helper, L"PNR Other", Rect(40, 600, 320, 240));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(other, kSavedOther); })) << Describe(WindowRect(other));
    App().Command(1001);  // "Quit"
    EXPECT_TRUE(App().WaitForExit(3000ms).has_value()) << "Quit did not end Pinora after the flood";
}

// The update library's shutdown request closes the notification window directly, without
// the Quit command's stop and pause, so the process exits while the animator or a settle
// thread may still be running. It must end cleanly at any moment of a glide.
TEST_F(EngineRobustness, ClosingPinoraAtAnyMomentOfAGlideEndsItCleanly) {
    WriteCluster(L"Work", true, {{"PNR Other", kSavedOther}});
    TestWindows helper;
    for (const Millis into : {0ms, 120ms, 290ms, 320ms, 345ms}) {
        StartPinora();
        HWND window = OpenAnnounced(helper, L"PNR Other", Rect(40, 600, 320, 240));
        std::this_thread::sleep_for(into);
        ASSERT_TRUE(App().Post(WM_CLOSE));
        EXPECT_EQ(App().WaitForExit(5000ms), std::optional<DWORD>(0)) << into.count() << " ms into the glide";
        helper.Close(window);
        WaitUntil([&] { return !IsWindow(window); });
    }
}

// Quit stops handling window events before it stops the animator: a window that appears
// during Quit's pause is left where it is, not set gliding and frozen half way by the exit.
// The exit takes as long as the update library's clean-up, here 150 ms (about half a glide).
TEST_F(EngineRobustness, AWindowThatAppearsWhileQuittingIsLeftWhereItIs) {
    WriteCluster(L"Work", true, {{"PNR Late", kSavedOther}});
    PinoraOptions options;
    options.resetData = false;
    options.besideExe = {BuildBinFolder() + L"\\standins\\WinSparkle.dll"};
    PinoraApp app(options);
    ASSERT_TRUE(
        WriteFileBytes(app.ExePath().substr(0, app.ExePath().rfind(L'\\')) + L"\\winsparkle-cleanup-ms.txt", "150"));
    ASSERT_TRUE(app.Start());
    TestWindows helper;
    app.Command(1001);  // "Quit"
    ASSERT_TRUE(WaitUntil([&] { return !TrayIconExists(app.NotifyWindow(), 1000); }, 3000ms));
    const RECT start = Rect(40, 600, 320, 240);
    HWND late = OpenAnnounced(helper, L"PNR Late", start);
    ASSERT_TRUE(app.WaitForExit(5000ms).has_value());
    EXPECT_TRUE(IsAt(late, start)) << Describe(WindowRect(late));
}

}  // namespace
