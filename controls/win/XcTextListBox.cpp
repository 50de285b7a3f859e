#include "controls/win/XcTextListBox.h"

#include <algorithm>
#include <cmath>

#include "classlib/win/WideText.h"

using namespace cl;

XC_CLASS_INFO(TXcTextListBox)

void TXcTextListBox::CreateWnd() {
    // The new window's items are measured again as they go in.
    maxWidth_ = 0;
    TXcEnhanced::CreateWnd();
}

int TXcTextListBox::ItemWidth(int index) {
    HWND wnd = WindowHandle();
    if (!wnd) return 0;
    const LRESULT length = SendMessageW(wnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return 0;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(wnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, length)));
    text += L'x';
    TCanvas* canvas = Canvas();
    // The list's own font (the error list's bold one), whatever was last
    // put on the canvas.
    canvas->SetFont(Font());
    if (TabWidth() < 1) return canvas->TextWidth(FromWide(text));
    HDC dc = canvas->Handle();
    const SelectedObject font(dc, Font()->Handle());
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    const int tabStop = static_cast<int>(std::lround(zero.cx * TabWidth() * 0.25));
    const DWORD extent = GetTabbedTextExtentW(dc, text.c_str(), static_cast<int>(text.size()), 1, &tabStop);
    return LOWORD(extent);
}

void TXcTextListBox::SendExtent() {
    if (HWND wnd = WindowHandle())
        SendMessageW(wnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(maxWidth_), 0);
}

void TXcTextListBox::MeasureAll() {
    maxWidth_ = 0;
    const int count =
        HandleAllocated() ? static_cast<int>(SendMessageW(WindowHandle(), LB_GETCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) maxWidth_ = std::max(maxWidth_, ItemWidth(i));
    SendExtent();
}

void TXcTextListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_SETFONT:
            TXcEnhanced::WndProc(m);
            MeasureAll();
            return;
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
            TXcEnhanced::WndProc(m);
            // LB_ERR and LB_ERRSPACE: nothing went in.
            if (m.Result >= 0) {
                const int width = ItemWidth(static_cast<int>(m.Result));
                if (width > maxWidth_) {
                    maxWidth_ = width;
                    SendExtent();
                }
            }
            return;
        case LB_DELETESTRING: {
            const int index = static_cast<int>(m.WParam);
            const int count = static_cast<int>(SendMessageW(WindowHandle(), LB_GETCOUNT, 0, 0));
            if (index < 0 || index >= count || ItemWidth(index) < maxWidth_) {
                TXcEnhanced::WndProc(m);
                return;
            }
            Perform(WM_HSCROLL, SB_TOP, 0);
            TXcEnhanced::WndProc(m);
            MeasureAll();
            return;
        }
        case LB_RESETCONTENT:
            maxWidth_ = 0;
            SendExtent();
            Perform(WM_HSCROLL, SB_TOP, 0);
            TXcEnhanced::WndProc(m);
            return;
    }
    TXcEnhanced::WndProc(m);
}
