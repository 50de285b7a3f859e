// The control engine over the class library: the class and interfaces of
// every kind, values set and read back, the registry's rules, controls
// freed when a step of their making fails, the label panel's layout, the
// edits' buttons and the default engine.
#include <gtest/gtest.h>

#include <set>

#include "classlib/FileUtils.h"
#include "frameworks/data/XcExceptions.h"
#include "frameworks/win/XcDynControlEngineCL.h"
#include "tests/support/ControlDestruction.h"
#include "tests/support/TempFolder.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

std::vector<TGUID> Answered(TControl* control) {
    auto answered = [control]<class... I>(TXcInterfaceList<I...>) {
        std::vector<TGUID> ids;
        (..., (dynamic_cast<I*>(control) ? ids.push_back(I::IID) : void()));
        return ids;
    };
    return answered(TXcDynControlInterfaces{});
}

std::set<std::string> Hex(const std::vector<TGUID>& ids) {
    std::set<std::string> s;
    for (const TGUID& id : ids) s.insert(GuidToHex(id));
    return s;
}

template <class F>
std::string MessageOf(F f) {
    try {
        f();
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    }
    return "no exception";
}

struct EngineTest : ::testing::Test {
    TXcDynControlEngineCL engine;
    Owned<TForm> form = Make<TForm>(nullptr);
    EngineTest() { form->SetBounds(40, 40, 500, 400); }
    TControl* MakeKind(const std::string& kind, const std::string& name = "") {
        return engine.CreateControl(kind, form.get(), form.get(), name);
    }
};

TEST_F(EngineTest, EachKindIsItsClassWithTheInterfacesOfItsKind) {
    const TGUID base = IID_IXcDynControl, ro = IID_IXcDynControlReadOnly, data = IID_IXcDynControlData,
                items = IID_IXcDynControlItems;
    const struct {
        const char* kind;
        const char* className;
        const TClassInfo& builtOn;
        std::vector<TGUID> interfaces;
    } cases[] = {
        {"Label", "TXcDynControlCLLabel", TLabel::StaticClassInfo(), {base, IID_IXcDynControlLabel}},
        {"StaticText", "TXcDynControlCLStaticText", TStaticText::StaticClassInfo(), {base}},
        {"Button", "TXcDynControlCLButton", TBitBtn::StaticClassInfo(), {base, IID_IXcDynControlButton}},
        {"RadioButton", "TXcDynControlCLRadioButton", TRadioButton::StaticClassInfo(), {base, data}},
        {"ScrollBox", "TXcDynControlCLScrollBox", TScrollBox::StaticClassInfo(), {base}},
        {"GroupBox", "TXcDynControlCLGroupBox", TGroupBox::StaticClassInfo(), {base}},
        {"Panel", "TXcDynControlCLPanel", TPanel::StaticClassInfo(), {base, IID_IXcDynControlPanel}},
        {"Image", "TXcDynControlCLImage", TImage::StaticClassInfo(), {base, IID_IXcDynControlImage}},
        {"CheckBox",
         "TXcDynControlCLCheckBox",
         TCheckBox::StaticClassInfo(),
         {base, data, IID_IXcDynControlCheckBox}},
        {"ComboBox",
         "TXcDynControlCLComboBox",
         TComboBox::StaticClassInfo(),
         {base, data, items, IID_IXcDynControlComboBox}},
        {"ListBox",
         "TXcDynControlCLListBox",
         TListBox::StaticClassInfo(),
         {base, data, items, IID_IXcDynControlDblClick}},
        {"CheckListBox",
         "TXcDynControlCLCheckListBox",
         TCheckListBox::StaticClassInfo(),
         {base, data, items, IID_IXcDynControlDblClick, IID_IXcDynControlCheckListBox}},
        {"RadioGroup",
         "TXcDynControlCLRadioGroup",
         TRadioGroup::StaticClassInfo(),
         {base, data, items, IID_IXcDynControlRadioGroup}},
        {"DateTimeEdit",
         "TXcDynControlCLDateTimeEdit",
         TPanel::StaticClassInfo(),
         {base, data, IID_IXcDynControlDate}},
        {"TimeEdit",
         "TXcDynControlCLTimeEdit",
         TDateTimePicker::StaticClassInfo(),
         {base, data, IID_IXcDynControlTime}},
        {"DateEdit",
         "TXcDynControlCLDateEdit",
         TDateTimePicker::StaticClassInfo(),
         {base, data, IID_IXcDynControlDate}},
        {"Edit",
         "TXcDynControlCLMaskEdit",
         TMaskEdit::StaticClassInfo(),
         {base, ro, data, IID_IXcDynControlEdit}},
        {"DirectoryEdit",
         "TXcDynControlCLDirectoryEdit",
         TPanel::StaticClassInfo(),
         {base, ro, data, IID_IXcDynControlDirectory}},
        {"FileNameEdit",
         "TXcDynControlCLFileNameEdit",
         TPanel::StaticClassInfo(),
         {base, ro, data, IID_IXcDynControlFileName}},
        {"Memo",
         "TXcDynControlCLMemo",
         TMemo::StaticClassInfo(),
         {base, ro, data, items, IID_IXcDynControlMemo}},
        {"RichEdit",
         "TXcDynControlCLRichEdit",
         TRichEdit::StaticClassInfo(),
         {base, ro, data, items, IID_IXcDynControlMemo}},
        {"ButtonEdit",
         "TXcDynControlCLButtonEdit",
         TPanel::StaticClassInfo(),
         {base, IID_IXcDynControlButton, IID_IXcDynControlButtonEdit, IID_IXcDynControlEdit, ro, data}},
    };
    for (const auto& c : cases) {
        const TXcControlClassObject* cls = engine.GetControlClass(c.kind);
        ASSERT_NE(cls, nullptr) << c.kind;
        EXPECT_EQ(Hex(cls->Interfaces()), Hex(c.interfaces)) << c.kind;
        TControl* control = MakeKind(c.kind, std::string("dyn") + c.kind);
        EXPECT_EQ(control->ClassName(), c.className);
        EXPECT_TRUE(control->InheritsFrom(c.builtOn)) << c.kind;
        EXPECT_EQ(Hex(Answered(control)), Hex(c.interfaces)) << c.kind;
        EXPECT_EQ(control->Owner(), form.get());
        EXPECT_EQ(control->Parent(), form.get());
    }
    form->Show();
    Pump();
}

TEST_F(EngineTest, ValuesReadBackAsTheyWereSet) {
    TStringList items;
    items.SetText("jeden\r\ndwa\r\ntrzy\r\n");
    const TDateTime t = EncodeTime(14, 30, 0, 0);
    const struct {
        const char* kind;
        Variant in, out;
    } cases[] = {
        {"Edit", "Kwota \xB1", "Kwota \xB1"},
        {"Memo", "a\r\nb", "a\r\nb"},
        {"RichEdit", "tekst", "tekst"},
        {"ButtonEdit", "C:\\x", "C:\\x"},
        {"FileNameEdit", "C:\\x.gif", "C:\\x.gif"},
        {"DirectoryEdit", "C:\\x", "C:\\x"},
        {"ComboBox", "dwa", "dwa"},
        {"CheckBox", "true", true},
        {"CheckBox", Variant::Null(), false},
        {"CheckBox", 1, false},
        {"RadioButton", true, true},
        {"ListBox", 1, 1},
        {"ListBox", "trzy", 2},
        {"ListBox", Variant(), -1},
        {"CheckListBox", "dwa", 1},
        {"RadioGroup", 2, 2},
        {"DateEdit", Variant::FromDate(EncodeDate(2024, 2, 29)), Variant::FromDate(EncodeDate(2024, 2, 29))},
        {"TimeEdit", Variant::FromDate(t), Variant::FromDate(t)},
        {"DateTimeEdit", Variant::FromDate(EncodeDate(2024, 2, 29) + t),
         Variant::FromDate(EncodeDate(2024, 2, 29) + t)},
        {"DateTimeEdit", Variant::FromDate(EncodeDate(1850, 6, 15) - t),
         Variant::FromDate(EncodeDate(1850, 6, 15) - t)},
        {"DateTimeEdit", Variant::FromDate(-1.25), Variant::FromDate(-1.25)},
    };
    form->Show();
    for (const auto& c : cases) {
        TControl* control = MakeKind(c.kind);
        if (auto* list = dynamic_cast<IXcDynControlItems*>(control)) list->ControlSetItems(items);
        auto& data = XcIntf<IXcDynControlData>(control);
        data.ControlSetValue(c.in);
        const Variant out = data.ControlGetValue();
        EXPECT_TRUE(out.SameTypeAndValue(c.out))
            << c.kind << " " << c.in.ToString() << " -> " << out.ToString();
        control->Free();
    }
}

TEST_F(EngineTest, KindsWithoutAClassRaiseTheirName) {
    EXPECT_EQ(MessageOf([&] { MakeKind("SpinEdit"); }),
              "EXCLException: TXcDynControlEngine.CreateControl: No Registered ControlClass \"SpinEdit\"");
    EXPECT_EQ(MessageOf([&] { engine.CreateSpinControl(form.get(), form.get(), ""); }),
              "EXCLException: TXcDynControlEngine.CreateControl: No Registered ControlClass \"SpinEdit\"");
    EXPECT_EQ(
        MessageOf([&] { engine.CreateCalculateControl(form.get(), form.get(), ""); }),
        "EXCLException: TXcDynControlEngine.CreateControl: No Registered ControlClass \"CalculateEdit\"");
    EXPECT_EQ(MessageOf([&] { MakeKind("edit"); }),
              "EXCLException: TXcDynControlEngine.CreateControl: No Registered ControlClass \"edit\"");
    TControl* form2 = engine.CreateControl("Form", nullptr, nullptr, "Okno");
    EXPECT_EQ(form2->ClassName(), "TForm");
    EXPECT_EQ(form2->Name(), "Okno");
    form2->Free();
    TCustomForm* made = engine.CreateForm("Okno", "Pomoc");
    EXPECT_EQ(made->Owner(), Application.Get());
    EXPECT_EQ(made->Caption() + "|" + made->Hint(), "Okno|Pomoc");
    made->Free();
    EXPECT_EQ(form->ComponentCount(), 0);
}

TEST_F(EngineTest, RegistrationChecksBeforeItReplaces) {
    engine.RegisterControl("Edit", XcControlClass<TXcDynControlCLMemo>());
    EXPECT_EQ(MakeKind("Edit")->ClassName(), "TXcDynControlCLMemo");
    EXPECT_EQ(MessageOf([&] { engine.RegisterControl("Edit", XcControlClass<TXcDynControlCLLabel>()); }),
              "EXCLException: TXcDynControlEngine.RegisterControl: Unsupported ControlClass \"Edit\"");
    EXPECT_EQ(engine.GetControlClass("Edit")->ControlClass().ClassName(), "TXcDynControlCLMemo");
    EXPECT_THROW(engine.RegisterControl("Button", XcControlClass<TEdit>()), EXCLException);
    // Another case is another kind, with rules of its own (none).
    engine.RegisterControl("edit", XcControlClass<TXcDynControlCLLabel>());
    EXPECT_EQ(MakeKind("edit")->ClassName(), "TXcDynControlCLLabel");
    EXPECT_EQ(MakeKind("Edit")->ClassName(), "TXcDynControlCLMemo");
}

TEST_F(EngineTest, AControlWhoseMakingFailsIsFreed) {
    struct Case {
        const char* what;
        std::function<void(TXcDynControlEngineCL&, TForm*)> make;
    };
    const Case cases[] = {
        {"name taken", [](TXcDynControlEngineCL& e, TForm* f) { e.CreateControl("Edit", f, f, "Taken"); }},
        {"no base interface",
         [](TXcDynControlEngineCL& e, TForm* f) { e.CreateControlClass(XcControlClass<TEdit>(), f, f, ""); }},
        {"creator's interface missing",
         [](TXcDynControlEngineCL& e, TForm* f) {
             e.RegisterControl("ListBox", XcControlClass<TXcDynControlCLStaticText>());
             TStringList items;
             e.CreateListBoxControl(f, f, "", &items);
         }},
        {"after-create handler",
         [](TXcDynControlEngineCL& e, TForm* f) {
             e.OnAfterCreateControl = [](TControl*) { throw EAbort("stop"); };
             e.CreateEditControl(f, f, "");
         }},
        {"label panel's label",
         [](TXcDynControlEngineCL& e, TForm* f) {
             auto* edit = new TEdit(f);
             edit->SetParent(f);
             e.OnAfterCreateControl = [](TControl* c) {
                 if (dynamic_cast<TLabel*>(c)) throw EAbort("stop");
             };
             e.CreateLabelControlPanel(f, f, "", "Etykieta", edit);
         }},
    };
    for (const Case& c : cases) {
        TXcDynControlEngineCL fresh;
        Owned<TForm> host = cltest::Make<TForm>(nullptr);
        (new TPanel(host.get()))->SetName("Taken");
        const int components = host->ComponentCount();
        EXPECT_THROW(c.make(fresh, host.get()), Exception) << c.what;
        const int edits = c.what == std::string("label panel's label") ? 1 : 0;
        EXPECT_EQ(host->ComponentCount(), components + edits) << c.what;
        // The label panel's focus control stays where it was.
        EXPECT_EQ(host->ControlCount(), edits) << c.what;
    }
}

TEST_F(EngineTest, LabelPanelPlacesTheLabelAboveOrBeside) {
    EXPECT_EQ(
        MessageOf([&] { engine.CreateLabelControlPanel(form.get(), form.get(), "", "Nazwa", nullptr); }),
        "EXCLException: TXcDynControlEngine.CreateLabelControlPanel: AFocusControl must be assigned");
    auto* edit = new TEdit(form.get());
    edit->SetBounds(0, 0, 120, 21);
    auto* top = engine.CreateLabelControlPanel(form.get(), form.get(), "Gora", "Nazwa", edit, true);
    auto* label = static_cast<TWinControl*>(top)->Controls(0);
    const int lh = label->Height();
    EXPECT_EQ(Bounds(label), "1,1," + std::to_string(label->Width()) + "," + std::to_string(lh));
    EXPECT_EQ(edit->Parent(), top);
    EXPECT_EQ(Bounds(edit), "1," + std::to_string(lh + 1) + ",120,21");
    EXPECT_EQ(top->Width(), 121);
    EXPECT_EQ(top->Height(), lh + 21 + 1);
    EXPECT_EQ(static_cast<TLabel*>(label)->FocusControl(), edit);

    auto* memo = new TMemo(form.get());
    memo->SetBounds(0, 0, 150, 100);
    auto* side = engine.CreateLabelControlPanel(form.get(), form.get(), "Obok", "Opis", memo, false, 80);
    EXPECT_EQ(Bounds(memo), "81,1,150,100");
    EXPECT_EQ(side->Width(), 80 + 150 + 1);
    EXPECT_EQ(side->Height(), 101);
}

TEST_F(EngineTest, ClicksAndChangesBothReachAControlChangedByClicks) {
    form->Show();
    TControl* box = engine.CreateCheckboxControl(form.get(), form.get(), "", "Zgoda");
    std::string heard;
    XcIntf<IXcDynControl>(box).ControlSetOnClick([&](TObject*) { heard += "click "; });
    XcIntf<IXcDynControlData>(box).ControlSetOnChange([&](TObject*) { heard += "change"; });
    XcIntf<IXcDynControlCheckBox>(box).ControlSetState(cbChecked);
    EXPECT_EQ(heard, "click change");
    EXPECT_EQ(box->Caption(), "Zgoda");
    TControl* edit = engine.CreateEditControl(form.get(), form.get(), "");
    XcIntf<IXcDynControl>(edit).ControlSetCaption("nic");
    EXPECT_EQ(edit->Text(), "");
}

TEST_F(EngineTest, PanelsShareTheirWidthAmongTheirParts) {
    auto* dates = static_cast<TXcDynControlCLDateTimeEdit*>(MakeKind("DateTimeEdit"));
    // The date picker half the width and half the height, rounded.
    dates->SetBounds(0, 0, 201, 31);
    EXPECT_EQ(Bounds(dates->DatePicker()), "0,0,101,16");
    EXPECT_EQ(Bounds(dates->TimePicker()), "101,0,100,31");
    auto* file = static_cast<TXcDynControlCLEditPanel*>(MakeKind("FileNameEdit"));
    Owned<TMaskEdit> plain = cltest::Make<TMaskEdit>(nullptr);
    EXPECT_EQ(file->Height(), plain->Height());
    file->SetBounds(0, 40, 200, 25);
    EXPECT_EQ(Bounds(file->Button()), "175,0,25,25");
    EXPECT_EQ(Bounds(file->Edit()), "0,0,175,25");
}

TEST_F(EngineTest, ACheckListBoxIsDrivenThroughItsNineOperations) {
    form->Show();
    TControl* control = MakeKind("CheckListBox");
    TStringList items;
    items.SetText("a\r\nb\r\nc\r\n");
    XcIntf<IXcDynControlItems>(control).ControlSetItems(items);
    auto& box = XcIntf<IXcDynControlCheckListBox>(control);
    box.ControlSetAllowGrayed(true);
    EXPECT_TRUE(box.ControlGetAllowGrayed());
    box.ControlSetChecked(1, true);
    box.ControlSetState(2, cbGrayed);
    box.ControlSetItemEnabled(0, false);
    const struct {
        bool checked;
        TCheckBoxState state;
        bool enabled;
    } expected[] = {{false, cbUnchecked, false}, {true, cbChecked, true}, {false, cbGrayed, true}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(box.ControlGetChecked(i), expected[i].checked) << i;
        EXPECT_EQ(box.ControlGetState(i), expected[i].state) << i;
        EXPECT_EQ(box.ControlGetItemEnabled(i), expected[i].enabled) << i;
    }
    EXPECT_THROW(box.ControlGetChecked(3), EListError);

    // The space bar steps the current item; a disabled one stays.
    int clicks = 0;
    box.ControlSetOnClickCheck([&](TObject*) { ++clicks; });
    auto* list = static_cast<TCheckListBox*>(control);
    for (int index : {0, 2}) {
        list->SetItemIndex(index);
        SendMessageW(list->Handle(), WM_CHAR, ' ', 0);
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(box.ControlGetState(0), cbUnchecked);
    EXPECT_EQ(box.ControlGetState(2), cbChecked);
}

TEST_F(EngineTest, TheDirectoryButtonStartsFromTheValueOrTheInitialFolder) {
    TempFolder temp;
    const std::string existing = temp.Name("");
    const struct {
        std::string value, initial, start;
    } cases[] = {
        {"", "", "\\"},
        {"", existing, existing},
        {existing, "C:\\inny", existing},
        {temp.Name("brak"), existing, "\\"},
        {"", temp.Name("brak"), "\\"},
    };
    form->Show();
    for (const auto& c : cases) {
        auto* edit = static_cast<TXcDynControlCLDirectoryEdit*>(MakeKind("DirectoryEdit"));
        XcIntf<IXcDynControlData>(edit).ControlSetValue(c.value);
        edit->ControlSetInitialDir(c.initial);
        edit->ControlSetDialogTitle("Folder");
        std::string started;
        SetSelectDirectoryHook([&](std::string& dir, TSelectDirOpts, const std::string& title) {
            started = dir;
            dir = "C:\\wybrany";
            return title == "Folder";
        });
        edit->Button()->Click();
        SetSelectDirectoryHook(nullptr);
        EXPECT_EQ(started, c.start) << c.value << "|" << c.initial;
        EXPECT_EQ(edit->ControlGetValue().ToString(), "C:\\wybrany");
        EXPECT_TRUE(edit->Edit()->Focused());
    }
}

TEST_F(EngineTest, TheFileButtonOpensTheDialogOfItsKind) {
    const struct {
        TXcFileDialogKind kind;
        std::string filter;
        bool save;
        std::string filterUsed;
    } cases[] = {
        {fdkOpen, "Tekst|*.txt", false, "Tekst|*.txt"},
        {fdkSave, "", true, ""},
        {fdkOpenPicture, "", false, TPicture::GraphicFilter()},
        {fdkSavePicture, "Gif|*.gif", true, "Gif|*.gif"},
    };
    form->Show();
    for (const auto& c : cases) {
        auto* edit = static_cast<TXcDynControlCLFileNameEdit*>(MakeKind("FileNameEdit"));
        edit->ControlSetDialogKind(c.kind);
        edit->ControlSetFilter(c.filter);
        edit->ControlSetDefaultExt("gif");
        edit->ControlSetValue("C:\\stary.gif");
        bool savedWith = !c.save;
        std::string filter, start;
        SetFileDialogHook([&](TOpenDialog& d, bool save) {
            savedWith = save;
            filter = d.Filter();
            start = d.FileName() + "|" + d.DefaultExt();
            d.SetFileName("C:\\nowy.gif");
            return true;
        });
        edit->Button()->Click();
        SetFileDialogHook(nullptr);
        EXPECT_EQ(savedWith, c.save) << c.kind;
        EXPECT_EQ(filter, c.filterUsed) << c.kind;
        EXPECT_EQ(start, "C:\\stary.gif|gif");
        EXPECT_EQ(edit->ControlGetValue().ToString(), "C:\\nowy.gif");
    }
}

TEST(DefaultDynControlEngine, IsAClassLibraryEngineUntilAnotherIsSet) {
    TXcDynControlEngine* own = DefaultDynControlEngine();
    EXPECT_EQ(own->ClassName(), "TXcDynControlEngineCL");
    EXPECT_EQ(DefaultDynControlEngine(), own);
    {
        TXcDynControlEngineCL mine;
        SetDefaultDynControlEngine(&mine);
        SetDefaultDynControlEngine(nullptr);
        EXPECT_EQ(DefaultDynControlEngine(), &mine);
    }
    EXPECT_EQ(DefaultDynControlEngine(), own);
}

}  // namespace

namespace cltest {
INSTANTIATE_TEST_SUITE_P(
    DynControls, ControlDestruction,
    ::testing::Values(ControlOf<TXcDynControlCLDateTimeEdit>("TXcDynControlCLDateTimeEdit"),
                      ControlOf<TXcDynControlCLButtonEdit>("TXcDynControlCLButtonEdit"),
                      ControlOf<TXcDynControlCLCheckListBox>("TXcDynControlCLCheckListBox")),
    ControlName);
}  // namespace cltest
