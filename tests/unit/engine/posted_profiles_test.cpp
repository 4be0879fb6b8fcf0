#include "engine/posted_profiles.h"

#include <gtest/gtest.h>

#include "base/ids.h"

TEST(PostedProfiles, OnlyCopiesThisProcessPostedAreTakenAndEachOnlyOnce) {
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    WindowProfile record;
    record.title = L"Inbox - Mail";
    ASSERT_TRUE(PostProfileCopy(window, record, 2));
    MSG message = {};
    ASSERT_TRUE(PeekMessageW(&message, window, WM_PNR_LOAD_PROFILE, WM_PNR_LOAD_PROFILE, PM_REMOVE));
    EXPECT_EQ(message.lParam, 2);
    const auto taken = TakePostedProfile(message.wParam);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->title, L"Inbox - Mail");
    EXPECT_EQ(TakePostedProfile(message.wParam), nullptr);  // already taken
    EXPECT_EQ(TakePostedProfile(0x12345678), nullptr);      // never posted by us
    EXPECT_FALSE(PostProfileCopy(nullptr, record, 1));
    DestroyWindow(window);
}
