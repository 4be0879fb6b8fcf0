#pragma once
// Field-by-field equality of two window records, for the properties of the fuzz targets.
#include "storage/profile.h"

inline bool SameRecord(const WindowProfile& a, const WindowProfile& b) {
    return a.sectionName == b.sectionName && a.title == b.title && a.className == b.className &&
           a.exePath == b.exePath && a.arguments == b.arguments && a.url == b.url && a.desktop == b.desktop &&
           a.rules == b.rules && a.hwnd == b.hwnd && a.position == b.position && a.size == b.size &&
           a.moveToDesktop == b.moveToDesktop && a.launchWithQuickMenu == b.launchWithQuickMenu &&
           a.superGlue == b.superGlue && a.corners == b.corners && a.zLevel == b.zLevel;
}
