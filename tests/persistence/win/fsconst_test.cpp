// The persistence helpers' two cursors come from the program's resources
// into their screen slots.
#include "persistence/win/FsConst.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "classlib/win/Forms.h"

namespace {

POINT HotSpot(HCURSOR cursor) {
    ICONINFO info{};
    if (!GetIconInfo(cursor, &info)) return {-1, -1};
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
}

TEST(FsConst, RegistersTheHandAndTheDragCursorFromTheResources) {
    const HCURSOR arrow = cl::Screen->Cursors(cl::crDefault);
    EXPECT_EQ(cl::Screen->Cursors(crFsHand), arrow) << "nothing before the start";
    RegisterFsCursors();
    const HCURSOR hand = cl::Screen->Cursors(crFsHand);
    const HCURSOR drag = cl::Screen->Cursors(crFsDragHand);
    EXPECT_NE(hand, arrow);
    EXPECT_NE(drag, arrow);
    EXPECT_NE(hand, drag);
    // The hot spots of the drawings (resources/cursors/make_cursors.py).
    const struct {
        HCURSOR cursor;
        POINT hotSpot;
    } cases[] = {{hand, {6, 0}}, {drag, {0, 0}}};
    for (const auto& c : cases) {
        const POINT p = HotSpot(c.cursor);
        EXPECT_EQ(p.x, c.hotSpot.x);
        EXPECT_EQ(p.y, c.hotSpot.y);
    }
}

}  // namespace
