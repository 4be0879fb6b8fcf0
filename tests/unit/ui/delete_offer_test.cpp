#include "ui/delete_offer.h"

#include <gtest/gtest.h>

// The blink's turns and its end; a joiner showing another word (the saved "OR" a rebuild gave
// it, the "+" of a last row) is left as it is.
TEST(DeleteOffer, BlinksForThreeSecondsAndResetsOnlyAJoinerStillOffering) {
    EXPECT_EQ(DeleteOfferText(L"DEL", 699), L"DEL");
    EXPECT_EQ(DeleteOfferText(L"DEL", 700), L"?");
    EXPECT_EQ(DeleteOfferText(L"?", 1000), L"DEL");
    EXPECT_EQ(DeleteOfferText(L"?", 2999), L"?");
    EXPECT_EQ(DeleteOfferText(L"DEL", 3000), L"AND");
    EXPECT_EQ(DeleteOfferText(L"OR", 1200), std::nullopt);
    EXPECT_EQ(DeleteOfferText(L"+", 500), std::nullopt);
}
