// TCustomComboBox and TCustomListBox: their items are kept by their
// windows (CB_ and LB_ messages), and in a list of their own while no
// window exists.
#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

// The messages of one kind of item window (CB_ERR = LB_ERR = -1 and
// CB_ERRSPACE = LB_ERRSPACE = -2 for both).
struct ItemMessages {
    UINT add, insert, remove, reset, count, getText, getTextLen, getData, setData, findExact;
};
const ItemMessages kComboMessages{CB_ADDSTRING,   CB_INSERTSTRING,   CB_DELETESTRING, CB_RESETCONTENT,
                                  CB_GETCOUNT,    CB_GETLBTEXT,      CB_GETLBTEXTLEN, CB_GETITEMDATA,
                                  CB_SETITEMDATA, CB_FINDSTRINGEXACT};
const ItemMessages kListMessages{LB_ADDSTRING,   LB_INSERTSTRING,   LB_DELETESTRING, LB_RESETCONTENT,
                                 LB_GETCOUNT,    LB_GETTEXT,        LB_GETTEXTLEN,   LB_GETITEMDATA,
                                 LB_SETITEMDATA, LB_FINDSTRINGEXACT};

class TWindowItems : public TStrings {
public:
    TWindowItems(TWinControl* control, const ItemMessages& messages, const bool& sorted)
        : control_(control), msg_(messages), sorted_(sorted) {}

    int Count() const override {
        if (!Wnd()) return saved_.Count();
        return static_cast<int>(Send(msg_.count, 0, 0));
    }

    std::string Get(int index) const override {
        if (!Wnd()) return saved_.Get(index);
        const LRESULT length = Send(msg_.getTextLen, static_cast<WPARAM>(index), 0);
        if (length < 0) IndexError(index);
        std::wstring buf(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT got =
            Send(msg_.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
        buf.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, length)));
        return FromWide(buf);
    }

    void* GetObject(int index) const override {
        if (!Wnd()) return saved_.GetObject(index);
        Check(index);
        return reinterpret_cast<void*>(Send(msg_.getData, static_cast<WPARAM>(index), 0));
    }

    void PutObject(int index, void* object) override {
        if (!Wnd()) return saved_.PutObject(index, object);
        Check(index);
        Send(msg_.setData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
    }

    void Insert(int index, const std::string& s) override { InsertObject(index, s, nullptr); }

    void InsertObject(int index, const std::string& s, void* object) override {
        if (!Wnd()) return saved_.InsertObject(index, s, object);
        if (index < 0 || index > Count()) IndexError(index);
        const std::wstring wide = ToWide(s);
        Stored(Send(msg_.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str())), object);
    }

    int Add(const std::string& s) override { return AddObject(s, nullptr); }

    int AddObject(const std::string& s, void* object) override {
        if (!Wnd()) {
            // Where the sorted window will put it.
            int index = saved_.Count();
            if (sorted_)
                while (index > 0 && CompareStrings(saved_.Get(index - 1), s) > 0) --index;
            saved_.InsertObject(index, s, object);
            return index;
        }
        const std::wstring wide = ToWide(s);
        return Stored(Send(msg_.add, 0, reinterpret_cast<LPARAM>(wide.c_str())), object);
    }

    void Delete(int index) override {
        if (!Wnd()) return saved_.Delete(index);
        Check(index);
        Send(msg_.remove, static_cast<WPARAM>(index), 0);
    }

    void Clear() override {
        if (!Wnd()) return saved_.Clear();
        Send(msg_.reset, 0, 0);
    }

    // Without regard to case, as the window searches.
    int IndexOf(std::string_view s) const override {
        if (!Wnd()) return saved_.IndexOf(s);
        const std::wstring wide = ToWide(s);
        // From index -1: the whole list from the start.
        const LRESULT found =
            Send(msg_.findExact, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
        return found < 0 ? -1 : static_cast<int>(found);
    }

    // Takes the items out of the window that is about to go.
    void SaveFromWindow() {
        TStringList items;
        for (int i = 0, n = Count(); i < n; ++i) items.AddObject(Get(i), GetObject(i));
        saved_.Assign(items);
    }
    // Puts the kept items into the new window.
    void LoadIntoWindow() {
        for (int i = 0; i < saved_.Count(); ++i) {
            const std::wstring wide = ToWide(saved_.Get(i));
            Stored(Send(msg_.add, 0, reinterpret_cast<LPARAM>(wide.c_str())), saved_.GetObject(i));
        }
        saved_.Clear();
    }

protected:
    void SetUpdateState(bool updating) override {
        if (!Wnd()) return;
        Send(WM_SETREDRAW, !updating, 0);
        if (!updating) control_->Invalidate();
    }

private:
    HWND Wnd() const { return control_->WindowHandle(); }
    LRESULT Send(UINT msg, WPARAM wp, LPARAM lp) const { return SendMessageW(Wnd(), msg, wp, lp); }
    void Check(int index) const {
        if (index < 0 || index >= Count()) IndexError(index);
    }
    int Stored(LRESULT index, void* object) {
        if (index < 0) throw EOutOfResources("Unable to insert a line");
        if (object) Send(msg_.setData, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(object));
        return static_cast<int>(index);
    }

    TWinControl* control_;
    const ItemMessages& msg_;
    const bool& sorted_;
    TStringList saved_;
};

TWindowItems& ItemsOf(const std::unique_ptr<TStrings>& items) {
    return static_cast<TWindowItems&>(*items);
}

}  // namespace

// ---- TCustomComboBox -----------------------------------------------------------------
CL_CLASS_INFO(TCustomComboBox, Prop("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex),
              Prop("Text", &TControl::Text, &TControl::SetText))
CL_CLASS_INFO(TComboBox)

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TWindowItems>(this, kComboMessages, sorted_)) {
    controlStyle_ = csCaptureMouse | csSetCaption | csDoubleClicks | csFixedHeight | csReplicatable;
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetParentColor(false);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"COMBOBOX");
    static const DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
    p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS | kStyles[style_];
    if (sorted_) p.Style |= CBS_SORT;
}

void TCustomComboBox::CreateWnd() {
    const std::string text = text_;
    TWinControl::CreateWnd();
    ItemsOf(items_).LoadIntoWindow();
    if (savedItemIndex_ >= 0)
        SetItemIndex(savedItemIndex_);
    else if (style_ != csDropDownList)
        SendMessageW(WindowHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
    savedItemIndex_ = -1;
}

void TCustomComboBox::DestroyWnd() {
    savedItemIndex_ = ItemIndex();
    ItemsOf(items_).SaveFromWindow();
    TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex() const {
    if (!HandleAllocated()) return savedItemIndex_;
    return static_cast<int>(SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int value) {
    if (!HandleAllocated()) {
        savedItemIndex_ = value;
        return;
    }
    SendMessageW(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (value == style_) return;
    style_ = value;
    RecreateWnd();
}

void TCustomComboBox::SetSorted(bool value) {
    if (value == sorted_) return;
    sorted_ = value;
    RecreateWnd();
}

bool TCustomComboBox::DroppedDown() const {
    return HandleAllocated() && SendMessageW(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
    if (HandleAllocated()) SendMessageW(WindowHandle(), CB_SHOWDROPDOWN, value, 0);
}

int TCustomComboBox::ItemHeight() const {
    if (!HandleAllocated()) return 16;
    return static_cast<int>(SendMessageW(WindowHandle(), CB_GETITEMHEIGHT, 0, 0));
}

void TCustomComboBox::Clear() {
    items_->Clear();
    SetText("");
}

std::string TCustomComboBox::GetText() const {
    if (!HandleAllocated() && style_ == csDropDownList) {
        if (savedItemIndex_ >= 0 && savedItemIndex_ < items_->Count()) return items_->Get(savedItemIndex_);
        return "";
    }
    return TWinControl::GetText();
}

void TCustomComboBox::SetTextValue(const std::string& value) {
    if (style_ == csDropDownList) {
        SetItemIndex(items_->IndexOf(value));
        return;
    }
    TWinControl::SetTextValue(value);
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::AdjustDropDown() {
    // The height a combo box window gets is the height of its open list.
    const int items = std::clamp(items_->Count(), 1, std::max(dropDownCount_, 1));
    RECT r;
    GetWindowRect(WindowHandle(), &r);
    SetWindowPos(WindowHandle(), nullptr, 0, 0, r.right - r.left,
                 ItemHeight() * items + (r.bottom - r.top) + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            switch (HIWORD(m.WParam)) {
                case CBN_DBLCLK:
                    DblClick();
                    break;
                case CBN_EDITCHANGE:
                    Change();
                    break;
                case CBN_DROPDOWN:
                    DropDown();
                    AdjustDropDown();
                    break;
                case CBN_SELCHANGE: {
                    // The edit shows the chosen item before anyone asks.
                    const int index = ItemIndex();
                    if (style_ != csDropDownList && index >= 0) TWinControl::SetTextValue(items_->Get(index));
                    Click();
                    Select();
                    break;
                }
            }
            return;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            // The combo box's own edit and list ask it for their colours.
            m.Result = CtlColor(reinterpret_cast<HDC>(m.WParam));
            return;
    }
    TWinControl::WndProc(m);
}

// ---- TCustomListBox -------------------------------------------------------------------
CL_CLASS_INFO(TCustomListBox, Prop("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex))
CL_CLASS_INFO(TListBox)

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TWindowItems>(this, kListMessages, sorted_)),
      canvas_(std::make_unique<TControlCanvas>()) {
    controlStyle_ = csSetCaption | csDoubleClicks | csOpaque;
    canvas_->SetControl(this);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
}

TCustomListBox::~TCustomListBox() {
    canvas_->FreeHandle();
}

void TCustomListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"LISTBOX");
    p.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (style_ == lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED;
    if (multiSelect_) p.Style |= LBS_EXTENDEDSEL;
    if (sorted_) p.Style |= LBS_SORT;
    if (tabWidth_ != 0) p.Style |= LBS_USETABSTOPS;
    if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
    TWinControl::CreateWnd();
    HWND wnd = WindowHandle();
    if (style_ == lbOwnerDrawFixed) SendMessageW(wnd, LB_SETITEMHEIGHT, 0, itemHeight_);
    if (tabWidth_ != 0) {
        UINT tab = static_cast<UINT>(tabWidth_);
        SendMessageW(wnd, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));
    }
    ItemsOf(items_).LoadIntoWindow();
    SetTopIndex(savedTopIndex_);
    if (savedItemIndex_ >= 0) SetItemIndex(savedItemIndex_);
    savedItemIndex_ = -1;
    savedTopIndex_ = 0;
}

void TCustomListBox::DestroyWnd() {
    savedItemIndex_ = ItemIndex();
    savedTopIndex_ = TopIndex();
    ItemsOf(items_).SaveFromWindow();
    TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() const {
    if (!HandleAllocated()) return savedItemIndex_;
    return static_cast<int>(
        SendMessageW(WindowHandle(), multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int value) {
    if (!HandleAllocated()) {
        savedItemIndex_ = value;
        return;
    }
    if (ItemIndex() == value) return;
    if (multiSelect_)
        SendMessageW(WindowHandle(), LB_SETCARETINDEX, static_cast<WPARAM>(value), FALSE);
    else
        SendMessageW(WindowHandle(), LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    multiSelect_ = value;
    RecreateWnd();
}

bool TCustomListBox::Selected(int index) {
    const LRESULT r = SendMessageW(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0);
    if (r == LB_ERR) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return r != 0;
}

void TCustomListBox::SetSelected(int index, bool value) {
    LRESULT r;
    if (multiSelect_)
        r = SendMessageW(Handle(), LB_SETSEL, value, index);
    else
        r = SendMessageW(Handle(), LB_SETCURSEL, value ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1),
                         0);
    if (r == LB_ERR && (multiSelect_ || value))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TCustomListBox::SelCount() {
    return static_cast<int>(SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetSorted(bool value) {
    if (value == sorted_) return;
    sorted_ = value;
    RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
    if (value == style_) return;
    style_ = value;
    RecreateWnd();
}

int TCustomListBox::ItemHeight() const {
    if (style_ == lbOwnerDrawFixed || !HandleAllocated()) return itemHeight_;
    return static_cast<int>(SendMessageW(WindowHandle(), LB_GETITEMHEIGHT, 0, 0));
}

void TCustomListBox::SetItemHeight(int value) {
    if (value <= 0 || value == itemHeight_) return;
    itemHeight_ = value;
    if (style_ == lbOwnerDrawFixed) RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

int TCustomListBox::TopIndex() const {
    if (!HandleAllocated()) return savedTopIndex_;
    return static_cast<int>(SendMessageW(WindowHandle(), LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int value) {
    if (!HandleAllocated()) {
        savedTopIndex_ = value;
        return;
    }
    SendMessageW(WindowHandle(), LB_SETTOPINDEX, static_cast<WPARAM>(value), 0);
}

void TCustomListBox::SetTabWidth(int value) {
    value = std::max(value, 0);
    if (value == tabWidth_) return;
    tabWidth_ = value;
    RecreateWnd();
}

TRect TCustomListBox::ItemRect(int index) const {
    RECT r{};
    if (HandleAllocated())
        SendMessageW(WindowHandle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    canvas_->FillRect(rect);
    if (index >= items_->Count()) return;
    rect.left += 2;
    canvas_->DrawText(items_->Get(index), rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TCustomListBox::DrawItemMessage(TMessage& m) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    const auto state = static_cast<TOwnerDrawState>(LOWORD(dis->itemState));
    canvas_->FreeHandle();
    const CanvasDCScope lent(*canvas_, dis->hDC);
    canvas_->SetFont(Font());
    canvas_->SetBrush(Brush());
    const int index = static_cast<int>(dis->itemID);
    if (index >= 0 && (state & odSelected)) {
        canvas_->Brush()->SetColor(clHighlight);
        canvas_->Font()->SetColor(clHighlightText);
    }
    if (index >= 0)
        DrawItem(index, dis->rcItem, state);
    else
        canvas_->FillRect(dis->rcItem);
    if (state & odFocused) DrawFocusRect(dis->hDC, &dis->rcItem);
    m.Result = TRUE;
}

void TCustomListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            switch (HIWORD(m.WParam)) {
                case LBN_SELCHANGE:
                    Click();
                    break;
                case LBN_DBLCLK:
                    DblClick();
                    break;
            }
            return;
        case CN_DRAWITEM:
            DrawItemMessage(m);
            return;
        case CN_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = static_cast<UINT>(itemHeight_);
            m.Result = TRUE;
            return;
    }
    TWinControl::WndProc(m);
}

}  // namespace cl
