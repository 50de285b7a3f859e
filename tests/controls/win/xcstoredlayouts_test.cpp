// Layouts naming what the enhanced controls read but the class library's
// reader would not know: older properties read and never written, and
// properties published for layouts.  Each is read, written back, and the
// written form reads back to itself.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "classlib/Filer.h"
#include "classlib/win/Forms.h"
#include "controls/win/XcCheckBox.h"
#include "controls/win/XcSplit.h"
#include "controls/win/XcTreeView.h"
#include "controls/win/XcWizard.h"
#include "tests/support/Streamed.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct LayoutWindow {
    LayoutWindow() : form(Make<TForm>(nullptr)) {
        edit = new TTestEdit(form.get());
        edit->SetName("Kwota");
        edit->SetParent(form.get());
    }
    Owned<TForm> form;
    TTestEdit* edit;
};

TEST(StoredLayouts, AreReadAndWrittenBackTheSame) {
    LayoutWindow w;
    const struct {
        const char* name;
        std::function<TObject*()> make;
        std::function<void(TWriter&)> layout;
        std::function<bool(TObject&)> read;  // the layout's values arrived
        const char* neverWritten;
        bool stored;  // the values come back from the written form
    } cases[] = {
        {"a check box's associated control", [&] { return new TXcCheckBox(w.form.get()); },
         [](TWriter& l) {
             l.WritePropName("Associated");
             l.WriteIdent("Kwota");
         },
         [&](TObject& o) {
             TXcLinkedControls* links = static_cast<TXcCheckBox&>(o).LinkedControls();
             return links->Count() == 1 && links->Items(0)->Control() == w.edit;
         },
         "Associated", true},
        {"a splitter's one limit for both", [&] { return new TXcxSplitter(w.form.get()); },
         [](TWriter& l) {
             l.WritePropName("LimitOffset");
             l.WriteInteger(35);
         },
         [](TObject& o) {
             auto& s = static_cast<TXcxSplitter&>(o);
             return s.TopLeftLimit() == 35 && s.BottomRightLimit() == 35;
         },
         "LimitOffset", true},
        {"a page's titles and panel border", [&] { return new TXcWizardInteriorPage(w.form.get()); },
         [](TWriter& l) {
             l.WritePropName("Title.Text");
             l.WriteString("Zakres sprawozdania");
             l.WritePropName("Subtitle.Text");
             l.WriteString("Wybór formularzy");
             l.WritePropName("Panel.BorderWidth");
             l.WriteInteger(12);
         },
         [](TObject& o) {
             auto& p = static_cast<TXcWizardCustomPage&>(o);
             return p.Header()->Title()->Text() == "Zakres sprawozdania" &&
                    p.Header()->Subtitle()->Text() == "Wybór formularzy" && p.Panel()->BorderWidth() == 12;
         },
         "Title.Text", true},
        {"a tree's selected node",
         [&] {
             auto* tree = new TXcTreeView(w.form.get());
             tree->SetParent(w.form.get());
             for (const char* text : {"bil", "rachzsk", "rachppp"}) tree->Items()->AddChild(nullptr, text);
             return tree;
         },
         [](TWriter& l) {
             l.WritePropName("ItemIndex");
             l.WriteInteger(2);
         },
         [](TObject& o) { return static_cast<TXcTreeView&>(o).ItemIndex() == 2; }, "ItemIndex", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TObject* first = c.make();
        ReadInto(w.form.get(), *first, Streamed(c.layout));
        EXPECT_TRUE(c.read(*first));
        const std::string written = Written(*first);
        EXPECT_FALSE(Holds(written, c.neverWritten));
        TObject* second = c.make();
        ReadInto(w.form.get(), *second, written);
        EXPECT_EQ(c.read(*second), c.stored);
        EXPECT_EQ(Written(*second), written);
    }
}

TEST(StoredLayouts, AnAssociatedControlLaterInTheLayoutIsLinkedOnceItIsRead) {
    LayoutWindow w;
    TXcCheckBox* box = nullptr;
    TTestEdit* later = nullptr;
    LoadComponentTree(*w.form, [&] {
        box = new TXcCheckBox(w.form.get());
        box->SetParent(w.form.get());
        ReadInto(w.form.get(), *box, Streamed([](TWriter& l) {
                     l.WritePropName("Associated");
                     l.WriteIdent("Pozniej");
                 }));
        later = new TTestEdit(w.form.get());
        later->SetName("Pozniej");
        later->SetParent(w.form.get());
    });
    ASSERT_EQ(box->LinkedControls()->Count(), 1);
    EXPECT_EQ(box->LinkedControls()->Items(0)->Control(), later);
    EXPECT_FALSE(later->Enabled()) << "the unchecked box disables it";
}

}  // namespace
