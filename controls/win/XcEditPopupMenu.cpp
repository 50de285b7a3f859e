#include "controls/win/XcEditPopupMenu.h"

#include <richedit.h>

#include <array>
#include <memory>

#include "classlib/StrUtils.h"
#include "classlib/TypeInfo.h"
#include "classlib/win/WideText.h"
#include "controls/XcResources.h"

namespace {

struct ItemSpec {
    const char* caption;
    UINT message;  // what a plain edit window is sent
};
// The menu in order; 0 marks the separators.
constexpr std::array<ItemSpec, 8> kItems = {{
    {rsEditUndo, WM_UNDO},
    {"-", 0},
    {rsEditCut, WM_CUT},
    {rsEditCopy, WM_COPY},
    {rsEditPaste, WM_PASTE},
    {rsEditDelete, WM_CLEAR},
    {"-", 0},
    {rsEditSelectAll, EM_SETSEL},
}};

// The item a command of the system's edit menu names, -1 for none.  Its
// undo is WM_UNDO in menu 1 and EM_UNDO in Wine's "EDITMENU".
int ItemOfSystemCommand(UINT id) {
    switch (id) {
        case WM_UNDO:
        case EM_UNDO:
            return emiUndo;
        case WM_CUT:
            return emiCut;
        case WM_COPY:
            return emiCopy;
        case WM_PASTE:
            return emiPaste;
        case WM_CLEAR:
            return emiDelete;
        case EM_SETSEL:
            return emiSelectAll;
    }
    return -1;
}

// The window of a control, nullptr while it has none.
HWND WindowOf(cl::TControl* control) {
    auto* win = dynamic_cast<cl::TWinControl*>(control);
    return win && win->HandleAllocated() ? win->WindowHandle() : nullptr;
}

bool IsRichEditWindow(HWND wnd) {
    wchar_t name[32] = {};
    GetClassNameW(wnd, name, 32);
    return cl::SameText(cl::FromWide(name).substr(0, 8), "RichEdit");
}

// The text length in the units of the selection: a rich edit counts a
// line break as one character there, as its selection does.
int TextLength(HWND wnd) {
    if (!IsRichEditWindow(wnd)) return static_cast<int>(SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0));
    GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<int>(SendMessageW(wnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

class THiddenPopupObject : public cl::TComponent {
public:
    THiddenPopupObject() : TComponent(nullptr) {
        menu_ = new cl::TPopupMenu(this);
        for (size_t i = 0; i < kItems.size(); ++i) {
            auto* item = new cl::TMenuItem(this);
            item->SetCaption(kItems[i].caption);
            if (kItems[i].message) item->OnClick = [this, i](cl::TObject*) { Command(static_cast<int>(i)); };
            menu_->Items()->Add(item);
        }
        TakeSystemCaptions();
    }

    cl::TPopupMenu* Menu() const { return menu_; }
    cl::TControl* Control() const { return control_; }

    void Serve(cl::TControl* control) {
        if (control == control_) return;
        if (control_) control_->RemoveFreeNotification(this);
        control_ = control;
        if (control_) control_->FreeNotification(this);
    }

    void UpdateItems() {
        menu_->SetPopupComponent(control_);
        TEditMenuStates s;
        if (HWND wnd = WindowOf(control_)) {
            const TXcClipboardCommands commands = ClipboardCommandsOf(control_);
            if (auto* actions = dynamic_cast<IXcEditActions*>(control_)) {
                s = ActionEditMenuStates(
                    {actions->CanUndo(), actions->CanCut(), actions->CanCopy(), actions->CanPaste(),
                     actions->CanSelectAll(), actions->HasSelection()},
                    commands);
            } else {
                DWORD start = 0, end = 0;
                const LRESULT packed = SendMessageW(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                                    reinterpret_cast<LPARAM>(&end));
                const bool readOnly = (GetWindowLongW(wnd, GWL_STYLE) & ES_READONLY) != 0;
                s = PlainEditMenuStates(EditSelectionLength(start, end, packed), TextLength(wnd), readOnly,
                                        SendMessageW(wnd, EM_CANUNDO, 0, 0) != 0, commands);
            }
        }
        const std::pair<int, bool> states[] = {{emiUndo, s.Undo},     {emiCut, s.Cut},
                                               {emiCopy, s.Copy},     {emiPaste, s.Paste},
                                               {emiDelete, s.Delete}, {emiSelectAll, s.SelectAll}};
        for (const auto& [index, enabled] : states) menu_->Items()->Items(index)->SetEnabled(enabled);
    }

protected:
    void Notification(cl::TComponent* component, cl::TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == cl::opRemove && component == control_) {
            control_ = nullptr;
            if (menu_ && menu_->PopupComponent() == component) menu_->SetPopupComponent(nullptr);
        }
    }

private:
    // Menu 1 of the system's user-interface library, else Wine's "EDITMENU"
    // (Wine 8 has no menu 1); a missing menu or command keeps the default.
    void TakeSystemCaptions() {
        HMODULE user = GetModuleHandleW(L"user32.dll");
        HMENU loaded = LoadMenuW(user, MAKEINTRESOURCEW(1));
        if (!loaded) loaded = LoadMenuW(user, L"EDITMENU");
        if (!loaded) return;
        if (HMENU sub = GetSubMenu(loaded, 0)) {
            for (int i = 0, n = GetMenuItemCount(sub); i < n; ++i) {
                const int item = ItemOfSystemCommand(GetMenuItemID(sub, i));
                wchar_t text[256] = {};
                if (item < 0 || GetMenuStringW(sub, static_cast<UINT>(i), text, 256, MF_BYPOSITION) <= 0)
                    continue;
                menu_->Items()->Items(item)->SetCaption(cl::FromWide(text));
            }
        }
        DestroyMenu(loaded);
    }

    void Command(int index) {
        HWND wnd = WindowOf(control_);
        if (!wnd) return;
        if (auto* actions = dynamic_cast<IXcEditActions*>(control_)) {
            switch (index) {
                case emiUndo:
                    return actions->Undo();
                case emiCut:
                    return actions->Cut();
                case emiCopy:
                    return actions->Copy();
                case emiPaste:
                    return actions->Paste();
                case emiDelete:
                    return actions->Delete();
                case emiSelectAll:
                    return actions->SelectAll();
            }
            return;
        }
        if (index == emiSelectAll)
            SendMessageW(wnd, EM_SETSEL, 0, -1);
        else
            SendMessageW(wnd, kItems[static_cast<size_t>(index)].message, 0, 0);
    }

    cl::TPopupMenu* menu_ = nullptr;
    cl::TControl* control_ = nullptr;
};

std::unique_ptr<THiddenPopupObject, void (*)(THiddenPopupObject*)>& Holder() {
    static std::unique_ptr<THiddenPopupObject, void (*)(THiddenPopupObject*)> holder(
        nullptr, [](THiddenPopupObject* p) { cl::Free(p); });
    return holder;
}

}  // namespace

cl::TPopupMenu* SharedEditPopupMenu(cl::TControl* control, bool update) {
    auto& holder = Holder();
    if (!holder) holder.reset(new THiddenPopupObject);
    holder->Serve(control);
    if (update) holder->UpdateItems();
    return holder->Menu();
}

cl::TControl* SharedEditPopupMenuControl() {
    return Holder() ? Holder()->Control() : nullptr;
}

TXcClipboardCommands ClipboardCommandsOf(cl::TControl* control) {
    if (!control) return kAllClipboardCommands;
    const cl::TPropInfo* prop = cl::GetPropInfo(*control, "ClipboardCommands");
    if (!prop || (prop->Kind != cl::tkSet && prop->Kind != cl::tkInteger)) return kAllClipboardCommands;
    return static_cast<TXcClipboardCommands>(prop->GetOrd(*control) & kAllClipboardCommands);
}

void FreeSharedEditPopupMenu() noexcept {
    Holder().reset();
}
