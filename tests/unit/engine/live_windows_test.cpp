#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <thread>

#include "engine/engine.h"
#include "test_window_thread.h"

namespace {

// Each test starts from empty engine containers and leaves them empty.
class LiveWindows : public testing::Test {
  protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }

    static void ResetEngineState() {
        ClusterMap.Replace({});
        ActiveClusterMap.Replace({});
        LiveWindowList.Replace({});
    }

    HWND Open(const std::wstring& title, RECT rect = {100, 100, 500, 400}) {
        TestWindowSpec spec;
        spec.title = title;
        spec.rect = rect;
        return windows_.Open(spec);
    }

    static bool IsListed(HWND window) { return FindLiveWindow(window).hwnd == window; }

    static int IndexInList(HWND window) {
        const LiveWindowSequence list = LiveWindowList.Snapshot();
        const auto found =
            std::find_if(list.begin(), list.end(), [window](const WindowProfile& r) { return r.hwnd == window; });
        return found == list.end() ? -1 : static_cast<int>(found - list.begin());
    }

    TestWindowThread windows_;
};

std::vector<HWND> EnumerationOrder() {
    std::vector<HWND> order;
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&order));
    return order;
}

void HandlePendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

WindowProfile ProfileRecognising(const std::wstring& title, int zLevel, const std::wstring& sectionName) {
    WindowProfile profile;
    profile.title = title;
    profile.sectionName = sectionName;
    profile.rules = L"Window title does match \"" + title + L"\"";
    profile.zLevel = zLevel;
    profile.corners = CornerStyle::Dull;
    return profile;
}

}  // namespace

TEST_F(LiveWindows, OnlyVisibleTitledTopLevelApplicationWindowsAreManageable) {
    const HWND plain = Open(L"Editor");
    const HWND untitled = Open(L"");
    const HWND popupHost = Open(L"PopupHost");
    const HWND mentionsPopupHost = Open(L"The PopupHost window");
    const HWND help = Open(L"About Pinora Help pages");

    TestWindowSpec hidden;
    hidden.title = L"Hidden";
    hidden.style = WS_POPUP;
    TestWindowSpec excludedClass;
    excludedClass.title = L"Xaml popup";
    excludedClass.className = L"Xaml_WindowedPopupClass";
    TestWindowSpec inspector;
    inspector.title = L"Pinora";
    inspector.className = L"PinoraWindow";
    TestWindowSpec settings;
    settings.title = L"Pinora Config";
    settings.className = L"PinoraConfigWindow";
    TestWindowSpec child;
    child.title = L"Child";
    child.style = WS_CHILD | WS_VISIBLE;
    child.owner = plain;
    TestWindowSpec ownedTool;
    ownedTool.title = L"Palette";
    ownedTool.extendedStyle = WS_EX_TOOLWINDOW;
    ownedTool.owner = plain;

    EXPECT_TRUE(IsManageableWindow(plain));
    EXPECT_FALSE(IsManageableWindow(untitled));
    EXPECT_FALSE(IsManageableWindow(popupHost));
    EXPECT_TRUE(IsManageableWindow(mentionsPopupHost));
    EXPECT_FALSE(IsManageableWindow(help));
    EXPECT_FALSE(IsManageableWindow(windows_.Open(hidden)));
    EXPECT_FALSE(IsManageableWindow(windows_.Open(excludedClass)));
    EXPECT_FALSE(IsManageableWindow(windows_.Open(inspector)));
    EXPECT_TRUE(IsManageableWindow(windows_.Open(settings)));
    EXPECT_FALSE(IsManageableWindow(windows_.Open(child)));
    EXPECT_TRUE(IsManageableWindow(windows_.Open(ownedTool)));
    EXPECT_FALSE(IsManageableWindow(nullptr));

    RefreshLiveWindowList();
    EXPECT_TRUE(IsListed(plain));
    EXPECT_TRUE(IsListed(mentionsPopupHost));
    EXPECT_FALSE(IsListed(untitled));
    EXPECT_FALSE(IsListed(popupHost));
}

TEST_F(LiveWindows, RecordCarriesTitleClassPathAndVisibleFrame) {
    const std::wstring longTitle(700, L'x');
    const HWND window = Open(longTitle, {130, 140, 530, 440});

    RECT frame = {};
    ASSERT_EQ(GetVisibleFrame(window, &frame), S_OK);
    EXPECT_EQ(frame.left, 130);
    EXPECT_EQ(frame.top, 140);
    EXPECT_EQ(frame.right, 530);
    EXPECT_EQ(frame.bottom, 440);

    RefreshLiveWindowList();
    const WindowProfile record = FindLiveWindow(window);
    wchar_t ownPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, ownPath, MAX_PATH);
    EXPECT_EQ(record.hwnd, window);
    EXPECT_EQ(record.title, longTitle);
    EXPECT_EQ(record.className, L"PnrUnitTestWindow");
    EXPECT_EQ(record.exePath, std::wstring(ownPath));
    EXPECT_EQ(record.position, (FramePosition{130, 140}));
    EXPECT_EQ(record.size, (FrameSize{400, 300}));
    EXPECT_EQ(record.zLevel, 0);
    EXPECT_TRUE(record.sectionName.empty());
    EXPECT_TRUE(record.desktop.empty());
}

TEST_F(LiveWindows, UnreadableWindowGivesEmptyTexts) {
    EXPECT_EQ(GetWindowTitleText(nullptr), L"");
    EXPECT_EQ(GetWindowClassName(nullptr), L"");
    EXPECT_EQ(GetWindowExecutablePath(nullptr), L"");
    RECT frame = {};
    EXPECT_TRUE(FAILED(GetVisibleFrame(nullptr, &frame)));
}

TEST_F(LiveWindows, ForegroundWindowAndItsOwnerLeadTheList) {
    const HWND owner = Open(L"Document", {50, 50, 650, 450});
    TestWindowSpec dialogSpec;
    dialogSpec.title = L"Save As";
    dialogSpec.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dialogSpec.owner = owner;
    dialogSpec.rect = {150, 150, 450, 350};
    const HWND dialog = windows_.Open(dialogSpec);
    const HWND unrelated = Open(L"Unrelated", {700, 100, 900, 300});
    // Wine carries out the activation's re-stacking as the helper thread handles its queued
    // events, and other test programs may take the foreground meanwhile; compare against a
    // stacking order and a foreground that have settled and held for the whole refresh.
    std::vector<HWND> order;
    for (int attempt = 0; attempt < 50; ++attempt) {
        windows_.Run([dialog] {
            SetForegroundWindow(dialog);
            HandlePendingMessages();
        });
        order = EnumerationOrder();
        RefreshLiveWindowList();
        windows_.Run(HandlePendingMessages);
        if (EnumerationOrder() == order && GetForegroundWindow() == dialog) break;
        Sleep(20);
    }
    ASSERT_EQ(GetForegroundWindow(), dialog);
    const auto position = [&order](HWND w) { return std::find(order.begin(), order.end(), w) - order.begin(); };
    const HWND enumeratedLater = position(owner) > position(dialog) ? owner : dialog;
    const HWND enumeratedEarlier = enumeratedLater == owner ? dialog : owner;
    EXPECT_EQ(LiveWindowAt(0).hwnd, enumeratedLater);
    EXPECT_EQ(LiveWindowAt(1).hwnd, enumeratedEarlier);
    EXPECT_GT(IndexInList(unrelated), 1);
}

TEST_F(LiveWindows, IndexOutsideTheListGivesAnEmptyRecord) {
    Open(L"Only window");
    RefreshLiveWindowList();
    const int count = static_cast<int>(LiveWindowList.Snapshot().size());
    ASSERT_GT(count, 0);
    EXPECT_EQ(LiveWindowAt(-1).hwnd, nullptr);
    EXPECT_EQ(LiveWindowAt(count).hwnd, nullptr);
    EXPECT_NE(LiveWindowAt(count - 1).hwnd, nullptr);
    EXPECT_EQ(FindLiveWindow(reinterpret_cast<HWND>(0x7ff0)).hwnd, nullptr);
}

TEST_F(LiveWindows, BorderlessWindowCoveringTheMonitorIsFullscreen) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor));
    const RECT screen = monitor.rcMonitor;

    TestWindowSpec spec;
    spec.title = L"Game";
    spec.rect = screen;
    EXPECT_TRUE(IsFullscreenWindow(windows_.Open(spec)));
    spec.style = WS_POPUP | WS_THICKFRAME | WS_VISIBLE;
    EXPECT_FALSE(IsFullscreenWindow(windows_.Open(spec)));
    spec.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    EXPECT_FALSE(IsFullscreenWindow(windows_.Open(spec)));
    spec.style = WS_POPUP | WS_VISIBLE;
    spec.rect.bottom -= 1;
    EXPECT_FALSE(IsFullscreenWindow(windows_.Open(spec)));
}

TEST_F(LiveWindows, MaximizedWindowIsReportedAndANormalOneIsNot) {
    TestWindowSpec spec;
    spec.title = L"Sizable";
    spec.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const HWND window = windows_.Open(spec);
    EXPECT_FALSE(IsMaximizedOrMinimized(window));
    windows_.Run([window] { ShowWindow(window, SW_MAXIMIZE); });
    EXPECT_TRUE(IsMaximizedOrMinimized(window));
}

TEST_F(LiveWindows, RecognisedWindowCarriesTheFirstMatchingProfile) {
    const HWND window = Open(L"Z-level probe");
    ClusterEntry first;
    first.profiles.emplace(L"Z-level probe", ProfileRecognising(L"Z-level probe", 5, L"Probe in A"));
    ClusterEntry second;
    second.profiles.emplace(L"Z-level probe", ProfileRecognising(L"Z-level probe", 9, L"Probe in B"));
    // Inactive clusters count as well: the lookup walks the full map, in name order.
    ClusterMap.Replace({{L"B cluster", second}, {L"A cluster", first}});

    RefreshLiveWindowList();
    const WindowProfile record = FindLiveWindow(window);
    EXPECT_EQ(record.zLevel, 5);
    EXPECT_EQ(record.sectionName, L"Probe in A");
    EXPECT_EQ(record.corners, CornerStyle::Dull);
    EXPECT_EQ(record.title, L"Z-level probe");
}

// A window of our own process whose thread is busy (a configuration window waiting for the
// engine lock) must not stall a title read, however long the title is.
TEST_F(LiveWindows, TitleIsReadWithoutWaitingForTheWindowsThread) {
    const std::wstring title = std::wstring(700, L'x') + L" end";
    HWND window = Open(title);
    std::promise<void> started, release;
    std::shared_future<void> released = release.get_future().share();
    std::thread blocker([&] {
        windows_.Run([&started, released] {
            started.set_value();
            released.wait();
        });
    });
    started.get_future().wait();
    EXPECT_EQ(GetWindowTitleText(window), title);
    EXPECT_TRUE(IsManageableWindow(window));
    release.set_value();
    blocker.join();
}
