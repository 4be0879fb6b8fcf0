// The yardstick for Pinora's start-up and idle figures: a minimal Win32 program with one
// hidden window, one tray icon and a message loop, nothing else.
#include <windows.h>
#include <shellapi.h>

LRESULT CALLBACK MinimalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == 1001) {
        NOTIFYICONDATAW data = {sizeof(data)};
        data.hWnd = window;
        data.uID = 1000;
        Shell_NotifyIconW(NIM_DELETE, &data);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = MinimalWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"PnrMinimalTray";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, L"PnrMinimalTray", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  600, 400, nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW data = {sizeof(data)};
    data.hWnd = window;
    data.uID = 1000;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = 2000;
    data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpyW(data.szTip, L"Minimal");
    Shell_NotifyIconW(NIM_ADD, &data);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
