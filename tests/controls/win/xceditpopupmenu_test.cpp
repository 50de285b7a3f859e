// The shared edit pop-up menu: the system's captions, the items enabled
// for a read-only rich edit and a plain edit, a control offering fewer
// clipboard commands, one taking the commands itself, and a click after
// the control went.
#include "controls/win/XcEditPopupMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/win/Forms.h"
#include "classlib/win/RichEdit.h"
#include "classlib/win/StdCtrls.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// An edit that offers only some clipboard commands.
class TCopyOnlyEdit : public TEdit {
    CL_CLASS(TCopyOnlyEdit, TEdit)
public:
    using TEdit::TEdit;
    uint8_t ClipboardCommands() const { return commands; }
    void SetClipboardCommands(uint8_t value) { commands = value; }
    uint8_t commands = caCopy;
};
CL_CLASS_INFO(TCopyOnlyEdit,
              SetOfProp("ClipboardCommands", {"caCopy", "caCut", "caPaste", "caUndo"},
                        &TCopyOnlyEdit::ClipboardCommands, &TCopyOnlyEdit::SetClipboardCommands))

// A control that takes the commands itself and logs them.
class TActionsControl : public TEdit, public IXcEditActions {
public:
    using TEdit::TEdit;
    bool CanUndo() override { return false; }
    bool CanCut() override { return true; }
    bool CanCopy() override { return true; }
    bool CanPaste() override { return false; }
    bool CanSelectAll() override { return true; }
    bool HasSelection() override { return true; }
    void Undo() override { log.push_back("undo"); }
    void Cut() override { log.push_back("cut"); }
    void Copy() override { log.push_back("copy"); }
    void Paste() override { log.push_back("paste"); }
    void Delete() override { log.push_back("delete"); }
    void SelectAll() override { log.push_back("select all"); }
    std::vector<std::string> log;
};

// Undo, Cut, Copy, Paste, Delete, Select All.
std::string States(TControl* control) {
    TPopupMenu* menu = SharedEditPopupMenu(control, true);
    std::string s;
    for (int i : {emiUndo, emiCut, emiCopy, emiPaste, emiDelete, emiSelectAll})
        s += menu->Items()->Items(i)->Enabled() ? '1' : '0';
    return s;
}

// As a user does: the menu is updated for the control before it shows.
void Click(int item) {
    SharedEditPopupMenu(SharedEditPopupMenuControl(), true)->Items()->Items(item)->Click();
}

struct EditWindow {
    EditWindow() : form(Make<TForm>(nullptr)) {
        form->SetBounds(40, 40, 300, 200);
        form->Show();
    }
    ~EditWindow() { FreeSharedEditPopupMenu(); }
    template <class T>
    T* Add(const std::string& text) {
        auto* c = new T(form.get());
        c->SetParent(form.get());
        c->SetText(text);
        return c;
    }
    Owned<TForm> form;
};

TEST(SharedEditPopupMenu, TakesTheSystemsCaptions) {
    TPopupMenu* menu = SharedEditPopupMenu(nullptr, false);
    std::vector<std::string> captions;
    for (int i = 0; i < menu->Items()->Count(); ++i) captions.push_back(menu->Items()->Items(i)->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"&Cofnij", "-", "Wy&tnij", "&Skopiuj", "Wkl&ej", "&Usuń",
                                                  "-", "&Zaznacz wszystko"}));
    EXPECT_EQ(SharedEditPopupMenu(nullptr, false), menu) << "built once";
    FreeSharedEditPopupMenu();
}

TEST(SharedEditPopupMenu, EnablesItemsForTheControl) {
    struct Case {
        const char* name;
        bool rich;
        const char* text;
        int selStart, selEnd;
        const char* states;  // Undo Cut Copy Paste Delete SelectAll
    } const cases[] = {
        {"read-only rich edit, nothing selected", true, "abc", 0, 0, "000001"},
        {"read-only rich edit, part selected", true, "abc", 0, 2, "001001"},
        {"read-only rich edit, all selected", true, "abc", 0, -1, "001000"},
        {"read-only rich edit, empty", true, "", 0, 0, "000000"},
        {"edit, nothing selected", false, "abc", 0, 0, "000101"},
        {"edit, part selected", false, "abc", 1, 2, "011111"},
        {"edit, all selected", false, "abc", 0, -1, "011110"},
        {"edit, empty", false, "", 0, 0, "000100"},
    };
    for (const Case& c : cases) {
        EditWindow w;
        TCustomEdit* edit = nullptr;
        if (c.rich) {
            auto* rich = w.Add<TRichEdit>(c.text);
            rich->SetReadOnly(true);
            edit = rich;
        } else {
            edit = w.Add<TEdit>(c.text);
        }
        edit->ClearUndo();
        SendMessageW(edit->Handle(), EM_SETSEL, c.selStart, c.selEnd);
        EXPECT_EQ(States(edit), c.states) << c.name;
        EXPECT_EQ(SharedEditPopupMenu(edit, false)->PopupComponent(), edit);
    }
}

TEST(SharedEditPopupMenu, OffersOnlyTheControlsClipboardCommands) {
    EditWindow w;
    auto* edit = w.Add<TCopyOnlyEdit>("abc");
    SendMessageW(edit->Handle(), EM_SETSEL, 0, 1);
    EXPECT_EQ(ClipboardCommandsOf(edit), caCopy);
    EXPECT_EQ(States(edit), "001011") << "Delete and Select All are no clipboard commands";
    EXPECT_EQ(ClipboardCommandsOf(w.Add<TEdit>("")), kAllClipboardCommands);
}

TEST(SharedEditPopupMenu, ClicksGoToTheControl) {
    EditWindow w;
    auto* edit = w.Add<TEdit>("abc");
    States(edit);
    Click(emiSelectAll);
    EXPECT_EQ(edit->SelLength(), 3);
    Click(emiDelete);
    EXPECT_EQ(edit->Text(), "");

    auto* own = w.Add<TActionsControl>("");
    EXPECT_EQ(States(own), "011011");
    Click(emiCopy);
    Click(emiSelectAll);
    EXPECT_EQ(own->log, (std::vector<std::string>{"copy", "select all"}));
}

TEST(SharedEditPopupMenu, ClickAfterTheControlWentDoesNothing) {
    EditWindow w;
    auto* edit = w.Add<TEdit>("abc");
    edit->SelectAll();
    TPopupMenu* menu = SharedEditPopupMenu(edit, true);
    ASSERT_TRUE(menu->Items()->Items(emiDelete)->Enabled());
    edit->Free();
    EXPECT_EQ(SharedEditPopupMenuControl(), nullptr);
    EXPECT_EQ(menu->PopupComponent(), nullptr);
    menu->Items()->Items(emiDelete)->Click();
    EXPECT_EQ(States(nullptr), "000000");
    Pump();
}

}  // namespace
