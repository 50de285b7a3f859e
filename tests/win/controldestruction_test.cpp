// Every control of the class library through the shared destruction test,
// the list-like ones with content.
#include "tests/support/ControlDestruction.h"

#include "classlib/win/Buttons.h"
#include "classlib/win/CheckLst.h"
#include "classlib/win/ComCtrls.h"
#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Mask.h"
#include "classlib/win/PageControl.h"
#include "classlib/win/RichEdit.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/TabSet.h"
#include "classlib/win/TreeView.h"
#include "classlib/win/UpDown.h"

namespace cltest {
namespace {

using namespace cl;

// The plain factory, then fill(control).
template <class T>
ControlFactory Filled(std::string name, std::function<void(T*)> fill) {
    ControlFactory plain = ControlOf<T>(name);
    return {std::move(name), [plain, fill](TComponent* owner, TWinControl* host) -> TControl* {
                auto* control = static_cast<T*>(plain.make(owner, host));
                fill(control);
                return control;
            }};
}

ControlFactory TabSheetOnPages() {
    return {"TTabSheet", [](TComponent* owner, TWinControl* host) -> TControl* {
                auto* pages = new TPageControl(owner);
                pages->SetBounds(4, 4, 200, 120);
                pages->SetParent(host);
                auto* sheet = new TTabSheet(owner);
                sheet->SetCaption("Strona");
                sheet->SetPageControl(pages);
                return sheet;
            }};
}

ControlFactory ToolButtonOnBar() {
    return {"TToolButton", [](TComponent* owner, TWinControl* host) -> TControl* {
                auto* bar = new TToolBar(owner);
                bar->SetParent(host);
                auto* button = new TToolButton(owner);
                button->SetCaption("Zapisz");
                button->SetParent(bar);
                return button;
            }};
}

INSTANTIATE_TEST_SUITE_P(
    ClassLib, ControlDestruction,
    ::testing::Values(ControlOf<TBevel>("TBevel"), ControlOf<TBitBtn>("TBitBtn"),
                      ControlOf<TButton>("TButton"), ControlOf<TCheckBox>("TCheckBox"),
                      Filled<TCheckListBox>("TCheckListBox",
                                            [](TCheckListBox* c) {
                                                c->Items()->Add("jeden");
                                                c->SetChecked(0, true);
                                            }),
                      ControlOf<TDateTimePicker>("TDateTimePicker"),
                      Filled<TComboBox>("TComboBox", [](TComboBox* c) { c->Items()->Add("jeden"); }),
                      ControlOf<TEdit>("TEdit"), ControlOf<TGroupBox>("TGroupBox"),
                      Filled<TImage>("TImage",
                                     [](TImage* c) {
                                         TBitmap bitmap;
                                         bitmap.SetSize(4, 4);
                                         c->Picture()->SetGraphic(&bitmap);
                                     }),
                      ControlOf<TLabel>("TLabel"),
                      Filled<TListBox>("TListBox", [](TListBox* c) { c->Items()->Add("jeden"); }),
                      ControlOf<TMaskEdit>("TMaskEdit"),
                      Filled<TMemo>("TMemo", [](TMemo* c) { c->Lines()->Add("wiersz"); }),
                      Filled<TPageControl>("TPageControl",
                                           [](TPageControl* c) {
                                               auto* sheet = new TTabSheet(c->Owner());
                                               sheet->SetPageControl(c);
                                           }),
                      TabSheetOnPages(), ControlOf<TPanel>("TPanel"), ControlOf<TRadioButton>("TRadioButton"),
                      Filled<TRadioGroup>("TRadioGroup",
                                          [](TRadioGroup* c) {
                                              c->Items()->Add("tak");
                                              c->Items()->Add("nie");
                                              c->SetItemIndex(1);
                                          }),
                      ControlOf<TRichEdit>("TRichEdit"), ControlOf<TScrollBox>("TScrollBox"),
                      ControlOf<TSplitter>("TSplitter"), ControlOf<TStaticText>("TStaticText"),
                      Filled<TStatusBar>("TStatusBar", [](TStatusBar* c) { c->Panels()->Add(); }),
                      Filled<TTabSet>("TTabSet", [](TTabSet* c) { c->Tabs()->Add("karta"); }),
                      ControlOf<TToolBar>("TToolBar"), ToolButtonOnBar(),
                      Filled<TTreeView>("TTreeView",
                                        [](TTreeView* c) {
                                            TTreeNode* root = c->Items()->AddChild(nullptr, "korzeń");
                                            c->Items()->AddChild(root, "liść");
                                            root->Expand(false);
                                        }),
                      ControlOf<TUpDown>("TUpDown")),
    ControlName);

}  // namespace
}  // namespace cltest
