#pragma once
// Manageable windows of another process for the benchmarks: a second copy of the running
// benchmark, started with "--host <count> <ready event name>", opens them and keeps them until
// the WindowHost that started it goes away.
#include <windows.h>

#include <string>

// Title and outer rectangle of the hosted window with this index.
std::wstring HostedTitle(int index);
RECT HostedFrame(int index);

// True when this copy was started to host windows; it then did so until told to quit.
bool RanAsWindowHost();

class WindowHost {
  public:
    explicit WindowHost(int count);  // returns once the windows are open
    ~WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

  private:
    PROCESS_INFORMATION process_ = {};
};
