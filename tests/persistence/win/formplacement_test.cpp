// Form placement and stored properties on real forms, the settings in a
// temporary folder: what a save writes and when, the restore before the
// form's own OnShow, the placement cases, the handlers given back, the
// list of stored properties written and read with the form, and
// PreventResize and MinMaxInfo in the window's messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "classlib/win/Dialogs.h"
#include "classlib/win/Panels.h"
#include "classlib/win/Registry.h"
#include "classlib/win/StdCtrls.h"
#include "persistence/win/Placemnt.h"
#include "tests/support/Streamed.h"
#include "tests/support/TempFolder.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

std::string g_settings;

class Placement : public ::testing::Test {
protected:
    Placement() {
        g_settings = folder_.Name("Sprawozdawca.kon");
        SettingsFileNameFunc = [] { return g_settings; };
    }
    ~Placement() override { SettingsFileNameFunc = nullptr; }

    static TIniFile Ini() { return TIniFile(g_settings); }
    static std::vector<std::string> Keys(const std::string& section) {
        TStringList keys;
        Ini().ReadSection(section, keys);
        std::vector<std::string> list;
        for (int i = 0; i < keys.Count(); ++i) list.push_back(keys.Strings(i));
        return list;
    }

private:
    TempFolder folder_;
};

// A form with a few stored properties, its own handlers set before the
// storage joins it, recording what the storage lets through.
struct TestForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TCheckBox* check = new TCheckBox(form.get());
    TEdit* edit = new TEdit(form.get());
    TPanel* panel = new TPanel(form.get());
    TOpenDialog* dialog = new TOpenDialog(form.get());
    TFormStorage* storage = nullptr;
    bool allowClose = true;
    std::vector<bool> checkedAtShow;
    int closeQueries = 0, destroys = 0, saves = 0;

    explicit TestForm(TFormBorderStyle border = bsSizeable, TPosition position = poDesigned) {
        form->SetBorderStyle(border);
        form->SetPosition(position);
        form->SetBounds(40, 30, 400, 300);
        check->SetName("Check");
        check->SetParent(form.get());
        check->SetChecked(true);
        edit->SetName("Edit");
        edit->SetParent(form.get());
        panel->SetName("Panel");
        panel->SetParent(form.get());
        panel->SetBounds(0, 0, 120, 100);
        dialog->SetName("Dialog");
        form->OnShow = [this](TObject*) { checkedAtShow.push_back(check->Checked()); };
        form->OnCloseQuery = [this](TObject*, bool& canClose) {
            ++closeQueries;
            canClose = allowClose;
        };
        form->OnDestroy = [this](TObject*) { ++destroys; };
        storage =
            AddFormStorage(*form, "FormStorage1",
                           {"Check.Checked", "Edit.Text", "Panel.Width", "Dialog.InitialDir", "Gone.Width"});
        storage->OnSavePlacement = [this](TObject*) { ++saves; };
    }
    HWND Wnd() { return form->Handle(); }
};

RECT WindowRect(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

std::vector<int> Corners(RECT r) {
    return {r.left, r.top, r.right, r.bottom};
}

TEST_F(Placement, AllowedCloseSavesOnceInTheKeysOrderAndDestructionAddsNothing) {
    auto f = std::make_unique<TestForm>();
    f->form->Show();
    f->edit->SetText("  z odstępami ");
    f->allowClose = false;
    f->form->Close();
    EXPECT_EQ(f->saves, 0);
    EXPECT_FALSE(cltest::FileExists(g_settings));
    f->allowClose = true;
    f->form->Close();
    EXPECT_EQ(f->closeQueries, 2);
    EXPECT_EQ(f->saves, 1);
    f.reset();
    EXPECT_EQ(Keys("TForm"),
              (std::vector<std::string>{"FormVersion", "Flags", "ShowCmd", "PixelsPerInch",
                                        "MinMaxPos(" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                                            std::to_string(GetSystemMetrics(SM_CYSCREEN)) + ")",
                                        "MinMaxPos", Keys("TForm")[6], "NormPos", "Visible", "Check_Checked",
                                        "Edit_Text", "Panel_Width", "Dialog_InitialDir"}));
    EXPECT_EQ(Keys("TForm")[6].rfind("NormPos(", 0), 0u);
    EXPECT_EQ(Ini().ReadString("TForm", "Visible", ""), "0");
    EXPECT_EQ(Ini().ReadString("TForm", "Edit_Text", ""), "z odstępami");
    EXPECT_EQ(Ini().ReadString("TForm", "NormPos", ""), "40,30,440,330");
}

TEST_F(Placement, AWindowNeverShownWritesNothingAndOneShownOnlySavesOnDestruction) {
    {
        TestForm f;
        EXPECT_EQ(f.destroys, 0);
    }
    EXPECT_FALSE(cltest::FileExists(g_settings));
    {
        TestForm f;
        f.form->Show();
    }
    EXPECT_EQ(Ini().ReadString("TForm", "Visible", ""), "1");
}

TEST_F(Placement, RestoreComesBeforeTheFormsOwnOnShowAndABadValueKeepsItsProperty) {
    TIniFile ini = Ini();
    ini.WriteString("TForm", "Check_Checked", "false");
    ini.WriteString("TForm", "Panel_Width", "abc");
    ini.WriteString("TForm", "Edit_Text", "\"'cytat'\"");
    ini.WriteString("TForm", "Dialog_InitialDir", "C:\\Dane");
    ini.WriteString("TForm", "ActiveControl", "Edit");
    TestForm f;
    f.storage->SetOptions(fpState | fpPosition | fpActiveControl);
    f.form->Show();
    EXPECT_EQ(f.form->ActiveControl(), f.edit);
    EXPECT_EQ(f.checkedAtShow, std::vector<bool>{false});
    EXPECT_EQ(f.panel->Width(), 120);
    EXPECT_EQ(f.edit->Text(), "'cytat'");
    EXPECT_EQ(f.dialog->InitialDir(), "C:\\Dane");
    // Every show restores.
    f.check->SetChecked(true);
    f.form->Hide();
    f.form->Show();
    EXPECT_EQ(f.checkedAtShow, (std::vector<bool>{false, false}));
}

TEST_F(Placement, AFailedRestoreOrSaveIsReportedAndTheWindowStillOpensAndCloses) {
    AnsweredMessageBoxes answers;
    TestForm f;
    f.storage->OnRestorePlacement = [](TObject*) { throw EIniFileException("Brak ustawień"); };
    f.form->Show();
    EXPECT_TRUE(IsWindowVisible(f.Wnd()));
    EXPECT_EQ(f.checkedAtShow.size(), 1u) << "the form's own OnShow ran";
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, "Brak ustawień.");

    g_settings = g_settings + "\\brak\\Sprawozdawca.kon";  // a folder that is not there
    f.form->Close();
    EXPECT_FALSE(IsWindowVisible(f.Wnd()));
    EXPECT_EQ(f.closeQueries, 1);
    ASSERT_EQ(answers.boxes.size(), 2u);
    EXPECT_NE(answers.boxes[1].text.find("Sprawozdawca.kon"), std::string::npos) << answers.boxes[1].text;
}

TEST_F(Placement, StoredPlacementIsAppliedAsTheFormAllows) {
    const std::string screen = "(" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                               std::to_string(GetSystemMetrics(SM_CYSCREEN)) + ")";
    const char* const kStored = "100,120,600,520";
    const char* const kDialog = "50,60,1000,1000";
    const std::vector<int> stored{100, 120, 600, 520}, designed{40, 30, 440, 330}, dialog{50, 60, 450, 360};
    const struct {
        const char* what;
        TFormBorderStyle border;
        TPosition position;
        const char* normPos;
        int showCmd;
        bool otherPixels;
        int version;
        std::vector<int> normal;  // the window's normal rectangle after the show
        bool maximised;
    } cases[] = {
        {"sizeable", bsSizeable, poDesigned, kStored, 1, false, 0, stored, false},
        {"maximised over its rectangle", bsSizeable, poDesigned, kStored, 3, false, 0, stored, true},
        {"other text size: the state only", bsSizeable, poDesigned, kStored, 3, true, 0, designed, true},
        {"dialog keeps its size", bsDialog, poScreenCenter, kDialog, 1, false, 0, dialog, false},
        {"dialog stored minimised shows", bsDialog, poDesigned, kDialog, 2, false, 0, dialog, false},
        {"raised version", bsSizeable, poDesigned, kStored, 3, false, 1, designed, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TIniFile ini = Ini();
        ini.EraseSection("TForm");
        ini.WriteString("TForm", "NormPos" + screen, c.normPos);
        ini.WriteInteger("TForm", "ShowCmd", c.showCmd);
        ini.WriteString("TForm", "Check_Checked", "False");
        if (c.otherPixels) ini.WriteInteger("TForm", "PixelsPerInch", Screen->PixelsPerInch() + 24);
        TestForm f(c.border, c.position);
        f.storage->SetVersion(c.version);
        f.form->Show();
        EXPECT_TRUE(IsWindowVisible(f.Wnd()));
        EXPECT_FALSE(IsIconic(f.Wnd()));
        EXPECT_EQ(IsZoomed(f.Wnd()) != 0, c.maximised);
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(f.Wnd(), &wp);
        EXPECT_EQ(Corners(wp.rcNormalPosition), c.normal);
        if (!c.maximised) {
            EXPECT_EQ(Corners(WindowRect(f.Wnd())), c.normal);
        }
        EXPECT_EQ(f.check->Checked(), c.version > 0);  // a skipped restore leaves the property
        if (c.position == poScreenCenter) {
            EXPECT_EQ(f.form->Position(), poDesigned);
        }
    }
}

TEST_F(Placement, TheMainFormStoredMinimisedIsMinimisedByTheApplication) {
    Ini().WriteString("TForm", "ShowCmd", "2");
    TForm* main = nullptr;
    Application->CreateForm(main);
    Owned<TForm> owned(main);
    main->SetPosition(poDefault);
    AddFormPlacement(*main, "FormPlacement1");
    main->Show();
    EXPECT_FALSE(IsIconic(main->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(main->Handle()) != 0; }));
}

TEST_F(Placement, ANormalMainFormStartsMaximisedWithNothingStored) {
    for (TFormStyle style : {fsNormal, fsStayOnTop}) {
        Ini().EraseSection("TForm");
        TForm* main = nullptr;
        Application->CreateForm(main);
        Owned<TForm> owned(main);
        main->SetPosition(poDefault);
        main->SetFormStyle(style);
        AddFormPlacement(*main, "FormPlacement1");
        main->Show();
        EXPECT_EQ(IsZoomed(main->Handle()) != 0, style == fsNormal) << style;
    }
}

TEST_F(Placement, WrittenWithItsFormTheListNamesTheComponentsAsTheyAreCalledThen) {
    TestForm f;
    f.edit->SetName("Edit2");
    const std::string stored = Written(*f.storage);

    Owned<TForm> form = Make<TForm>(nullptr);
    (new TCheckBox(form.get()))->SetName("Check");
    (new TEdit(form.get()))->SetName("Edit2");
    (new TPanel(form.get()))->SetName("Panel");
    (new TOpenDialog(form.get()))->SetName("Dialog");
    auto* storage = new TFormStorage(form.get());
    LoadComponentTree(*storage, [&] { ReadInto(form.get(), *storage, stored); });
    EXPECT_EQ(storage->StoredProps()->Text(),
              "Check.Checked\r\nEdit2.Text\r\nPanel.Width\r\nDialog.InitialDir\r\n");
}

// Sees which OnShow the form holds when the form's components go.
class THandlerWatch : public TComponent {
public:
    explicit THandlerWatch(TForm* form) : TComponent(form), form_(form) {}
    void BeforeDestruction() override {
        ownShowBack = form_->OnShow.target<void (*)(TObject*)>() != nullptr;
        TComponent::BeforeDestruction();
    }
    static inline bool ownShowBack = false;

private:
    TForm* form_;
};

void OwnShow(TObject*) {}

TEST_F(Placement, HandlersGoBackToALivingFormOnly) {
    // Freed by the form's own OnDestroy, the storage writes nothing into
    // the dying form (whose OnDestroy is the one running).
    Owned<TForm> form = Make<TForm>(nullptr);
    new THandlerWatch(form.get());  // made first, freed last
    form->OnShow = &OwnShow;
    TFormStorage* storage = nullptr;
    form->OnDestroy = [&storage](TObject*) { cl::Free(storage); };
    storage = AddFormStorage(*form, "FormStorage1", {});
    EXPECT_EQ(form->OnShow.target<void (*)(TObject*)>(), nullptr);
    form.reset();
    EXPECT_FALSE(THandlerWatch::ownShowBack);

    Owned<TForm> living = Make<TForm>(nullptr);
    living->OnShow = &OwnShow;
    storage = AddFormStorage(*living, "FormStorage1", {});
    storage->Free();
    EXPECT_NE(living->OnShow.target<void (*)(TObject*)>(), nullptr);
}

TEST_F(Placement, LoadedWithTheFormsLayoutItChainsOnce) {
    Owned<TForm> form = Make<TForm>(nullptr);
    int shows = 0;
    TFormStorage* storage = nullptr;
    LoadComponentTree(*form, [&] {
        form->OnShow = [&](TObject*) { ++shows; };
        storage = AddFormStorage(*form, "FormStorage1", {});
        EXPECT_NE(storage->ComponentState() & csLoading, 0);
    });
    int restores = 0;
    storage->OnRestorePlacement = [&](TObject*) { ++restores; };
    form->Show();
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(restores, 1);
}

TEST_F(Placement, PreventResizePinsTheSizeAndMinMaxInfoLimitsIt) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(50, 50, 400, 300);
    TFormPlacement* placement = AddFormPlacement(*form, "FormPlacement1");
    form->Show();
    placement->SetPreventResize(true);
    EXPECT_EQ(form->BorderIcons() & biMaximize, 0);
    HWND wnd = form->Handle();
    MINMAXINFO info{};
    SendMessageW(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 400);
    EXPECT_EQ(info.ptMaxTrackSize.y, 300);
    const RECT r = WindowRect(wnd);
    for (POINT p : {POINT{r.left + 1, r.top + 100}, POINT{r.right - 1, r.bottom - 1}})
        EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTNOWHERE);
    HMENU menu = GetSystemMenu(wnd, FALSE);
    SendMessageW(wnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
    EXPECT_TRUE(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);

    placement->SetPreventResize(false);
    EXPECT_NE(form->BorderIcons() & biMaximize, 0);
    wnd = form->Handle();  // the border icons recreated the window
    EXPECT_NE(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(r.right - 1, r.bottom - 1)), HTNOWHERE);
    placement->MinMaxInfo()->SetMinTrackWidth(200);
    placement->MinMaxInfo()->SetMaxTrackHeight(500);
    placement->MinMaxInfo()->SetMaxPosLeft(7);
    info = MINMAXINFO{};
    info.ptMaxTrackSize = {9999, 9999};
    SendMessageW(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 200);
    EXPECT_EQ(info.ptMinTrackSize.y, 0);
    EXPECT_EQ(info.ptMaxTrackSize.x, 9999);
    EXPECT_EQ(info.ptMaxTrackSize.y, 500);
    EXPECT_EQ(info.ptMaxPosition.x, 7);
}

TEST_F(Placement, WithTheRegistryTheWindowsSectionIsASubkeyOfTheKey) {
    const wchar_t key[] = L"Software\\SprawozdawcaTest\\Placement";
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(key) + L"\\TForm").c_str(), L"Check_Checked",
                              REG_SZ, L"False", sizeof L"False"),
              ERROR_SUCCESS);
    {
        TestForm f;
        f.storage->SetUseRegistry(true);
        f.storage->SetIniFileName("Software\\SprawozdawcaTest\\Placement");
        f.form->Show();
        EXPECT_EQ(f.checkedAtShow, std::vector<bool>{false});
        f.edit->SetText("z rejestru");
        f.form->Close();
    }
    TRegIniFile reg("Software\\SprawozdawcaTest\\Placement");
    EXPECT_EQ(reg.ReadString("TForm", "FormVersion", ""), "0");
    EXPECT_EQ(reg.ReadString("TForm", "NormPos", ""), "40,30,440,330");
    EXPECT_EQ(reg.ReadString("TForm", "Edit_Text", ""), "z rejestru");
    EXPECT_EQ(reg.ReadString("TForm", "Visible", ""), "0");
    EXPECT_FALSE(cltest::FileExists(g_settings)) << "the settings file is left alone";
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
}

// A storage that counts its own saves of the properties.
class TCountingStorage : public TFormStorage {
    CL_CLASS(TCountingStorage, TFormStorage)
    using TFormStorage::TFormStorage;
    int propertySaves = 0;
    void SaveProperties() override {
        ++propertySaves;
        TFormStorage::SaveProperties();
    }
};
CL_CLASS_INFO(TCountingStorage)

TEST_F(Placement, LinkedObjectsKeepTheirsAfterThePlacementAndBeforeTheProperties) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* check = new TCheckBox(form.get());
    check->SetName("Check");
    check->SetParent(form.get());
    auto* storage = new TCountingStorage(form.get());
    storage->SetName("FormStorage1");
    storage->StoredProps()->Add("Check.Checked");
    LoadComponentTree(*storage, [] {});
    TPlacementLink link;
    link.SetStorage(storage);
    std::string loaded;
    link.OnSave = [&](TObject*) { storage->DoWriteString(link.Section(), "Extra", "dodatek"); };
    link.OnLoad = [&](TObject*) { loaded = storage->DoReadString(link.Section(), "Extra", ""); };
    form->Show();
    form->Close();
    EXPECT_EQ(storage->propertySaves, 1);
    const std::vector<std::string> keys = Keys("TForm");
    const auto at = [&keys](const char* key) {
        return std::find(keys.begin(), keys.end(), key) - keys.begin();
    };
    EXPECT_EQ(at("Extra"), at("Visible") + 1);
    EXPECT_EQ(at("Check_Checked"), at("Extra") + 1);
    form->Show();
    EXPECT_EQ(loaded, "dodatek");
    link.SetStorage(nullptr);
    form.reset();
}

}  // namespace
