// What Pinora asks of the desktop window manager. Wine's own library reports no frame bounds
// and ignores attributes, so these scenarios put a stand-in beside Pinora
// (tests/standins/dwmapi) that reports Windows 10's invisible borders and logs each request.
#include <string>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

constexpr int kBorder = 7;  // the stand-in's invisible border: left, right and bottom

// The outer rectangle of a window whose visible frame is `frame`, with the stand-in's borders.
RECT OuterOf(const RECT& frame) {
    return RECT{frame.left - kBorder, frame.top, frame.right + kBorder, frame.bottom + kBorder};
}

std::string CornerRequest(HWND window, int value) {
    return "set " + std::to_string(reinterpret_cast<intptr_t>(window)) + " 33 " + std::to_string(value) + "\n";
}

class VisibleFrame : public EngineScenario {
  protected:
    void SetUp() override {
        EngineScenario::SetUp();
        PreferDwmStandIn();
    }
    void TearDown() override { ForgetDwmStandIn(); }

    void StartPinoraWithStandIn() { StartPinora(KeepDataWithDwmStandIn()); }

    std::string RequestLog() const { return DwmRequestLog(*app_); }
};

TEST_F(VisibleFrame, TheVisibleFrameLandsOnTheSavedFrameAndEachWindowGetsItsCornerStyle) {
    const RECT sharpFrame = Rect(300, 200, 500, 350);
    const RECT dullFrame = Rect(900, 150, 400, 300);
    const RECT roundFrame = Rect(500, 600, 300, 200);
    WriteCluster(L"Work", true,
                 {{"PNR Sharp", sharpFrame, 0, "Sharp"},
                  {"PNR Dull", dullFrame, 0, "Dull"},
                  {"PNR Round", roundFrame, 0, "Round"}});
    StartPinoraWithStandIn();
    TestWindows helper;
    HWND sharp = OpenAnnounced(helper, L"PNR Sharp", Rect(40, 40, 320, 240));
    HWND dull = OpenAnnounced(helper, L"PNR Dull", Rect(60, 500, 320, 240));
    HWND round = OpenAnnounced(helper, L"PNR Round", Rect(1200, 700, 320, 240));
    HWND unclaimed = OpenAnnounced(helper, L"PNR Unclaimed", Rect(700, 40, 320, 240));

    EXPECT_TRUE(WaitUntil([&] { return IsAt(sharp, OuterOf(sharpFrame)); })) << Describe(WindowRect(sharp));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(dull, OuterOf(dullFrame)); })) << Describe(WindowRect(dull));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(round, OuterOf(roundFrame)); })) << Describe(WindowRect(round));

    const std::string log = RequestLog();
    EXPECT_NE(log.find(CornerRequest(sharp, 1)), std::string::npos) << log;  // DWMWCP_DONOTROUND
    EXPECT_NE(log.find(CornerRequest(dull, 3)), std::string::npos) << log;   // DWMWCP_ROUNDSMALL
    EXPECT_NE(log.find(CornerRequest(round, 2)), std::string::npos) << log;  // DWMWCP_ROUND
    EXPECT_EQ(log.find("set " + std::to_string(reinterpret_cast<intptr_t>(unclaimed)) + " "), std::string::npos) << log;
}

TEST_F(VisibleFrame, AWindowAlreadyInPlaceGetsItsCornerStyleWithoutMoving) {
    const RECT frame = Rect(300, 200, 500, 350);
    WriteCluster(L"Work", true, {{"PNR Sharp", frame, 0, "Sharp"}});
    StartPinoraWithStandIn();
    TestWindows helper;
    HWND window = OpenAnnounced(helper, L"PNR Sharp", OuterOf(frame));

    EXPECT_TRUE(WaitUntil([&] { return RequestLog().find(CornerRequest(window, 1)) != std::string::npos; }))
        << RequestLog();
    EXPECT_TRUE(IsAt(window, OuterOf(frame))) << Describe(WindowRect(window));
}

}  // namespace
