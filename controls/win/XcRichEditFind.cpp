// The rich-text viewer's search, its find and replace dialogs (the
// system's modeless ones) and its printing.  (windows.h brings the common
// dialogs' commdlg.h.)
#include <algorithm>
#include <vector>

#include "classlib/StrUtils.h"
#include "classlib/win/Printers.h"
#include "classlib/win/WideText.h"
#include "controls/win/XcRichEdit.h"

using namespace cl;

namespace {

// The open find and replace dialogs of the thread: a modeless dialog only
// answers Tab, Enter and Esc when the message loop hands it its keys, which
// the class library's loop does not do; a message hook does it instead.
std::vector<HWND> g_findDialogs;
HHOOK g_keyHook = nullptr;

LRESULT CALLBACK DialogKeys(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message >= WM_KEYFIRST &&
        msg->message <= WM_KEYLAST) {
        for (HWND dialog : g_findDialogs)
            if ((msg->hwnd == dialog || IsChild(dialog, msg->hwnd)) && IsDialogMessageW(dialog, msg)) {
                // Handled: the loop gets nothing to dispatch.
                msg->message = WM_NULL;
                break;
            }
    }
    return CallNextHookEx(g_keyHook, code, wParam, lParam);
}

void AddDialog(HWND dialog) {
    g_findDialogs.push_back(dialog);
    if (!g_keyHook) g_keyHook = SetWindowsHookExW(WH_GETMESSAGE, DialogKeys, nullptr, GetCurrentThreadId());
}

void RemoveDialog(HWND dialog) noexcept {
    std::erase(g_findDialogs, dialog);
    if (g_findDialogs.empty() && g_keyHook) {
        UnhookWindowsHookEx(g_keyHook);
        g_keyHook = nullptr;
    }
}

}  // namespace

void TXcCustomRichEdit::FindSession::Forget() noexcept {
    if (!dialog) return;
    RemoveDialog(dialog);
    dialog = nullptr;
}

UINT TXcCustomRichEdit::FindDialogMessage() {
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

int TXcCustomRichEdit::FindText(const std::string& text, int startPos, int length, TRichSearchTypes options) {
    const std::wstring wanted = ToWide(text);
    FINDTEXTEXW find{};
    // Backward the range runs from its end to its start.
    find.chrg = (options & stBackward) ? CHARRANGE{startPos + length, startPos}
                                       : CHARRANGE{startPos, startPos + length};
    find.lpstrText = wanted.c_str();
    WPARAM flags = (options & stBackward) ? 0 : FR_DOWN;
    if (options & stWholeWord) flags |= FR_WHOLEWORD;
    if (options & stMatchCase) flags |= FR_MATCHCASE;
    return static_cast<int>(SendMessageW(Handle(), EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&find)));
}

bool TXcCustomRichEdit::FindNext(const std::string& text, DWORD flags) {
    HWND wnd = Handle();
    CHARRANGE selection{};
    SendMessageW(wnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    GETTEXTLENGTHEX all{GTL_NUMCHARS, 1200};
    const int length =
        static_cast<int>(SendMessageW(wnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&all), 0));
    TRichSearchTypes options = 0;
    if (flags & FR_WHOLEWORD) options |= stWholeWord;
    if (flags & FR_MATCHCASE) options |= stMatchCase;
    // Down from the selection's end, up from its start.
    const bool down = (flags & FR_DOWN) != 0;
    const int at = down ? FindText(text, selection.cpMax, length - selection.cpMax, options)
                        : FindText(text, 0, selection.cpMin, options | stBackward);
    if (at < 0) return false;
    CHARRANGE found{at, at + static_cast<LONG>(ToWide(text).size())};
    SendMessageW(wnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&found));
    SendMessageW(wnd, EM_SCROLLCARET, 0, 0);
    return true;
}

void TXcCustomRichEdit::FindDialog(const std::string& text) {
    OpenFindDialog(false, text, {});
}

void TXcCustomRichEdit::ReplaceDialog(const std::string& text, const std::string& replaceText) {
    OpenFindDialog(true, text, replaceText);
}

HWND TXcCustomRichEdit::FindDialogWindow() const {
    return find_ ? find_->dialog : nullptr;
}

void TXcCustomRichEdit::OpenFindDialog(bool replace, const std::string& text,
                                       const std::string& replaceText) {
    CloseFindDialog();
    if (!find_) find_ = std::make_unique<FindSession>();
    FindSession& f = *find_;
    auto fill = [](wchar_t(&field)[FindSession::kFieldLength], const std::string& value) {
        const std::wstring w = ToWide(value);
        const size_t n = std::min(w.size(), FindSession::kFieldLength - 1);
        w.copy(field, n);
        field[n] = L'\0';
    };
    fill(f.findWhat, text);
    fill(f.replaceWith, replaceText);
    f.request = FINDREPLACEW{};
    f.request.lStructSize = sizeof f.request;
    f.request.hwndOwner = Handle();
    f.request.Flags = FR_DOWN;
    f.request.lpstrFindWhat = f.findWhat;
    f.request.wFindWhatLen = sizeof f.findWhat;
    f.request.lpstrReplaceWith = f.replaceWith;
    f.request.wReplaceWithLen = sizeof f.replaceWith;
    f.dialog = replace ? ::ReplaceTextW(&f.request) : ::FindTextW(&f.request);
    if (!f.dialog) throw EOutOfResources("Out of system resources");
    AddDialog(f.dialog);
}

void TXcCustomRichEdit::CloseFindDialog() {
    if (!find_ || !find_->dialog) return;
    HWND dialog = find_->dialog;
    find_->Forget();
    DestroyWindow(dialog);
    if (!(ComponentState() & csDestroying)) FindDialogClosed();
}

bool TXcCustomRichEdit::HandleFindMessage(TMessage& m) {
    auto* request = reinterpret_cast<FINDREPLACEW*>(m.LParam);
    if (!find_ || request != &find_->request) return false;
    const DWORD flags = request->Flags;
    if (flags & FR_DIALOGTERM) {
        find_->Forget();
        FindDialogClosed();
        return true;
    }
    const std::string what = FromWide(request->lpstrFindWhat);
    const std::string with = FromWide(request->lpstrReplaceWith ? request->lpstrReplaceWith : L"");
    HWND wnd = Handle();
    auto replaceSelection = [&] {
        SendMessageW(wnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(ToWide(with).c_str()));
    };
    if (flags & FR_FINDNEXT) {
        if (!FindNext(what, flags)) TextNotFound(what);
    } else if (flags & FR_REPLACE) {
        // The selection is replaced when it is what is looked for (a find
        // came first), then the next one is found.
        const std::string selected = SelText();
        if ((flags & FR_MATCHCASE) ? selected == what : AnsiSameText(selected, what)) replaceSelection();
        if (!FindNext(what, flags | FR_DOWN)) TextNotFound(what);
    } else if (flags & FR_REPLACEALL) {
        SendMessageW(wnd, EM_SETSEL, 0, 0);
        int replaced = 0;
        for (; FindNext(what, flags | FR_DOWN); ++replaced) replaceSelection();
        if (replaced == 0) TextNotFound(what);
    }
    return true;
}

// ---- Printing ----------------------------------------------------------------------------
void TXcCustomRichEdit::Print(const std::string& caption) {
    HWND wnd = Handle();
    TPrinter* printer = Printer();
    printer->SetTitle(caption.empty() ? title_ : caption);
    printer->BeginDoc();
    HDC dc = printer->Handle();
    const int mapMode = GetMapMode(dc);
    auto finish = [wnd, dc, mapMode] {
        SetMapMode(dc, mapMode);
        SendMessageW(wnd, EM_FORMATRANGE, FALSE, 0);
    };
    try {
        // The page in twips (1440 per inch) from the printer's pixels.
        const int ppiX = GetDeviceCaps(dc, LOGPIXELSX), ppiY = GetDeviceCaps(dc, LOGPIXELSY);
        const TRect pixels =
            IsRectEmpty(&pageRect_) ? Rect(0, 0, printer->PageWidth(), printer->PageHeight()) : pageRect_;
        FORMATRANGE range{};
        range.hdc = range.hdcTarget = dc;
        range.rc = {MulDiv(pixels.left, 1440, ppiX), MulDiv(pixels.top, 1440, ppiY),
                    MulDiv(pixels.right, 1440, ppiX), MulDiv(pixels.bottom, 1440, ppiY)};
        range.rcPage = range.rc;
        GETTEXTLENGTHEX all{GTL_NUMCHARS, 1200};
        const auto length =
            static_cast<LONG>(SendMessageW(wnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&all), 0));
        SendMessageW(wnd, EM_FORMATRANGE, FALSE, 0);
        for (LONG start = 0;;) {
            range.chrg = {start, -1};
            const auto next =
                static_cast<LONG>(SendMessageW(wnd, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
            // Nothing more fitted, or nothing is left: the last page.
            if (next <= start || next >= length) break;
            printer->NewPage();
            start = next;
        }
    } catch (...) {
        // Nothing half printed reaches the printer.
        finish();
        printer->Abort();
        throw;
    }
    finish();
    printer->EndDoc();
}
