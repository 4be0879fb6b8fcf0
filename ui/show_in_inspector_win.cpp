#include "ui/config_windows.h"

void ShowInInspector(WindowProfile record, int mode) {
    // A record that names no window and no saved entry has nothing to show.
    if (!record.hwnd && record.sectionName.empty()) return;
    if (mode > 0) ShowInInspectorWindow(record, mode);
    ShowInRulesEditor(record, mode);
}
