// TCustomEdit over a system EDIT window, and TCustomMemo with its lines.
#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/WideText.h"

namespace cl {

// ---- TCustomEdit -----------------------------------------------------------------
CL_CLASS_INFO(TCustomEdit, Prop("Text", &TControl::Text, &TControl::SetText),
              Prop("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
              Prop("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
              Prop("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect),
              EnumProp("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TCustomEdit::Alignment,
                       &TCustomEdit::SetAlignment),
              Prop("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize),
              EnumProp("BorderStyle", {"bsNone", "bsSingle"}, &TCustomEdit::BorderStyle,
                       &TCustomEdit::SetBorderStyle),
              EnumProp("CharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}, &TCustomEdit::CharCase,
                       &TCustomEdit::SetCharCase),
              Prop("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection),
              Prop("OEMConvert", &TCustomEdit::OEMConvert, &TCustomEdit::SetOEMConvert),
              Prop("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar))
CL_CLASS_INFO(TEdit)

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    controlStyle_ = csClickEvents | csSetCaption | csDoubleClicks | csFixedHeight;
    SetBounds(0, 0, 121, 25);
    SetTabStop(true);
    SetParentColor(false);
    AdjustHeight();
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"EDIT");
    static const DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    static const DWORD kCharCases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
    // A right-to-left alignment mirrors left and right.
    TAlignment alignment = alignment_;
    if (UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    p.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | kAlignments[alignment] | kCharCases[charCase_];
    if (UseRightToLeftReading()) p.ExStyle |= WS_EX_RTLREADING;
    if (!hideSelection_) p.Style |= ES_NOHIDESEL;
    if (passwordChar_ != '\0') p.Style |= ES_PASSWORD;
    if (readOnly_) p.Style |= ES_READONLY;
    if (oemConvert_) p.Style |= ES_OEMCONVERT;
    // A single border is drawn sunken, or flat without Ctl3D.
    if (borderStyle_ == bsSingle) {
        if (Ctl3D())
            p.ExStyle |= WS_EX_CLIENTEDGE;
        else
            p.Style |= WS_BORDER;
    }
}

void TCustomEdit::CreateWnd() {
    {
        const FlagScope creating(creating_);
        TWinControl::CreateWnd();
    }
    SendMessageW(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    SendMessageW(WindowHandle(), EM_SETMODIFY, modified_, 0);
    if (passwordChar_ != '\0')
        SendMessageW(WindowHandle(), EM_SETPASSWORDCHAR, ToWide(std::string(1, passwordChar_))[0], 0);
    UpdateHeight();
}

void TCustomEdit::DestroyWnd() {
    modified_ = Modified();
    TWinControl::DestroyWnd();
}

void TCustomEdit::AdjustHeight() {
    const TEXTMETRICW metrics = ScreenTextMetrics(*Font());
    // The sunken edge takes two pixels on each side, the text a margin of
    // two more above and below.
    SetHeight(metrics.tmHeight + 8 * GetSystemMetrics(SM_CYBORDER));
}

void TCustomEdit::UpdateHeight() {
    if (autoSize_ && borderStyle_ == bsSingle) {
        controlStyle_ |= csFixedHeight;
        AdjustHeight();
    } else {
        controlStyle_ &= ~csFixedHeight;
    }
}

void TCustomEdit::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    UpdateHeight();
}

void TCustomEdit::SetOEMConvert(bool value) {
    if (value == oemConvert_) return;
    oemConvert_ = value;
    RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    UpdateHeight();
    RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (value == charCase_) return;
    charCase_ = value;
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value) {
    if (value == hideSelection_) return;
    hideSelection_ = value;
    RecreateWnd();
}

void TCustomEdit::SetMaxLength(int value) {
    if (value == maxLength_) return;
    maxLength_ = value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetPasswordChar(char value) {
    if (value == passwordChar_) return;
    passwordChar_ = value;
    // ES_PASSWORD cannot be switched on a live window.
    RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    RecreateWnd();
}

bool TCustomEdit::Modified() const {
    if (HandleAllocated()) return SendMessageW(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
    return modified_;
}

void TCustomEdit::SetModified(bool value) {
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_SETMODIFY, value, 0);
    else
        modified_ = value;
}

void TCustomEdit::GetSel(int& start, int& stop) {
    DWORD s = 0, e = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    stop = static_cast<int>(e);
}

int TCustomEdit::SelStart() {
    int start, stop;
    GetSel(start, stop);
    return start;
}

void TCustomEdit::SetSelStart(int value) {
    SendMessageW(Handle(), EM_SETSEL, value, value);
}

int TCustomEdit::SelLength() {
    int start, stop;
    GetSel(start, stop);
    return stop - start;
}

void TCustomEdit::SetSelLength(int value) {
    int start, stop;
    GetSel(start, stop);
    SendMessageW(Handle(), EM_SETSEL, start, start + value);
    SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
}

std::string TCustomEdit::SelText() {
    int start, stop;
    GetSel(start, stop);
    const std::string text = Text();
    start = std::clamp(start, 0, static_cast<int>(text.size()));
    stop = std::clamp(stop, start, static_cast<int>(text.size()));
    return text.substr(static_cast<size_t>(start), static_cast<size_t>(stop - start));
}

void TCustomEdit::SetSelText(const std::string& value) {
    const std::wstring wide = ToWide(value);
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TCustomEdit::SelectAll() {
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection() {
    SendMessageW(Handle(), WM_CLEAR, 0, 0);
}

void TCustomEdit::CopyToClipboard() {
    SendMessageW(Handle(), WM_COPY, 0, 0);
}

void TCustomEdit::CutToClipboard() {
    SendMessageW(Handle(), WM_CUT, 0, 0);
}

void TCustomEdit::PasteFromClipboard() {
    SendMessageW(Handle(), WM_PASTE, 0, 0);
}

bool TCustomEdit::CanUndo() {
    return HandleAllocated() && SendMessageW(WindowHandle(), EM_CANUNDO, 0, 0) != 0;
}

void TCustomEdit::Undo() {
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_UNDO, 0, 0);
}

void TCustomEdit::ClearUndo() {
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

int TCustomEdit::GetTextLen() {
    if (!HandleAllocated()) return static_cast<int>(Text().size());
    return static_cast<int>(SendMessageW(WindowHandle(), WM_GETTEXTLENGTH, 0, 0));
}

void TCustomEdit::DoEnter() {
    // A click places the caret itself; a single-line edit entered by the
    // keyboard or from code shows its whole text selected.
    if (autoSelect_ && !(controlState_ & csLButtonDown) && HandleAllocated() &&
        !(GetWindowLongW(WindowHandle(), GWL_STYLE) & ES_MULTILINE))
        SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::WMPaste(TMessage& m) {
    DefaultHandler(m);
}

void TCustomEdit::WMCut(TMessage& m) {
    DefaultHandler(m);
}

void TCustomEdit::WMClear(TMessage& m) {
    DefaultHandler(m);
}

void TCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            if (HIWORD(m.WParam) == EN_CHANGE && !creating_) Change();
            return;
        case WM_PASTE:
            WMPaste(m);
            return;
        case WM_CUT:
            WMCut(m);
            return;
        case WM_CLEAR:
            WMClear(m);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            // The click focuses the window inside; DoEnter must know.
            controlState_ |= csLButtonDown;
            const ScopeExit clear([this] { controlState_ &= ~csLButtonDown; });
            TWinControl::WndProc(m);
            return;
        }
        case CM_FONTCHANGED:
            TWinControl::WndProc(m);
            if (controlStyle_ & csFixedHeight) AdjustHeight();
            return;
        case CM_CTL3DCHANGED:
            // The single border's look is part of the window's style.
            if (borderStyle_ == bsSingle && HandleAllocated()) RecreateWnd();
            return;
        case CM_BIDIMODECHANGED:
            // Alignment and reading order are part of the window's style.
            TWinControl::WndProc(m);
            if (HandleAllocated()) RecreateWnd();
            return;
    }
    TWinControl::WndProc(m);
}

// ---- TCustomMemo -------------------------------------------------------------------
namespace {

const std::string kLineBreak = "\r\n";

// The lines of a text as a memo shows them: a final line break ends the
// last line and opens none.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(kLineBreak, start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + kLineBreak.size();
    }
    return lines;
}

}  // namespace

// Each operation selects a range of the window and replaces it, so the
// window keeps its own line structure; without a window it edits the text.
class TCustomMemo::TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}

    int Count() const override {
        HWND wnd = memo_->WindowHandle();
        if (!wnd) return static_cast<int>(SplitLines(memo_->Text()).size());
        int count = static_cast<int>(SendMessageW(wnd, EM_GETLINECOUNT, 0, 0));
        // The empty line after a final break is no line of the list.
        const LRESULT last = SendMessageW(wnd, EM_LINEINDEX, count - 1, 0);
        if (SendMessageW(wnd, EM_LINELENGTH, last, 0) == 0) --count;
        return count;
    }

    std::string Get(int index) const override {
        CheckIndex(index);
        HWND wnd = memo_->WindowHandle();
        if (!wnd) return SplitLines(memo_->Text())[static_cast<size_t>(index)];
        const LRESULT start = SendMessageW(wnd, EM_LINEINDEX, index, 0);
        const LRESULT length = SendMessageW(wnd, EM_LINELENGTH, start, 0);
        // EM_GETLINE takes the buffer's size in its first word.
        std::wstring buf(static_cast<size_t>(std::max<LRESULT>(length, 1)), L'\0');
        buf[0] = static_cast<wchar_t>(buf.size());
        const LRESULT got = SendMessageW(wnd, EM_GETLINE, index, reinterpret_cast<LPARAM>(buf.data()));
        buf.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, length)));
        return FromWide(buf);
    }

    void Put(int index, const std::string& s) override {
        CheckIndex(index);
        HWND wnd = memo_->WindowHandle();
        if (!wnd) {
            auto lines = SplitLines(memo_->Text());
            lines[static_cast<size_t>(index)] = s;
            SetLines(lines, EndsWithBreak());
            return;
        }
        const LRESULT start = SendMessageW(wnd, EM_LINEINDEX, index, 0);
        Replace(wnd, start, start + SendMessageW(wnd, EM_LINELENGTH, start, 0), s);
    }

    void Insert(int index, const std::string& s) override {
        const int count = Count();
        if (index < 0 || index > count) IndexError(index);
        HWND wnd = memo_->WindowHandle();
        if (!wnd) {
            auto lines = SplitLines(memo_->Text());
            const bool closed = EndsWithBreak() || lines.empty();
            lines.insert(lines.begin() + index, s);
            // A line added after an unterminated last line stays unterminated.
            SetLines(lines, closed);
            return;
        }
        const LRESULT start = SendMessageW(wnd, EM_LINEINDEX, index, 0);
        if (start >= 0) {
            Replace(wnd, start, start, s + kLineBreak);
        } else {
            // After a last line without a break: the break goes first.
            const int end = memo_->GetTextLen();
            Replace(wnd, end, end, kLineBreak + s);
        }
    }

    void Delete(int index) override {
        CheckIndex(index);
        HWND wnd = memo_->WindowHandle();
        if (!wnd) {
            auto lines = SplitLines(memo_->Text());
            lines.erase(lines.begin() + index);
            SetLines(lines, EndsWithBreak());
            return;
        }
        const LRESULT start = SendMessageW(wnd, EM_LINEINDEX, index, 0);
        LRESULT stop = SendMessageW(wnd, EM_LINEINDEX, index + 1, 0);
        if (stop < 0) stop = start + SendMessageW(wnd, EM_LINELENGTH, start, 0);
        Replace(wnd, start, stop, "");
    }

    void Clear() override { memo_->Clear(); }

    std::string Text() const override { return memo_->Text(); }
    void SetText(std::string_view text) override {
        // Bare CR or LF become the CR LF the window breaks lines at.
        std::string adjusted;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' || text[i] == '\n') {
                adjusted += kLineBreak;
                if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            } else {
                adjusted += text[i];
            }
        }
        memo_->SetText(adjusted);
    }

protected:
    void SetUpdateState(bool updating) override {
        HWND wnd = memo_->WindowHandle();
        if (!wnd) return;
        SendMessageW(wnd, WM_SETREDRAW, !updating, 0);
        if (!updating) memo_->Refresh();
    }

private:
    void CheckIndex(int index) const {
        if (index < 0 || index >= Count()) IndexError(index);
    }
    bool EndsWithBreak() const {
        const std::string text = memo_->Text();
        return text.size() >= 2 && text.compare(text.size() - 2, 2, kLineBreak) == 0;
    }
    void SetLines(const std::vector<std::string>& lines, bool closed) {
        std::string text;
        for (size_t i = 0; i < lines.size(); ++i) {
            text += lines[i];
            if (i + 1 < lines.size() || closed) text += kLineBreak;
        }
        memo_->SetText(text);
    }
    static void Replace(HWND wnd, LRESULT start, LRESULT stop, const std::string& s) {
        const std::wstring wide = ToWide(s);
        SendMessageW(wnd, EM_SETSEL, static_cast<WPARAM>(start), stop);
        SendMessageW(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    }

    TCustomMemo* memo_;
};

CL_CLASS_INFO(TCustomMemo)
CL_CLASS_INFO(TMemo)

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this)) {
    SetBounds(Left(), Top(), 185, 89);
    SetAutoSize(false);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    static const DWORD kScrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
    p.Style |= ES_MULTILINE | kScrollBars[scrollBars_];
    // Word wrap needs the lines not to scroll sideways.
    if (wordWrap_) p.Style &= ~ES_AUTOHSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
    if (value == scrollBars_) return;
    scrollBars_ = value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    RecreateWnd();
}

void TCustomMemo::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);
    if (key == '\r' && !wantReturns_) key = 0;
}

void TCustomMemo::WndProc(TMessage& m) {
    if (m.Msg == WM_GETDLGCODE) {
        TCustomEdit::WndProc(m);
        if (wantTabs_)
            m.Result |= DLGC_WANTTAB;
        else
            m.Result &= ~DLGC_WANTTAB;
        // Without WantReturns, Enter (and Esc) go to the form's buttons.
        if (!wantReturns_) m.Result &= ~DLGC_WANTALLKEYS;
        return;
    }
    TCustomEdit::WndProc(m);
}

}  // namespace cl
