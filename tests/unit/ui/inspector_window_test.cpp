// The one Inspector case no end-to-end scenario reaches: the opener never starts the window
// without clusters, so only a map emptied in between shows the first box.
#include <gtest/gtest.h>

#include <thread>

#include "engine/engine.h"
#include "ui/config_windows.h"

TEST(InspectorWindow, WithoutClustersItShowsTheFirstBoxAndRefusesCreation) {
    ClusterMap.Replace({});
    WNDCLASSEXW windowClass = {sizeof(windowClass)};
    windowClass.lpfnWndProc = InspectorWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PnrInspectorUnderTest";
    RegisterClassExW(&windowClass);

    HWND created = reinterpret_cast<HWND>(1);
    std::thread opener([&] {
        created = CreateWindowExW(0, windowClass.lpszClassName, L"Pinora", WS_CAPTION, CW_USEDEFAULT, CW_USEDEFAULT,
                                  398, 248, nullptr, nullptr, windowClass.hInstance, nullptr);
    });
    HWND box = nullptr;
    for (int i = 0; i < 500 && !(box = FindWindowW(L"#32770", L"Pinora")); ++i) Sleep(10);
    ASSERT_NE(box, nullptr);
    wchar_t text[256] = {};
    GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 256);
    EXPECT_STREQ(text, L"There are no clusters, create one in the Cluster Management window!\n(Clusters > Manage)");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    opener.join();
    EXPECT_EQ(created, nullptr);
    EXPECT_FALSE(InspectorOpen);
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
}
