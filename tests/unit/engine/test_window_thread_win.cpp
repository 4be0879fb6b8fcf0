#include "test_window_thread.h"

#include <future>

namespace {

constexpr UINT kRunTask = WM_APP + 1;
constexpr wchar_t kDispatcherClass[] = L"PnrUnitTestDispatcher";

LRESULT CALLBACK DispatcherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunTask) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClassOnce(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = name;
    RegisterClassExW(&wc);  // a second registration fails harmlessly
}

}  // namespace

TestWindowThread::TestWindowThread() {
    std::promise<HWND> ready;
    std::future<HWND> dispatcher = ready.get_future();
    thread_ = std::thread([&ready] {
        RegisterClassOnce(kDispatcherClass, DispatcherProc);
        ready.set_value(CreateWindowExW(0, kDispatcherClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    });
    dispatcher_ = dispatcher.get();
}

TestWindowThread::~TestWindowThread() {
    Run([this] {
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) DestroyWindow(*it);
        DestroyWindow(dispatcher_);
        PostQuitMessage(0);
    });
    thread_.join();
}

void TestWindowThread::Run(const std::function<void()>& task) {
    SendMessageW(dispatcher_, kRunTask, 0, reinterpret_cast<LPARAM>(&task));
}

HWND TestWindowThread::Open(const TestWindowSpec& spec) {
    HWND window = nullptr;
    Run([&] {
        RegisterClassOnce(spec.className.c_str(), DefWindowProcW);
        window =
            CreateWindowExW(spec.extendedStyle, spec.className.c_str(), spec.title.c_str(), spec.style, spec.rect.left,
                            spec.rect.top, spec.rect.right - spec.rect.left, spec.rect.bottom - spec.rect.top,
                            spec.owner, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (window) windows_.push_back(window);
    });
    return window;
}
