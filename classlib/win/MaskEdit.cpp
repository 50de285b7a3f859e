// TCustomMaskEdit: mask parsing, text conversion, and the keys that edit
// the window one position at a time.
#include <algorithm>

#include "classlib/StrUtils.h"
#include "classlib/win/Mask.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

// The mask split at the ';' that are not escaped by '\'.
std::vector<std::string> MaskFields(const std::string& mask) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == '\\' && i + 1 < mask.size()) {
            fields.back() += mask.substr(i, 2);
            ++i;
        } else if (mask[i] == ';') {
            fields.emplace_back();
        } else {
            fields.back() += mask[i];
        }
    }
    return fields;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string ClipboardText(HWND owner) {
    if (!OpenClipboard(owner)) return "";
    std::string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = FromWide(wide);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

CL_CLASS_INFO(TCustomMaskEdit, Prop("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask))
CL_CLASS_INFO(TMaskEdit)

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::SetEditMask(const std::string& value) {
    if (value == editMask_) return;
    const std::string oldText = Text();
    editMask_ = value;
    positions_.clear();
    const std::vector<std::string> fields = MaskFields(value);
    saveLiterals_ = !(fields.size() > 1 && !fields[1].empty() && fields[1][0] == '0');
    blank_ = fields.size() > 2 && !fields[2].empty() ? fields[2][0] : '_';
    const std::string& mask = fields[0];
    TCaseConversion conversion = ccNone;
    for (size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        switch (c) {
            case '\\':
                if (i + 1 < mask.size()) positions_.push_back({mask[++i], true, false, ccNone});
                break;
            case '>':
                if (i + 1 < mask.size() && mask[i + 1] == '<') {
                    conversion = ccNone;
                    ++i;
                } else {
                    conversion = ccUpper;
                }
                break;
            case '<':
                conversion = ccLower;
                break;
            case '!':
                // Where blanks of optional positions go; they stay in place here.
                break;
            case '_':
                positions_.push_back({' ', true, false, ccNone});
                break;
            case '0':
            case '9':
            case '#':
            case 'L':
            case 'l':
            case 'A':
            case 'a':
            case 'C':
            case 'c':
                positions_.push_back({c, false, c == '0' || c == 'L' || c == 'A' || c == 'C', conversion});
                break;
            default:
                positions_.push_back({c, true, false, ccNone});
                break;
        }
    }
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(IsMasked() ? MaxChars() : MaxLength()),
                     0);
    // The text the edit had is read again through the new mask.
    if (IsMasked())
        SetEditText(Formatted(oldText));
    else
        SetEditText(oldText);
}

std::string TCustomMaskEdit::EditText() const {
    return TCustomEdit::GetText();
}

void TCustomMaskEdit::SetEditText(const std::string& value) {
    if (EditText() == value) return;
    TCustomEdit::SetTextValue(value);
    Perform(CM_TEXTCHANGED, 0, 0);
    if (Focused()) CheckCursor();
}

std::string TCustomMaskEdit::GetText() const {
    if (!IsMasked()) return TCustomEdit::GetText();
    const std::string edit = EditText();
    std::string text;
    for (size_t i = 0; i < positions_.size(); ++i) {
        const MaskPosition& p = positions_[i];
        if (p.literal) {
            if (saveLiterals_) text += p.ch;
            continue;
        }
        const char c = i < edit.size() ? edit[i] : blank_;
        text += c == blank_ ? ' ' : c;
    }
    return text;
}

void TCustomMaskEdit::SetTextValue(const std::string& value) {
    if (!IsMasked()) {
        TCustomEdit::SetTextValue(value);
        return;
    }
    SetEditText(Formatted(value));
}

std::string TCustomMaskEdit::Formatted(const std::string& value) const {
    std::string edit;
    size_t next = 0;
    for (size_t i = 0; i < positions_.size(); ++i) {
        const MaskPosition& p = positions_[i];
        if (p.literal) {
            edit += p.ch;
            if (saveLiterals_) ++next;
            continue;
        }
        const char c = next < value.size() ? value[next] : ' ';
        ++next;
        const int pos = static_cast<int>(i);
        edit += (c != ' ' && IsValidChar(c, pos)) ? Converted(c, pos) : blank_;
    }
    return edit;
}

int TCustomMaskEdit::NextInput(int pos) const {
    for (int i = std::max(pos, 0); i < MaxChars(); ++i)
        if (!positions_[static_cast<size_t>(i)].literal) return i;
    return MaxChars();
}

int TCustomMaskEdit::PrevInput(int pos) const {
    for (int i = std::min(pos, MaxChars()) - 1; i >= 0; --i)
        if (!positions_[static_cast<size_t>(i)].literal) return i;
    return -1;
}

bool TCustomMaskEdit::IsValidChar(char c, int pos) const {
    if (pos < 0 || pos >= MaxChars()) return false;
    const std::wstring wide = ToWide(std::string(1, c));
    const bool alpha = !wide.empty() && IsCharAlphaW(wide[0]);
    switch (positions_[static_cast<size_t>(pos)].ch) {
        case '0':
        case '9':
            return IsDigit(c);
        case '#':
            return IsDigit(c) || c == ' ' || c == '+' || c == '-';
        case 'L':
        case 'l':
            return alpha;
        case 'A':
        case 'a':
            return alpha || IsDigit(c);
        default:
            return true;
    }
}

char TCustomMaskEdit::Converted(char c, int pos) const {
    switch (positions_[static_cast<size_t>(pos)].conversion) {
        case ccUpper:
            return AnsiUpperChar(c);
        case ccLower:
            return AnsiLowerChar(c);
        default:
            return c;
    }
}

bool TCustomMaskEdit::Validate(const std::string& value, int& pos) const {
    for (size_t i = 0; i < positions_.size(); ++i) {
        const MaskPosition& p = positions_[i];
        if (p.literal || !p.required) continue;
        const char c = i < value.size() ? value[i] : blank_;
        if (c == blank_ || c == ' ') {
            pos = static_cast<int>(i);
            return false;
        }
    }
    pos = 0;
    return true;
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !Modified()) return;
    int pos = 0;
    if (Validate(EditText(), pos)) return;
    // The user is taken back to the first position to fill.
    if (CanFocus()) {
        reEnter_ = true;
        SetFocus();
    }
    if (HandleAllocated()) SetCursor(pos);
    ValidateError();
}

void TCustomMaskEdit::ValidateError() {
    MessageBeep(0);
    throw EDBEditError("Invalid input value.  Use escape key to abandon changes");
}

void TCustomMaskEdit::Reset() {
    if (!Modified()) return;
    SetEditText(oldValue_);
    SetModified(false);
}

void TCustomMaskEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    if (IsMasked()) SendMessageW(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(MaxChars()), 0);
}

void TCustomMaskEdit::SetCursor(int pos) {
    pos = std::clamp(pos, 0, MaxChars());
    // The anchor after the character, the caret before it.
    const int stop = pos < MaxChars() ? pos + 1 : pos;
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(stop), pos);
}

void TCustomMaskEdit::CheckCursor() {
    if (!HandleAllocated() || !IsMasked()) return;
    int start, stop;
    GetSel(start, stop);
    if (start == stop) SetCursor(start);
}

void TCustomMaskEdit::ReplaceRange(int start, int stop, const std::string& s) {
    const std::wstring wide = ToWide(s);
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), stop);
    // Undoable, and it marks the text modified.
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TCustomMaskEdit::CharKeys(char c) {
    if (c == VK_ESCAPE) {
        Reset();
        return;
    }
    if (ReadOnly() || static_cast<unsigned char>(c) < ' ') return;
    int start, stop;
    GetSel(start, stop);
    if (stop - start > 1) {
        DeleteKeys(VK_DELETE);
        start = NextInput(start);
        SetCursor(start);
    }
    const int pos = NextInput(start);
    if (pos >= MaxChars() || !IsValidChar(c, pos)) {
        MessageBeep(0);
        return;
    }
    ReplaceRange(pos, pos + 1, std::string(1, Converted(c, pos)));
    SetCursor(NextInput(pos + 1));
}

void TCustomMaskEdit::DeleteKeys(WORD key) {
    if (ReadOnly()) return;
    int start, stop;
    GetSel(start, stop);
    if (stop - start <= 1 && key == VK_BACK) {
        start = PrevInput(start);
        if (start < 0) return;
        stop = start + 1;
    }
    if (stop - start < 1) return;
    const std::string edit = EditText();
    std::string cleared;
    for (int i = start; i < stop; ++i) {
        const MaskPosition& p = positions_[static_cast<size_t>(std::min(i, MaxChars() - 1))];
        cleared +=
            p.literal ? (static_cast<size_t>(i) < edit.size() ? edit[static_cast<size_t>(i)] : p.ch) : blank_;
    }
    ReplaceRange(start, stop, cleared);
    SetCursor(stop - start == 1 ? start : NextInput(start));
}

void TCustomMaskEdit::KeyDown(WORD& key, TShiftState shift) {
    TCustomEdit::KeyDown(key, shift);
    if (!IsMasked() || key == 0 || (shift & ssAlt)) return;
    const bool shifted = (shift & (ssShift | ssCtrl)) != 0;
    int start, stop;
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
            // With Shift or Ctrl the window selects as usual.
            if (shifted) return;
            GetSel(start, stop);
            if (key == VK_LEFT) {
                const int prev = PrevInput(start);
                SetCursor(prev < 0 ? start : prev);
            } else {
                SetCursor(NextInput((stop - start > 1 ? stop - 1 : start) + 1));
            }
            key = 0;
            return;
        case VK_UP:
        case VK_DOWN:
            key = 0;
            return;
        case VK_HOME:
        case VK_END:
            GetSel(start, stop);
            if (shift & ssShift)
                SendMessageW(Handle(), EM_SETSEL, key == VK_HOME ? stop : start,
                             key == VK_HOME ? 0 : MaxChars());
            else
                SetCursor(key == VK_HOME ? NextInput(0) : MaxChars());
            key = 0;
            return;
        case VK_DELETE:
            if (shifted) return;
            [[fallthrough]];
        case VK_BACK:
            DeleteKeys(key);
            key = 0;
            return;
    }
}

void TCustomMaskEdit::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);
    // Ctrl+V, Ctrl+X and Ctrl+C reach the window (and paste and cut here).
    if (!IsMasked() || key == 0 || key == 0x16 || key == 0x18 || key == 0x03) return;
    CharKeys(key);
    key = 0;
}

void TCustomMaskEdit::WMPaste(TMessage& m) {
    if (!IsMasked()) {
        TCustomEdit::WMPaste(m);
        return;
    }
    if (ReadOnly()) return;
    const std::string pasted = ClipboardText(Handle());
    int start, stop;
    GetSel(start, stop);
    std::string edit = EditText();
    edit.resize(positions_.size(), blank_);
    for (int i = start; i < stop && i < MaxChars(); ++i)
        if (!positions_[static_cast<size_t>(i)].literal) edit[static_cast<size_t>(i)] = blank_;
    // The characters go into the input positions one by one; a character
    // equal to the literal it meets is taken as that literal.
    int pos = start;
    for (const char c : pasted) {
        if (pos >= MaxChars()) break;
        if (positions_[static_cast<size_t>(pos)].literal && positions_[static_cast<size_t>(pos)].ch == c) {
            ++pos;
            continue;
        }
        pos = NextInput(pos);
        if (pos >= MaxChars()) break;
        if (!IsValidChar(c, pos)) {
            MessageBeep(0);
            break;
        }
        edit[static_cast<size_t>(pos)] = Converted(c, pos);
        ++pos;
    }
    ReplaceRange(0, MaxChars(), edit);
    SetCursor(NextInput(pos));
}

void TCustomMaskEdit::WMCut(TMessage& m) {
    if (!IsMasked()) {
        TCustomEdit::WMCut(m);
        return;
    }
    CopyToClipboard();
    DeleteKeys(VK_DELETE);
}

void TCustomMaskEdit::WndProc(TMessage& m) {
    if (!IsMasked()) {
        TCustomEdit::WndProc(m);
        return;
    }
    switch (m.Msg) {
        case CM_ENTER:
            // A return after a refused exit keeps the text to go back to.
            if (!reEnter_) oldValue_ = EditText();
            reEnter_ = false;
            TCustomEdit::WndProc(m);
            CheckCursor();
            return;
        case CM_EXIT:
            ValidateEdit();
            CheckCursor();
            break;
        case WM_LBUTTONUP:
            TCustomEdit::WndProc(m);
            CheckCursor();
            return;
    }
    TCustomEdit::WndProc(m);
}

}  // namespace cl
