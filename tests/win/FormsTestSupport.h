#pragma once
// Helpers of the window-layer tests: owning pointers that Free, screen
// pixels and bounds of controls, a system EDIT as a control, menu items
// made in code, a popup menu that records where it opens, and answered
// message boxes; with them the shared message pumping and posted input.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/win/Controls.h"
#include "classlib/win/Dialogs.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/Menus.h"
#include "tests/support/Input.h"
#include "tests/support/MessagePump.h"

namespace cltest {

struct FreeDeleter {
    void operator()(cl::TObject* obj) const { cl::Free(obj); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeDeleter>;

template <class T, class... Args>
Owned<T> Make(Args&&... args) {
    return Owned<T>(cl::Construct<T>(std::forward<Args>(args)...));
}

// The screen pixel at a client point of a window.
inline COLORREF PixelOf(HWND wnd, int x, int y) {
    const cl::WindowDC dc(wnd);
    return GetPixel(dc.get(), x, y);
}

inline COLORREF PixelOf(cl::TWinControl* control, int x, int y) {
    return PixelOf(control->Handle(), x, y);
}

// "left,top,width,height"
inline std::string Bounds(cl::TControl* c) {
    return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + "," + std::to_string(c->Width()) +
           "," + std::to_string(c->Height());
}

// A menu item with the caption and shortcut, added to parent.
inline cl::TMenuItem* NewItem(cl::TComponent* owner, cl::TMenuItem* parent, const std::string& caption,
                              cl::TShortCut shortCut = cl::scNone) {
    auto* item = new cl::TMenuItem(owner);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    parent->Add(item);
    return item;
}

// The MFT_ flags of the system menu's entry at position.
inline UINT EntryType(HMENU menu, UINT position) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, position, TRUE, &mii);
    return mii.fType;
}

// A popup menu that records where it was asked to open instead of opening.
class TRecordingPopup : public cl::TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int x, int y) override { shownAt.push_back(cl::Point(x, y)); }
    std::vector<cl::TPoint> shownAt;
};

// A system EDIT window under a windowed control.
class TTestEdit : public cl::TWinControl {
public:
    explicit TTestEdit(cl::TComponent* owner) : TWinControl(owner) {
        SetControlStyle(ControlStyle() & ~cl::csSetCaption);
        SetTabStop(true);
        SetBounds(0, 0, 120, 21);
        WindowHooks().Add([this](cl::TMessage& m, bool&) {
            if (m.Msg == WM_CHAR) chars += static_cast<wchar_t>(m.WParam);
        });
    }
    std::wstring chars;  // every WM_CHAR the window got

protected:
    void CreateParams(cl::TCreateParams& p) override {
        TWinControl::CreateParams(p);
        CreateSubClass(p, L"EDIT");
        p.Style |= ES_AUTOHSCROLL | WS_BORDER;
    }
};

// Answers every message box with the button set and records it.
struct MessageBoxRecord {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

class AnsweredMessageBoxes {
public:
    explicit AnsweredMessageBoxes(int answer = IDOK) : answer(answer) {
        cl::SetMessageBoxHook(
            [this](HWND owner, const std::string& text, const std::string& caption, UINT flags) {
                boxes.push_back({owner, text, caption, flags});
                return this->answer;
            });
    }
    ~AnsweredMessageBoxes() { cl::SetMessageBoxHook(nullptr); }
    AnsweredMessageBoxes(const AnsweredMessageBoxes&) = delete;
    AnsweredMessageBoxes& operator=(const AnsweredMessageBoxes&) = delete;

    int answer;  // the button every box answers with
    std::vector<MessageBoxRecord> boxes;
};

}  // namespace cltest
