#pragma once
// The fields of the form Sprawozdawca.exe shows, reached as a user reaches
// them: the preview's sheet, the natural size from the forms sheet's tool
// bar, a field's place on the sheet at that size, a click on it, and the
// window that then has the focus (the field's editor).

#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include "classlib/win/GdiHandles.h"
#include "engine/FormCatalogue.h"
#include "preview/Units.h"
#include "tests/driver/DriverInput.h"
#include "tests/driver/RemoteBuffer.h"
#include "tests/driver/WindowReading.h"

namespace e2e {

// The window with the keyboard focus in the thread of wnd.
inline HWND FocusOf(HWND wnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &info) ? info.hwndFocus : nullptr;
}

// The sheet the preview shows its page on; nullptr when there is none.
inline HWND SheetOf(HWND preview) {
    for (HWND w : Descendants(preview))
        if (ClassName(w) == "TPaperPreview") return w;
    return nullptr;
}

// "Wielkość naturalna", the third button of the forms sheet's tool bar
// (XcToolBar2); false when the button cannot be found.
inline bool ClickNaturalSize(HWND toolBar) {
    TRemoteBuffer remote(toolBar, sizeof(RECT));
    RECT r{};
    if (!remote.Valid() || !SendMessageW(toolBar, TB_GETITEMRECT, 2, remote.Param()) ||
        !remote.Read(0, &r, sizeof r))
        return false;
    PostClick(toolBar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return true;
}

// A field of the form formNo in the sheet's pixels at zoom 100, as the
// preview maps the A4 paper (0.01 mm) past its one-pixel border.
inline RECT FieldOnSheet(int formNo, int field) {
    const int page = TEFieldTable[field].Page;
    const cl::WindowDC screen(nullptr);
    const int ppi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    auto px = [ppi](int tenths) { return ConvertUnit(10 * tenths, ppi, mmHiMetric, mmPixel, ppi) + 1; };
    return {px(ScreenLeft(formNo, page, field)), px(ScreenTop(formNo, page, field)),
            px(ScreenRight(formNo, page, field)), px(ScreenBottom(formNo, page, field))};
}

// The pointer moved over the field, then a click in its middle.
inline void ClickField(HWND sheet, int formNo, int field) {
    const RECT r = FieldOnSheet(formNo, field);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    PostMessageW(sheet, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostClick(sheet, x, y);
}

}  // namespace e2e
