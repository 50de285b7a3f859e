// The rich edit over RICHEDIT20W (riched20.dll) or RICHEDIT (riched32.dll).
#include "classlib/win/RichEdit.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

constexpr UINT kCodePage = 1250;
// Plain text crosses the stream messages in Windows-1250 whatever the
// system's code page.
constexpr WPARAM kPlainFormat = (kCodePage << 16) | SF_USECODEPAGE | SF_TEXT;
constexpr LPARAM kNoLimit = 0xFFFFFF;

struct Library {
    HMODULE module = nullptr;
    int version = 0;
    const wchar_t* className = L"";
};

bool g_olderLibrary = false;

// Loaded once and kept for the life of the process, as the window class
// lives in it.
const Library& RichEditLibrary() {
    static const Library library = [] {
        Library l;
        // A missing library must not bring up the system's error box.
        const UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS);
        if (!g_olderLibrary && (l.module = LoadLibraryW(L"riched20.dll")) != nullptr) {
            l.version = 2;
            l.className = RICHEDIT_CLASSW;  // "RichEdit20W"
        } else if ((l.module = LoadLibraryW(L"riched32.dll")) != nullptr) {
            l.version = 1;
            l.className = L"RICHEDIT";
        }
        SetErrorMode(oldMode);
        return l;
    }();
    return library;
}

struct StreamCookie {
    TStream* stream;
    bool failed = false;
    bool ended = false;  // a read found nothing more
};

DWORD CALLBACK ReadCallback(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    auto* c = reinterpret_cast<StreamCookie*>(cookie);
    try {
        *done = c->stream->Read(buffer, count);
        if (*done == 0) c->ended = true;
        return 0;
    } catch (...) {
        // The control gets a read error and stops; StreamIn reports it.
        *done = 0;
        c->failed = true;
        return 1;
    }
}

DWORD CALLBACK WriteCallback(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    auto* c = reinterpret_cast<StreamCookie*>(cookie);
    try {
        *done = c->stream->Write(buffer, count);
        if (*done == count) return 0;
    } catch (...) {
        *done = 0;  // reported by StreamOut below
    }
    c->failed = true;
    return 1;
}

// True when the stream's next bytes are "{\rtf"; the position is kept.
bool StartsAsRtf(TStream& stream) {
    const int64_t start = stream.Position();
    char head[5] = {};
    const int32_t n = stream.Read(head, sizeof head);
    stream.SetPosition(start);
    return n == 5 && std::string_view(head, 5) == "{\\rtf";
}

int TextLength(HWND wnd) {
    GETTEXTLENGTHEX gtl{GTL_NUMCHARS, 1200};
    return static_cast<int>(SendMessageW(wnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0));
}

std::wstring TextRange(HWND wnd, LONG start, LONG end) {
    if (end <= start) return {};
    std::wstring buffer(static_cast<size_t>(end - start) + 1, L'\0');
    TEXTRANGEW range{{start, end}, buffer.data()};
    const LRESULT n = SendMessageW(wnd, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    buffer.resize(static_cast<size_t>(std::max<LRESULT>(n, 0)));
    return buffer;
}

void ReplaceRange(HWND wnd, LONG start, LONG end, const std::wstring& text, bool canUndo) {
    CHARRANGE range{start, end};
    SendMessageW(wnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageW(wnd, EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace

int RichEditVersion() {
    return RichEditLibrary().version;
}

void UseOlderRichEditLibrary() {
    g_olderLibrary = true;
}

// ---- Lines ---------------------------------------------------------------------------
// Every operation works on the control's own lines; the control ends a line
// with one CR (version 2) and counts it as one character.
class TCustomRichEdit::TRichEditStrings : public TStrings {
public:
    explicit TRichEditStrings(TCustomRichEdit* edit) : edit_(edit) {}

    int Count() const override {
        HWND wnd = edit_->Handle();
        int n = static_cast<int>(SendMessageW(wnd, EM_GETLINECOUNT, 0, 0));
        // A text ending in a line break has no empty last line.
        if (n > 0 && LineLength(wnd, n - 1) == 0) --n;
        return n;
    }

    std::string Get(int index) const override {
        HWND wnd = Checked(index);
        const LONG start = LineStart(wnd, index);
        return FromWide(TextRange(wnd, start, start + LineLength(wnd, index)));
    }

    void Put(int index, const std::string& s) override {
        HWND wnd = Checked(index);
        const LONG start = LineStart(wnd, index);
        ReplaceRange(wnd, start, start + LineLength(wnd, index), ToWide(s), edit_->UndoableEdits());
    }

    void Insert(int index, const std::string& s) override {
        HWND wnd = edit_->Handle();
        const std::wstring line = ToWide(s);
        const wchar_t* br = RichEditVersion() >= 2 ? L"\r" : L"\r\n";
        const int count = Count();
        if (index < 0 || index > count) IndexError(index);
        if (index < count) {
            const LONG start = LineStart(wnd, index);
            ReplaceRange(wnd, start, start, line + br, edit_->UndoableEdits());
            return;
        }
        // After the last line: a break first unless the text is empty or ends in one.
        const LONG end = TextLength(wnd);
        const bool needsBreak =
            end > 0 && LineLength(wnd, static_cast<int>(SendMessageW(wnd, EM_GETLINECOUNT, 0, 0)) - 1) > 0;
        ReplaceRange(wnd, end, end, needsBreak ? br + line : line, edit_->UndoableEdits());
    }

    void Delete(int index) override {
        HWND wnd = Checked(index);
        const LONG start = LineStart(wnd, index);
        LONG end = static_cast<LONG>(SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(index + 1), 0));
        if (end < 0) end = TextLength(wnd);
        ReplaceRange(wnd, start, end, L"", edit_->UndoableEdits());
    }

    void Clear() override { SendMessageW(edit_->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")); }

    std::string Text() const override { return edit_->Text(); }
    void SetText(std::string_view text) override { edit_->SetText(std::string(text)); }

    void LoadFromStream(TStream& stream) override { edit_->StreamIn(stream, edit_->PlainText()); }
    void SaveToStream(TStream& stream) const override { edit_->StreamOut(stream, edit_->PlainText()); }

protected:
    void SetUpdateState(bool updating) override {
        if (!edit_->HandleAllocated()) return;
        SendMessageW(edit_->WindowHandle(), WM_SETREDRAW, !updating, 0);
        if (!updating) edit_->Invalidate();
    }

private:
    HWND Checked(int index) const {
        if (index < 0 || index >= Count()) IndexError(index);
        return edit_->Handle();
    }
    static LONG LineStart(HWND wnd, int index) {
        return static_cast<LONG>(SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(index), 0));
    }
    static LONG LineLength(HWND wnd, int index) {
        return static_cast<LONG>(
            SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(LineStart(wnd, index)), 0));
    }

    TCustomRichEdit* edit_;
};

// ---- TCustomRichEdit --------------------------------------------------------------------
CL_CLASS_INFO(TCustomRichEdit,
              Prop("HideScrollBars", &TCustomRichEdit::HideScrollBars, &TCustomRichEdit::SetHideScrollBars),
              Prop("PlainText", &TCustomRichEdit::PlainText, &TCustomRichEdit::SetPlainText))
CL_CLASS_INFO(TRichEdit)

TCustomRichEdit::TCustomRichEdit(TComponent* owner)
    : TCustomMemo(owner), richLines_(std::make_unique<TRichEditStrings>(this)) {
    SetControlStyle(ControlStyle() & ~csSetCaption);
}

TCustomRichEdit::~TCustomRichEdit() = default;

void TCustomRichEdit::CreateParams(TCreateParams& p) {
    TCustomMemo::CreateParams(p);
    const Library& library = RichEditLibrary();
    if (!library.module) throw EOSError("Rich edit library not found (riched20.dll, riched32.dll)");
    CreateSubClass(p, library.className);
    // A wrapping control has nothing to scroll sideways.
    if (WordWrap()) p.Style &= ~WS_HSCROLL;
    if (!hideScrollBars_) p.Style |= ES_DISABLENOSCROLL;
}

void TCustomRichEdit::CreateWnd() {
    TCustomMemo::CreateWnd();
    PrepareWindow();
    if (saved_) {
        std::unique_ptr<TMemoryStream> saved = std::move(saved_);
        saved->SetPosition(0);
        StreamIn(*saved, plainText_);
        SendMessageW(WindowHandle(), EM_SETMODIFY, savedModified_, 0);
    }
    ApplySettings();
}

void TCustomRichEdit::ApplySettings() {
    HWND wnd = WindowHandle();
    SendMessageW(wnd, EM_EXLIMITTEXT, 0, MaxLength() > 0 ? MaxLength() : kNoLimit);
    // Line width 0 wraps at the window's edge, 1 never wraps.
    SendMessageW(wnd, EM_SETTARGETDEVICE, 0, WordWrap() ? 0 : 1);
    SendMessageW(wnd, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    SendMessageW(wnd, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
}

void TCustomRichEdit::DestroyWnd() {
    auto saved = std::make_unique<TMemoryStream>();
    StreamOut(*saved, plainText_);
    saved_ = std::move(saved);
    savedModified_ = SendMessageW(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
    TCustomMemo::DestroyWnd();
}

void TCustomRichEdit::SetHideScrollBars(bool value) {
    if (value == hideScrollBars_) return;
    hideScrollBars_ = value;
    RecreateWnd();
}

std::string TCustomRichEdit::GetText() const {
    if (!HandleAllocated()) return TCustomMemo::GetText();
    HWND wnd = WindowHandle();
    GETTEXTLENGTHEX gtl{GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, kCodePage};
    const LRESULT length = SendMessageW(wnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GETTEXTEX gt{};
    gt.cb = static_cast<DWORD>(text.size());
    gt.flags = GT_USECRLF;
    gt.codepage = kCodePage;
    const LRESULT got =
        SendMessageW(wnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, length)));
    return text;
}

std::string TCustomRichEdit::SelText() {
    HWND wnd = Handle();
    CHARRANGE range{};
    SendMessageW(wnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return FromWide(TextRange(wnd, range.cpMin, range.cpMax));
}

void TCustomRichEdit::StreamIn(TStream& stream, bool plain) {
    HWND wnd = Handle();
    const int64_t start = stream.Position();
    bool readFailed = false, readToEnd = false;
    auto run = [&](WPARAM format) {
        StreamCookie cookie{&stream};
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, ReadCallback};
        SendMessageW(wnd, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
        readFailed = cookie.failed;
        readToEnd = cookie.ended && !cookie.failed;
        return es.dwError == 0 && !cookie.failed;
    };
    bool loaded = false;
    if (plain) {
        loaded = run(kPlainFormat);
    } else {
        const bool rtf = StartsAsRtf(stream);
        loaded = run(SF_RTF);
        // Wine's riched20 reports an error for RTF that lacks its last
        // brace although it has read all of it; such text stays.  Text cut
        // short by a read error does not.
        if (!loaded && rtf && readToEnd && TextLength(wnd) > 0) loaded = true;
        // A stream that failed is not read again as another format.
        if (!loaded && !readFailed) {
            stream.SetPosition(start);
            loaded = run(kPlainFormat);
        }
    }
    if (!loaded) throw EOutOfResources("Failed to Load Stream");
    SendMessageW(wnd, EM_SETSEL, 0, 0);
    SendMessageW(wnd, EM_SCROLLCARET, 0, 0);
}

void TCustomRichEdit::StreamOut(TStream& stream, bool plain) {
    StreamCookie cookie{&stream};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, WriteCallback};
    SendMessageW(Handle(), EM_STREAMOUT, plain ? kPlainFormat : SF_RTF, reinterpret_cast<LPARAM>(&es));
    if (es.dwError != 0 || cookie.failed) throw EOutOfResources("Failed to Save Stream");
}

void TCustomRichEdit::SelectionChange() {
    if (OnSelectionChange) OnSelectionChange(this);
}

void TCustomRichEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(m.LParam)->code == EN_SELCHANGE) {
                SelectionChange();
                return;
            }
            break;
        case CM_COLORCHANGED:
            TCustomMemo::WndProc(m);
            if (HandleAllocated())
                SendMessageW(WindowHandle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
            return;
    }
    TCustomMemo::WndProc(m);
}

}  // namespace cl
