#include "controls/win/XcRadioGroup.h"

#include <algorithm>

#include "controls/win/XcThemes.h"

using namespace cl;

namespace {

// The theme's group box (BUTTON, BP_GROUPBOX) and its states.
constexpr int kGroupBoxPart = 4;
constexpr int kGroupBoxNormal = 1;
constexpr int kGroupBoxDisabled = 2;

constexpr UINT kInnerEdges[] = {0, BDR_RAISEDINNER, BDR_SUNKENINNER};
constexpr UINT kOuterEdges[] = {0, BDR_RAISEDOUTER, BDR_SUNKENOUTER};

}  // namespace

XC_CLASS_INFO(TXcRadioGroup,
              Prop("CaptionVisible", &TXcRadioGroup::CaptionVisible, &TXcRadioGroup::SetCaptionVisible),
              SetOfProp("EdgeBorders", {"ebLeft", "ebTop", "ebRight", "ebBottom"},
                        &TXcRadioGroup::EdgeBorders, &TXcRadioGroup::SetEdgeBorders),
              EnumProp("EdgeInner", {"esNone", "esRaised", "esLowered"}, &TXcRadioGroup::EdgeInner,
                       &TXcRadioGroup::SetEdgeInner),
              EnumProp("EdgeOuter", {"esNone", "esRaised", "esLowered"}, &TXcRadioGroup::EdgeOuter,
                       &TXcRadioGroup::SetEdgeOuter),
              Prop("ReadOnly", &TXcRadioGroup::ReadOnly, &TXcRadioGroup::SetReadOnly))

TXcRadioGroup::TXcRadioGroup(TComponent* owner) : TXcEnhanced(owner) {}

void TXcRadioGroup::SetEdgeBorders(cl::TEdgeBorders value) {
    value &= kAllEdgeBorders;
    if (value == edgeBorders_) return;
    edgeBorders_ = value;
    Invalidate();
}

void TXcRadioGroup::SetEdgeInner(TEdgeStyle value) {
    if (value == edgeInner_) return;
    edgeInner_ = value;
    Invalidate();
}

void TXcRadioGroup::SetEdgeOuter(TEdgeStyle value) {
    if (value == edgeOuter_) return;
    edgeOuter_ = value;
    Invalidate();
}

void TXcRadioGroup::SetCaptionVisible(bool value) {
    if (value == captionVisible_) return;
    captionVisible_ = value;
    Invalidate();
}

void TXcRadioGroup::WndProc(TMessage& m) {
    if (m.Msg == CM_CTL3DCHANGED) {
        Invalidate();
        return;
    }
    TXcEnhanced::WndProc(m);
}

bool TXcRadioGroup::CanModify() {
    return !readOnly_ && TXcEnhanced::CanModify();
}

void TXcRadioGroup::DoItemHint(int index, std::string& hintStr) {
    if (OnItemHint) OnItemHint(this, index, hintStr);
}

bool TXcRadioGroup::HintShow(THintInfo& info) {
    const bool hide = TXcEnhanced::HintShow(info);
    info.HintStr = Hint();
    info.CursorRect = ClientRect();
    const int count = Items()->Count();
    if (count == 0) return hide;
    const int columns = Columns();
    const int rows = count / columns + (count % columns != 0 ? 1 : 0);
    const int rowHeight = Height() / rows;
    const int columnWidth = Width() / columns;
    if (rowHeight <= 0 || columnWidth <= 0) return hide;
    // The strips left over below the last row and right of the last column
    // belong to the last row and column, not to the next column's item.
    const int column = std::clamp(static_cast<int>(info.CursorPos.x) / columnWidth, 0, columns - 1);
    const int row = std::clamp(static_cast<int>(info.CursorPos.y) / rowHeight, 0, rows - 1);
    const int index = column * rows + row;
    if (index < count) {
        DoItemHint(index, info.HintStr);
        info.CursorRect = Rect(column * columnWidth, row * rowHeight, (column + 1) * columnWidth,
                               row * rowHeight + rowHeight);
    }
    return hide;
}

void TXcRadioGroup::Paint() {
    TCanvas* c = Canvas();
    DrawThemedBackgroundColor(this, *c, ClientRect(), false, Color());
    if (ThemeServicesOf().ThemesEnabled())
        PaintThemed();
    else
        PaintClassic();
}

void TXcRadioGroup::PaintClassic() {
    TCanvas* c = Canvas();
    c->SetFont(Font());
    const int h = c->TextHeight("0");
    if (edgeBorders_ != 0) {
        TRect r = Rect(0, h / 2 - 1, Width(), Height());
        UINT flags = edgeBorders_ | BF_ADJUST;
        if (!Ctl3D()) flags |= BF_MONO;
        DrawEdge(c->Handle(), &r, kInnerEdges[edgeInner_] | kOuterEdges[edgeOuter_], flags);
    }
    const std::string text = Caption();
    if (text.empty() || !captionVisible_) return;
    // Right-to-left aligned, the caption sits at the right end of the frame.
    const int left = UseRightToLeftAlignment() ? Width() - c->TextWidth(text) - 8 : 8;
    TRect textRect = Rect(left, 0, 0, h);
    const UINT flags = DrawTextBiDiModeFlags(DT_SINGLELINE);
    c->DrawText(text, textRect, flags | DT_CALCRECT);
    c->Brush()->SetColor(Color());
    SetBkMode(c->Handle(), OPAQUE);
    c->DrawText(text, textRect, flags);
}

void TXcRadioGroup::PaintThemed() {
    TCanvas* c = Canvas();
    TXcThemeServices& themes = ThemeServicesOf();
    const TThemedElementDetails details =
        themes.GetElementDetails(L"BUTTON", kGroupBoxPart, Enabled() ? kGroupBoxNormal : kGroupBoxDisabled);
    c->SetFont(Font());
    const int h = c->TextHeight("0");
    TRect r = ClientRect();
    r.top += h / 2;
    if (edgeBorders_ != 0) {
        // The frame is drawn whole and cut off where a side is absent.
        TRect clip = r;
        if (edgeBorders_ != kAllEdgeBorders) {
            if (!(edgeBorders_ & ebLeft)) clip.left += 3;
            if (!(edgeBorders_ & ebTop)) clip.top += 3;
            if (!(edgeBorders_ & ebRight)) clip.right -= 3;
            if (!(edgeBorders_ & ebBottom)) clip.bottom -= 3;
        }
        themes.DrawElement(c->Handle(), details, r, &clip);
    }
    const std::string text = Caption();
    if (!captionVisible_ || text.empty()) return;
    const SIZE extent = c->TextExtent(text);
    const TRect captionRect = Rect(8, 0, std::min<int>(extent.cx + 8, ClientWidth() - 8), extent.cy);
    if (ControlStyle() & csParentBackground) {
        DrawThemedBackgroundColor(this, *c, captionRect, true, Color());
    } else {
        c->Brush()->SetColor(Color());
        c->FillRect(captionRect);
    }
    const SelectedObject font(c->Handle(), Font()->Handle());
    themes.DrawText(c->Handle(), details, text, captionRect, 0);
}
