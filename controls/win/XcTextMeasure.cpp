#include "controls/win/XcTextMeasure.h"

#include "classlib/win/WideText.h"

using namespace cl;

TRect ScreenMeasureText(TFont& font, const std::string& text, TRect r, UINT flags) {
    const ScreenDC screen;
    const SelectedObject selected(screen.get(), font.Handle());
    const std::wstring wide = ToWide(text);
    DrawTextW(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &r, flags | DT_CALCRECT);
    return r;
}
