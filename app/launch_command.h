#pragma once
// How one saved window is started from the Quick Menu: browsers get a new window at the
// saved URL and geometry through the shell, every other program a plain process start with
// the arguments recorded for it.
#include <string>

#include "storage/profile.h"

struct LaunchCommand {
    enum class Kind { ShellOpen, CreateProcess };
    Kind kind = Kind::CreateProcess;
    std::wstring file;         // ShellOpen: the program to open
    std::wstring parameters;   // ShellOpen: its parameters
    std::wstring commandLine;  // CreateProcess: the whole command line
};

LaunchCommand BuildLaunchCommand(const WindowProfile& profile);

// One command-line argument, quoted by the usual rules when it holds a blank or a quote.
std::wstring QuoteArgumentIfNeeded(const std::wstring& argument);
