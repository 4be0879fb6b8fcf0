#pragma once
// The Rules editor joiner's delete offer, as text over time: "DEL" and "?" blink for about
// three seconds, then the joiner is "AND" again.
#include <cstdint>
#include <optional>
#include <string_view>

constexpr uint32_t kDeleteOfferMs = 3000;
// How often the editor looks at its offers: the blink changes at whole tenths of a second.
constexpr uint32_t kDeleteOfferTickMs = 100;

// What a joiner shows elapsedMs into its offer, given what it shows now: "DEL" for 700 ms and
// "?" for 300 ms, three times, then "AND". None once the joiner shows neither "DEL" nor "?":
// the offer is over for it, and whatever it shows instead (a word a rebuild gave it, the row
// the user deleted through it) must stay.
std::optional<std::wstring_view> DeleteOfferText(std::wstring_view shown, uint64_t elapsedMs);
