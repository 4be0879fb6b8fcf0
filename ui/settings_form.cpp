#include "ui/settings_form.h"

#include "engine/settings_link.h"
#include "storage/number_text.h"

namespace {

constexpr int32_t kDefaultTimeDelay = 2;

}  // namespace

std::optional<int32_t> InputDelay(std::wstring_view inputText) {
    const std::optional<int32_t> typed = ParseLeadingInt32(inputText);
    if (!typed) return std::nullopt;
    return ClampTimeDelay(*typed);
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
    const std::wstring_view typed = inputText.substr(0, inputText.find_first_of(L"\r\n"));
    const std::optional<int32_t> typedDelay = ParseLeadingInt32(typed);
    if (typedDelay && *typedDelay != ClampTimeDelay(*typedDelay)) return std::to_wstring(ClampTimeDelay(*typedDelay));
    return std::wstring(typed);
}
