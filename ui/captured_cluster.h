#pragma once
// The file of a cluster saved from the open windows, and the names in it.
#include <string>
#include <vector>

#include "storage/ini_document.h"
#include "storage/profile.h"

struct CapturedWindow {
    WindowProfile record;    // title, class, path, desktop, frame and corners of the window
    std::wstring arguments;  // what followed the program in its command line
    std::wstring rule;
};

// The new cluster's file: "Configuration" as New writes it with neither box checked, then one
// entry per window, in the order given (top of the stacking first).
IniDocument CapturedClusterDocument(const std::vector<CapturedWindow>& windows);

// The Inspector's name for a window (its title's first word), cleared of what a section name
// cannot hold and made unique in the document with " 2", " 3" and so on.
std::wstring UniqueEntryName(const std::wstring& title, const IniDocument& document);

struct LocalTime {
    int year, month, day, hour, minute;
};
// "Windows 2026-12-10 14.05" (a file name holds no colon), with " 2", " 3" and so on when a
// cluster already carries the name; empty when no such name is free.
std::wstring ProposedClusterName(const LocalTime& time, const std::vector<std::wstring>& clusterNames);
