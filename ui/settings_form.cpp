#include "ui/settings_form.h"

#include "storage/number_text.h"

namespace {

constexpr int32_t kDefaultTimeDelay = 2;

}  // namespace

std::optional<int32_t> InputDelay(std::wstring_view inputText) {
    return ParseLeadingInt32(inputText);
}

bool ApplyEnabled(std::wstring_view inputText, int32_t checkState, const StoredSettings& stored) {
    const std::optional<int32_t> delay = InputDelay(inputText);
    if (!delay) return false;
    return *delay != stored.timeDelay || checkState != stored.checkState;
}

StoredSettings ShownSettings(std::wstring_view inputText, int32_t checkState) {
    return {InputDelay(inputText).value_or(kDefaultTimeDelay), checkState};
}

std::wstring DelayTextToStore(std::wstring_view inputText) {
    return std::wstring(inputText.substr(0, inputText.find_first_of(L"\r\n")));
}
