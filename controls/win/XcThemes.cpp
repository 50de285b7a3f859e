#include "controls/win/XcThemes.h"

#include "classlib/Scope.h"
#include "classlib/win/GdiHandles.h"

using namespace cl;

namespace {

enum class Background { Fill, EraseByParent, ThemeParent };

// Which of the three ways paints the control's background in color.
Background BackgroundFor(TControl* control, TColor color, bool needsParentBackground) {
    TWinControl* parent = control->Parent();
    if ((control->ComponentState() & csDesigning) || !parent) return Background::Fill;
    const TColor parentColor = parent->Color();
    if (color != parentColor && ColorToRGB(color) != ColorToRGB(parentColor)) return Background::Fill;
    if (!ThemeServicesOf().ThemesEnabled()) return Background::Fill;
    if (needsParentBackground && !(control->ControlStyle() & csParentBackground)) return Background::Fill;
    auto* win = dynamic_cast<TWinControl*>(control);
    return win && !win->DoubleBuffered() ? Background::ThemeParent : Background::EraseByParent;
}

// True when the control's background was painted from its parent.
bool PaintParentBackground(TControl* control, HDC dc, const TRect& r, TColor color,
                           bool needsParentBackground) {
    switch (BackgroundFor(control, color, needsParentBackground)) {
        case Background::ThemeParent:
            ThemeServicesOf().DrawParentBackground(static_cast<TWinControl*>(control)->Handle(), dc, nullptr,
                                                   false, &r);
            return true;
        case Background::EraseByParent:
            PerformEraseBackground(control, dc, Point(control->Left(), control->Top()), &r);
            return true;
        case Background::Fill:
            break;
    }
    return false;
}

}  // namespace

void IncludeThemeStyle(TControl* control, TControlStyle style) {
    control->SetControlStyle(control->ControlStyle() | (style & kThemeStyleMask));
}

TControlStyle ThemeStyle(const TControl* control) {
    return control->ControlStyle() & kThemeStyleMask;
}

void DrawThemedBackground(TControl* control, TCanvas& canvas, const TRect& r, bool needsParentBackground) {
    DrawThemedBackgroundColor(control, canvas, r, needsParentBackground, canvas.Brush()->Color());
}

void DrawThemedBackgroundColor(TControl* control, TCanvas& canvas, const TRect& r, bool needsParentBackground,
                               TColor color) {
    if (PaintParentBackground(control, canvas.Handle(), r, color, needsParentBackground)) return;
    TBrush* brush = canvas.Brush();
    const TColor saved = brush->Color();
    brush->SetColor(color);
    const ScopeExit restore([&] { brush->SetColor(saved); });
    canvas.FillRect(r);
}

void DrawThemedBackgroundBrush(TControl* control, HDC dc, const TRect& r, bool needsParentBackground,
                               HBRUSH brush) {
    LOGBRUSH lb{};
    GetObjectW(brush, sizeof lb, &lb);
    // A brush's colour is plain RGB: it compares with the parent's after conversion.
    if (PaintParentBackground(control, dc, r, static_cast<TColor>(lb.lbColor), needsParentBackground)) return;
    FillRect(dc, &r, brush);
}

void PerformEraseBackground(TControl* control, HDC dc, TPoint offset, const TRect* clip) {
    TWinControl* parent = control->Parent();
    if (!parent) return;
    OwnedRegion savedClip;
    bool hadClip = false;
    if (clip) {
        // The clip region is in device units: the rectangle is taken where
        // it lies now, before the origin moves.
        TRect device = *clip;
        LPtoDP(dc, reinterpret_cast<POINT*>(&device), 2);
        savedClip.reset(CreateRectRgn(0, 0, 0, 0));
        hadClip = savedClip && GetClipRgn(dc, savedClip.get()) == 1;
        const OwnedRegion region(CreateRectRgnIndirect(&device));
        SelectClipRgn(dc, region.get());
    }
    POINT org{};
    const bool moved = offset.x != 0 || offset.y != 0;
    if (moved) {
        GetWindowOrgEx(dc, &org);
        SetWindowOrgEx(dc, org.x + offset.x, org.y + offset.y, nullptr);
    }
    const ScopeExit restore([&] {
        if (moved) SetWindowOrgEx(dc, org.x, org.y, nullptr);
        // A context without a clip region gets none back, not the rectangle.
        if (clip) SelectClipRgn(dc, hadClip ? savedClip.get() : nullptr);
    });
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
}
