#pragma once
// Turning the Rules editor's rows back into a rule text. Input: for every entry of the
// editor's control list, the control's text, or its cue banner when the text is empty.
#include <string>
#include <vector>

std::wstring CapturedRuleText(const std::vector<std::wstring>& controlTexts);
