#pragma once
// What the configuration windows use of the application shell; the shell defines it.
#include "engine/settings_link.h"

void UpdateTrayTooltip();
bool ReadStartWithWindows(int bufferChars);
void WriteSetting(const wchar_t* key, const wchar_t* value);
void ApplyAutostart(bool enabled);
