// The small drawing helpers: desktop canvas, fonts, system metrics,
// gradients, image grid cells and the screen cursors.
#include "controls/win/XcXCLUtils.h"

#include <algorithm>

#include "classlib/win/Controls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"

using namespace cl;

CL_CLASS_INFO(TXcDesktopCanvas)

TXcDesktopCanvas::~TXcDesktopCanvas() {
    FreeHandle();
}

void TXcDesktopCanvas::CreateHandle() {
    HDC dc = GetWindowDC(GetDesktopWindow());
    if (!dc) throw EOutOfResources("Out of system resources");
    dc_ = dc;
    SetHandle(dc);
}

void TXcDesktopCanvas::FreeHandle() noexcept {
    if (!dc_) return;
    SetHandle(nullptr);
    ReleaseDC(GetDesktopWindow(), dc_);
    dc_ = nullptr;
}

void CopyFontAttributes(TFont* target, TFont* source, TXcTrackFontOptions options) {
    if (!(options & hoFollowFont) || !target || !source) return;
    if (!(options & hoPreserveCharSet)) target->SetCharset(source->Charset());
    if (!(options & hoPreserveColor)) target->SetColor(source->Color());
    if (!(options & hoPreserveHeight)) target->SetHeight(source->Height());
    if (!(options & hoPreserveName)) target->SetName(source->Name());
    if (!(options & hoPreservePitch)) target->SetPitch(source->Pitch());
    if (!(options & hoPreserveStyle)) target->SetStyle(source->Style());
}

SIZE GetCheckBoxGlyphSize() {
    constexpr int kObmCheckBoxes = 32759;
    const OwnedBitmap bitmap(LoadBitmapW(nullptr, MAKEINTRESOURCEW(kObmCheckBoxes)));
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap.get(), sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth / 4, bm.bmHeight / 3};
}

namespace {

struct ActiveSearch {
    HWND active;
    bool found;
};

BOOL CALLBACK FindActive(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<ActiveSearch*>(param);
    if (wnd == search->active) search->found = true;
    return !search->found;
}

}  // namespace

bool IsThreadWindowActive() {
    ActiveSearch search{GetActiveWindow(), false};
    if (search.active) EnumThreadWindows(GetCurrentThreadId(), FindActive, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int MessageBoxWithAppTitle(const std::string& text, const std::string& caption, UINT flags) {
    return Application->MessageBox(text, caption.empty() ? Application->Title() : caption, flags);
}

int GetDisplayColorDepthClass() {
    const OwnedDC ic(CreateICW(L"DISPLAY", nullptr, nullptr, nullptr));
    if (!ic) return 0;
    switch (GetDeviceCaps(ic.get(), BITSPIXEL) * GetDeviceCaps(ic.get(), PLANES)) {
        case 1:
            return 1;
        case 4:
            return 2;
        case 8:
            return 3;
        case 15:
            return 4;
        case 16:
            return 5;
        case 24:
            return 6;
        case 32:
            return 7;
        default:
            return 0;
    }
}

void FillRectGradient(TCanvas* canvas, const TRect& r, TColor startColor, TColor endColor,
                      TFillDirection direction, uint8_t colorCount) {
    const TCanvasLock lock(*canvas);
    HDC dc = canvas->Handle();
    if (startColor == clNone && endColor == clNone) return;
    if (GetMapMode(dc) == MM_TEXT && IsRectEmpty(&r)) return;
    const bool vertical = direction == fdTopToBottom || direction == fdBottomToTop;
    // In other mappings the rectangle may run the other way: the bands follow it.
    const int extent = vertical ? r.bottom - r.top : r.right - r.left;
    const int sign = extent < 0 ? -1 : 1;
    const TGradientPlan plan =
        PlanGradient(extent * sign, static_cast<uint32_t>(ColorToRGB(startColor)),
                     static_cast<uint32_t>(ColorToRGB(endColor)), direction, colorCount);
    for (const TGradientBand& band : plan.bands) {
        const OwnedBrush brush(CreateSolidBrush(band.rgb));
        TRect part = r;
        if (vertical) {
            part.top = r.top + band.from * sign;
            part.bottom = r.top + band.to * sign;
        } else {
            part.left = r.left + band.from * sign;
            part.right = r.left + band.to * sign;
        }
        FillRect(dc, &part, brush.get());
    }
}

void CopyImageGridCell(TGraphic* graphic, TBitmap* target, int columns, int rows, int index) {
    if (!graphic || !target || columns < 1 || rows < 1 || index < 0) return;
    const int w = graphic->Width() / columns, h = graphic->Height() / rows;
    const int left = index % columns * w, top = index / columns * h;
    target->SetSize(w, h);
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
        target->Canvas()->CopyRect(Rect(0, 0, w, h), bitmap->Canvas(), Rect(left, top, left + w, top + h));
        target->SetTransparentColor(bitmap->TransparentColor());
        return;
    }
    TCanvas* c = target->Canvas();
    c->Brush()->SetColor(clSilver);
    c->FillRect(Rect(0, 0, w, h));
    c->Draw(-left, -top, graphic);
}

void InstallXclCursors() {
    TScreen* screen = TScreenRef::Existing();
    if (!screen) return;
    const TCursor sources[] = {crMultiDrag, crDrag, crMultiDrag, crMultiDrag};
    for (int i = 0; i < 4; ++i)
        screen->SetCursorLoader(static_cast<TCursor>(100 + i), [screen, source = sources[i]] {
            return CopyCursor(screen->Cursors(source));
        });
}
