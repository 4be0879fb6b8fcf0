// The clipboard is shared by the whole desktop: these tests run one at a time, as all unit
// tests do here.
#include "ui/clipboard_snapshot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Adds a format to what the clipboard holds; `fresh` empties it first.
void Put(UINT format, const std::string& bytes, bool fresh = false) {
    ASSERT_TRUE(OpenClipboardPatiently(nullptr));
    if (fresh) EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    SetClipboardData(format, block);
    CloseClipboard();
}

std::string Bytes(UINT format) {
    std::string bytes;
    if (!OpenClipboardPatiently(nullptr)) return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

const std::string kText("P\0n\0r\0\0\0", 8);  // "Pnr" as UTF-16 with its terminator

}  // namespace

TEST(ClipboardSnapshot, EveryCopyableFormatComesBackInPlaceOfWhatWasCopiedMeanwhile) {
    const UINT custom = RegisterClipboardFormatW(L"PNR Unit Test Data");
    Put(CF_UNICODETEXT, kText, /*fresh=*/true);
    Put(custom, std::string("\x01\x00\xFF", 3));

    ClipboardSnapshot snapshot;
    ASSERT_TRUE(snapshot.TakeAndEmpty(nullptr));
    EXPECT_FALSE(snapshot.Empty());
    EXPECT_EQ(CountClipboardFormats(), 0);
    Put(CF_UNICODETEXT, std::string("x\0\0\0", 4), /*fresh=*/true);  // what a copy puts there meanwhile

    ASSERT_TRUE(snapshot.Restore(nullptr));
    EXPECT_EQ(Bytes(CF_UNICODETEXT), kText);
    EXPECT_EQ(Bytes(custom), std::string("\x01\x00\xFF", 3));
    EXPECT_TRUE(snapshot.Empty());  // the clipboard owns the copies now
}

TEST(ClipboardSnapshot, AClipboardOfNothingItCanCopyIsNotTakenAndKeepsWhatItHolds) {
    Put(CF_DSPTEXT, "private display text", /*fresh=*/true);
    ClipboardSnapshot snapshot;
    EXPECT_FALSE(snapshot.TakeAndEmpty(nullptr));
    EXPECT_EQ(Bytes(CF_DSPTEXT), "private display text");
}
