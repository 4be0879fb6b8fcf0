#include "ui/delete_offer.h"

namespace {

constexpr uint64_t kBlinkMs = 1000;
constexpr uint64_t kDeleteShownMs = 700;

}  // namespace

std::optional<std::wstring_view> DeleteOfferText(std::wstring_view shown, uint64_t elapsedMs) {
    if (shown != L"DEL" && shown != L"?") return std::nullopt;
    if (elapsedMs >= kDeleteOfferMs) return L"AND";
    return elapsedMs % kBlinkMs < kDeleteShownMs ? L"DEL" : L"?";
}
