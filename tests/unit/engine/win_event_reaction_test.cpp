// The filter and the dispatch of OnWinEvent, seen through the moves it schedules. An observer
// window, claimed by an active profile and away from its saved frame, is moved by every
// profile pass with the configured delay (5 s here), so a job for it shows that an event
// reached the reaction; no job shows that the event was dropped.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "engine/engine.h"
#include "engine/new_window_watch.h"
#include "test_window_thread.h"
#include "unit/storage/storage_test_support.h"

namespace {

using namespace std::chrono_literals;

const RECT kAway = {100, 100, 500, 400};
constexpr int kTimeDelaySeconds = 5;

WindowProfile ProfileFor(const std::wstring& title) {
    WindowProfile profile;
    profile.title = title;
    profile.rules = L"Window title does match \"" + title + L"\"";
    profile.position = {600, 300};
    profile.size = {400, 300};
    return profile;
}

bool HasJob(HWND window) {
    return MoveJobTable.Read([window](const MoveJobMap& jobs) { return jobs.count(window) != 0; });
}

// A pass has scheduled the window's move, or the move has already run.
bool PlacedByAPass(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return HasJob(window) || rect.left != kAway.left;
}

MoveJob JobOf(HWND window) {
    return MoveJobTable.Read([window](const MoveJobMap& jobs) {
        const auto found = jobs.find(window);
        return found == jobs.end() ? MoveJob{} : found->second;
    });
}

void Raise(DWORD event, HWND window, LONG objectId = OBJID_WINDOW) {
    OnWinEvent(nullptr, event, window, objectId, CHILDID_SELF, 0, 0);
}

// Runs this thread's timers (the watch of hidden new windows runs on them) until the condition
// holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds time = 2s) {
    const auto deadline = std::chrono::steady_clock::now() + time;
    while (!condition() && std::chrono::steady_clock::now() < deadline) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
    return condition();
}

class WindowEvents : public testing::Test {
  protected:
    void SetUp() override {
        Reset();
        WritePrivateProfileStringW(L"Settings", L"Time Delay", std::to_wstring(kTimeDelaySeconds).c_str(),
                                   SettingsFilePath().c_str());
        observer_ = OpenClaimed(L"Observer");
    }
    void TearDown() override { Reset(); }

    static void Reset() {
        StopAnimator();
        ClusterMap.Replace({});
        ActiveClusterMap.Replace({});
        LiveWindowList.Replace({});
    }

    HWND Open(const std::wstring& title, RECT rect = kAway, DWORD style = WS_POPUP | WS_CAPTION | WS_VISIBLE) {
        TestWindowSpec spec;
        spec.title = title;
        spec.rect = rect;
        spec.style = style;
        return windows_.Open(spec);
    }

    // A window that an active profile claims, away from its saved frame; the live list is
    // refreshed so that the reaction knows it.
    HWND OpenClaimed(const std::wstring& title, RECT rect = kAway, DWORD style = WS_POPUP | WS_CAPTION | WS_VISIBLE) {
        HWND window = Open(title, rect, style);
        ClusterMapValue clusters = ClusterMap.Snapshot();
        clusters[L"Work"].active = true;
        clusters[L"Work"].profiles.emplace(title, ProfileFor(title));
        ClusterMap.Replace(clusters);
        ActiveClusterMap.Replace(clusters);
        RefreshLiveWindowList();
        return window;
    }

    // A claimed window that only a placement pass can find: the live list is not refreshed.
    HWND OpenClaimedUnseen(const std::wstring& title) {
        HWND window = Open(title);
        ClusterMapValue clusters = ActiveClusterMap.Snapshot();
        clusters[L"Work"].profiles.emplace(title, ProfileFor(title));
        ClusterMap.Replace(clusters);
        ActiveClusterMap.Replace(clusters);
        return window;
    }

    ScratchAppData appData_;
    TestWindowThread windows_;
    HWND observer_ = nullptr;
};

TEST_F(WindowEvents, TheEndOfADragSchedulesTheReturnAfterTheConfiguredTimeDelay) {
    const auto before = std::chrono::steady_clock::now();
    Raise(EVENT_SYSTEM_MOVESIZEEND, observer_);
    const auto after = std::chrono::steady_clock::now();

    ASSERT_TRUE(HasJob(observer_));
    const MoveJob job = JobOf(observer_);
    EXPECT_GE(job.startTime, before + std::chrono::seconds(kTimeDelaySeconds));
    EXPECT_LE(job.startTime, after + std::chrono::seconds(kTimeDelaySeconds));
    EXPECT_EQ(job.targetFrame, (FrameBounds{600, 300, 400, 300}));
}

TEST_F(WindowEvents, GrabbingAWindowCancelsItsOwnPendingMoveOnly) {
    HWND grabbed = OpenClaimed(L"Grabbed");
    Raise(EVENT_SYSTEM_MOVESIZEEND, grabbed);
    ASSERT_TRUE(HasJob(grabbed));
    ASSERT_TRUE(HasJob(observer_));

    Raise(EVENT_SYSTEM_MOVESIZESTART, grabbed);
    EXPECT_TRUE(!HasJob(grabbed) || JobOf(grabbed).done);
    EXPECT_FALSE(JobOf(observer_).done);
    EXPECT_TRUE(MovingFlags.Read([&](const MovingFlagMap& flags) { return flags.count(grabbed) == 0; }));
}

TEST_F(WindowEvents, EventsOfTheClientAreaAreDropped) {
    Raise(EVENT_SYSTEM_MOVESIZEEND, observer_, OBJID_CLIENT);
    EXPECT_FALSE(HasJob(observer_));
}

// A part of the window the user last activated speaks for it with any object but its client
// area; a part of another window, or another window's non-window object, does not.
TEST_F(WindowEvents, ObjectsOtherThanTheWindowCountOnlyForChildrenOfTheLastForegroundWindow) {
    HWND other = Open(L"Other");
    Raise(EVENT_SYSTEM_FOREGROUND, observer_);
    TestWindowSpec childSpec;
    childSpec.rect = {0, 0, 50, 20};
    childSpec.style = WS_CHILD | WS_VISIBLE;
    childSpec.owner = observer_;
    HWND child = windows_.Open(childSpec);
    ASSERT_EQ(GetParent(child), observer_);

    Raise(EVENT_SYSTEM_MOVESIZEEND, other, OBJID_CARET);
    EXPECT_FALSE(HasJob(observer_)) << "another window's caret";
    Raise(EVENT_SYSTEM_MOVESIZEEND, child, OBJID_CLIENT);
    EXPECT_FALSE(HasJob(observer_)) << "the client area of a child";
    Raise(EVENT_SYSTEM_MOVESIZEEND, child, OBJID_CARET);
    EXPECT_TRUE(HasJob(observer_)) << "the caret of a child";
}

TEST_F(WindowEvents, EventsOfTheExcludedCodeEditorAreDropped) {
    HWND editor = OpenClaimed(L"engine.h - PNR - C/C++ - Visual Studio Code");
    Raise(EVENT_SYSTEM_MOVESIZEEND, editor);
    EXPECT_FALSE(HasJob(observer_));
    EXPECT_FALSE(HasJob(editor));
}

TEST_F(WindowEvents, EventsOfAMaximizedOrMinimizedWindowAreDropped) {
    HWND maximized = Open(L"Maximized");
    HWND minimized = Open(L"Minimized");
    windows_.Run([&] {
        ShowWindow(maximized, SW_MAXIMIZE);
        ShowWindow(minimized, SW_MINIMIZE);
    });
    Raise(EVENT_SYSTEM_MOVESIZEEND, maximized);
    Raise(EVENT_SYSTEM_MOVESIZEEND, minimized);
    EXPECT_FALSE(HasJob(observer_));
}

TEST_F(WindowEvents, ALocationChangeRunsADelayedPassOnlyForAWindowSeenFullscreen) {
    HWND normal = Open(L"Normal");
    Raise(EVENT_OBJECT_LOCATIONCHANGE, normal);
    EXPECT_FALSE(HasJob(observer_));

    RECT screen = {};
    GetWindowRect(GetDesktopWindow(), &screen);
    HWND fullscreen = Open(L"Fullscreen", screen, WS_POPUP | WS_VISIBLE);
    Raise(EVENT_SYSTEM_CAPTURESTART, fullscreen);  // seen while fullscreen
    EXPECT_FALSE(HasJob(observer_));
    windows_.Run([&] { SetWindowPos(fullscreen, nullptr, 10, 10, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE); });

    const auto before = std::chrono::steady_clock::now();
    Raise(EVENT_OBJECT_LOCATIONCHANGE, fullscreen);
    ASSERT_TRUE(HasJob(observer_));
    EXPECT_GE(JobOf(observer_).startTime, before + std::chrono::seconds(kTimeDelaySeconds));

    // The mark is consumed: the next location change runs no pass.
    StopAnimator();
    Raise(EVENT_OBJECT_LOCATIONCHANGE, fullscreen);
    EXPECT_FALSE(HasJob(observer_));
}

// The watch ends for a window once it shows, and for one destroyed while still hidden.
TEST_F(WindowEvents, AWindowCreatedHiddenIsPlacedOnceItShowsAndNothingStaysWatched) {
    HWND shown = OpenClaimed(L"Shown later", kAway, WS_POPUP | WS_CAPTION);
    HWND destroyed = OpenClaimed(L"Never shown", kAway, WS_POPUP | WS_CAPTION);
    Raise(EVENT_OBJECT_CREATE, shown);
    Raise(EVENT_OBJECT_CREATE, destroyed);
    EXPECT_FALSE(HasJob(shown));
    ASSERT_TRUE(WatchingHiddenNewWindows());

    windows_.Run([&] {
        DestroyWindow(destroyed);
        ShowWindow(shown, SW_SHOWNOACTIVATE);
    });
    EXPECT_TRUE(PumpUntil([&] { return HasJob(shown) && !WatchingHiddenNewWindows(); }));
}

TEST_F(WindowEvents, OnlyTheShowEventOfATopLevelWindowPlacesIt) {
    Raise(EVENT_OBJECT_SHOW, observer_, OBJID_CARET);
    EXPECT_FALSE(HasJob(observer_));
    Raise(EVENT_OBJECT_SHOW, observer_);
    EXPECT_TRUE(PumpUntil([&] { return HasJob(observer_); }));
}

// Renames, creations and restores that arrive while a pass is pending are merged into exactly
// one more pass once the queue drains; none is lost and none runs twice.
TEST_F(WindowEvents, EventsWhileAPassIsPendingAreMergedIntoOneMorePass) {
    PumpUntil([] { return false; }, 300ms);  // lets a pass left pending by an earlier case run
    Raise(EVENT_OBJECT_NAMECHANGE, observer_);
    ASSERT_TRUE(PlacedByAPass(observer_)) << "the first request runs at once";

    HWND created = OpenClaimedUnseen(L"Created");
    Raise(EVENT_OBJECT_NAMECHANGE, observer_);
    Raise(EVENT_OBJECT_CREATE, created);
    Raise(EVENT_SYSTEM_MINIMIZEEND, observer_);
    EXPECT_FALSE(PlacedByAPass(created)) << "no pass runs while one is pending";
    EXPECT_TRUE(PumpUntil([&] { return PlacedByAPass(created); })) << "the merged pass ran";

    HWND later = OpenClaimedUnseen(L"Later");
    PumpUntil([] { return false; }, 300ms);
    EXPECT_FALSE(PlacedByAPass(later)) << "a pass ran with nothing requested";
}

}  // namespace
