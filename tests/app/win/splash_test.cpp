// The splash window: the dialogs' font, and the start-up's wait for exactly
// five ticks of its timer, the ticks counted, not timed.
#include "app/win/Splash.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "classlib/win/Messages.h"

namespace {

using namespace cl;

TEST(Splash, UsesTheDialogsFontHeight) {
    auto* splash = Construct<TSplashForm>(Application.Get());
    EXPECT_EQ(splash->Font()->Height(), -11);
    splash->Free();
}

TEST(Splash, TheStartWaitsForExactlyFiveTicksOfItsTimer) {
    auto* splash = Construct<TSplashForm>(Application.Get());
    // Only the ticks posted below count.
    splash->Timer1->SetEnabled(false);
    int delivered = 0;
    HWND ticker = AllocateHWnd([&](TMessage& m) {
        ++delivered;
        splash->Timer1->OnTimer()(splash->Timer1);
        m.Result = 0;
    });
    constexpr UINT kTick = WM_APP + 7;
    for (int i = 0; i < 7; ++i) PostMessageW(ticker, kTick, 0, 0);
    splash->WaitForFiveTicks();
    EXPECT_EQ(delivered, 5);
    EXPECT_EQ(splash->Ticks(), 5);
    MSG left{};
    int pending = 0;
    while (PeekMessageW(&left, ticker, kTick, kTick, PM_REMOVE)) ++pending;
    EXPECT_EQ(pending, 2);
    DeallocateHWnd(ticker);
    splash->Free();
}

}  // namespace
