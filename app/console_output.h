#pragma once
// Text for whoever started Pinora.exe with a command: its console, or the file or pipe its
// output was sent to. Nothing is shown when there is neither.
#include <string>

void WriteCommandOutput(const std::wstring& text, bool toErrors);
