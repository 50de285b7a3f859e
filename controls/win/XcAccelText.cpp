#include "controls/win/XcAccelText.h"

#include <vector>

#include "classlib/win/GdiHandles.h"
#include "classlib/win/WideText.h"

using namespace cl;

namespace {

// The text as shown and the place of its access key in it (-1: none).
std::wstring Shown(const std::wstring& text, int& accel) {
    std::wstring shown;
    accel = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != L'&' && accel < 0) accel = static_cast<int>(shown.size());
        }
        shown += text[i];
    }
    return shown;
}

}  // namespace

void DrawAccelText(TCanvas& canvas, const std::string& text, TRect r, UINT flags) {
    int accel = -1;
    const std::wstring shown = Shown(ToWide(text), accel);
    if ((flags & DT_NOPREFIX) || shown.empty() || shown.find(L'\t') != std::wstring::npos) {
        canvas.DrawText(text, r, flags);
        return;
    }
    // The canvas's font, colour and background mode on its DC.
    TRect measure = r;
    canvas.DrawText(" ", measure, DT_CALCRECT | DT_SINGLELINE);
    HDC dc = canvas.Handle();
    const SelectedObject font(dc, canvas.Font()->Handle());
    // Every letter where the text's extents put it, so that the line is
    // under the letter (Wine draws letters apart from its own extents).
    const int count = static_cast<int>(shown.size());
    std::vector<int> ends(shown.size());
    SIZE whole{};
    GetTextExtentExPointW(dc, shown.c_str(), count, 0, nullptr, ends.data(), &whole);
    std::vector<int> advances(shown.size());
    for (int i = 0; i < count; ++i) advances[i] = ends[i] - (i > 0 ? ends[i - 1] : 0);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    int x = r.left;
    if (flags & DT_CENTER)
        x = r.left + (r.right - r.left - whole.cx) / 2;
    else if (flags & DT_RIGHT)
        x = r.right - whole.cx;
    int y = r.top;
    if (flags & DT_BOTTOM)
        y = r.bottom - tm.tmHeight;
    else if (flags & DT_VCENTER)
        y = r.top + (r.bottom - r.top - tm.tmHeight) / 2;
    const UINT align = SetTextAlign(dc, TA_LEFT | TA_TOP);
    ExtTextOutW(dc, x, y, (flags & DT_NOCLIP) ? 0 : ETO_CLIPPED, &r, shown.c_str(), static_cast<UINT>(count),
                advances.data());
    SetTextAlign(dc, align);
    if (accel < 0 || (flags & DT_HIDEPREFIX)) return;
    // Under the letter's ink: its A and B widths (a bitmap font has no A width).
    const wchar_t letter = shown[static_cast<size_t>(accel)];
    ABC abc{};
    if (!GetCharABCWidthsW(dc, letter, letter, &abc))
        abc = ABC{0, static_cast<UINT>(advances[static_cast<size_t>(accel)]), 0};
    const int left = x + (accel > 0 ? ends[static_cast<size_t>(accel) - 1] : 0) + abc.abcA;
    const RECT line{left, y + tm.tmAscent + 1, left + static_cast<int>(abc.abcB), y + tm.tmAscent + 2};
    const OwnedBrush ink(CreateSolidBrush(GetTextColor(dc)));
    FillRect(dc, &line, ink.get());
}
