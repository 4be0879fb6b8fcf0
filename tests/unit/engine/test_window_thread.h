#pragma once
// Real top-level windows for tests, owned by a helper thread with its own message loop, the
// way another application's user-interface thread owns its windows.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

struct TestWindowSpec {
    std::wstring title;
    RECT rect = {100, 100, 500, 400};  // outer rectangle: left, top, right, bottom
    DWORD style = WS_POPUP | WS_VISIBLE;
    DWORD extendedStyle = 0;
    std::wstring className = L"PnrUnitTestWindow";
    HWND owner = nullptr;
};

class TestWindowThread {
  public:
    TestWindowThread();
    ~TestWindowThread();
    TestWindowThread(const TestWindowThread&) = delete;
    TestWindowThread& operator=(const TestWindowThread&) = delete;

    // Creates a window on the helper thread; its class is registered on first use.
    HWND Open(const TestWindowSpec& spec);
    // Runs a task on the helper thread and waits for it.
    void Run(const std::function<void()>& task);

  private:
    std::thread thread_;
    HWND dispatcher_ = nullptr;
    std::vector<HWND> windows_;
};
