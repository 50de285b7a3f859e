#include "app/win/About1.h"

#include <vector>

#include "app/SiteAddresses.h"
#include "app/UpdateCheck.h"
#include "app/win/DialogParts.h"
#include "app/win/Licencja1.h"
#include "app/win/MainMessages.h"
#include "classlib/StrUtils.h"
#include "classlib/win/Jpeg.h"
#include "classlib/win/WideText.h"
#include "controls/win/CoreFileUtils.h"

using namespace cl;

namespace {

constexpr const char* kVersionLine = "Wersja 3.0.0.7";
constexpr TColor kLinkColor = clBlue;

// The program's FileDescription in the language and code page of its first
// translation; empty when the program has no version resource.
std::string VersionDescription() {
    const std::wstring file = ToWide(ModuleFileName(nullptr));
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    if (size == 0) return std::string();
    std::vector<uint8_t> data(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return std::string();
    struct Translation {
        WORD language, codePage;
    };
    void* found = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &found, &length) ||
        length < sizeof(Translation))
        return std::string();
    const auto* t = static_cast<const Translation*>(found);
    wchar_t key[64];
    swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\FileDescription", t->language, t->codePage);
    if (!VerQueryValueW(data.data(), key, &found, &length) || length == 0) return std::string();
    return FromWide(std::wstring(static_cast<const wchar_t*>(found),
                                 wcsnlen(static_cast<const wchar_t*>(found), length)));
}

// A JPEG of the program's resources (RCDATA) as the image's picture;
// nothing when the program carries none (a test program).
void LoadLogo(TImage* image, const wchar_t* resource) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, resource, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!found) return;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return;
    TMemoryStream stream;
    stream.WriteBuffer(bytes, static_cast<int32_t>(SizeofResource(module, found)));
    stream.SetPosition(0);
    TJPEGImage logo;
    logo.LoadFromStream(stream);
    image->Picture()->SetGraphic(&logo);
}

// A link to a site: the hand over it, underlined while the pointer is over it.
void MakeLink(TXcLabel* label, const std::string& caption) {
    label->SetCaption(caption);
    label->SetParentFont(false);
    label->Font()->SetColor(kLinkColor);
    label->SetHotTrack(true);
    label->HotTrackFont()->SetColor(kLinkColor);
    label->HotTrackFont()->SetStyle(fsUnderline);
    label->SetAutoOpenURL(false);
    label->SetCursor(crHandPoint);
}

// The address as it is written: without "http://" and the final slash.
std::string ShownAddress(std::string url) {
    if (url.compare(0, 7, "http://") == 0) url.erase(0, 7);
    if (!url.empty() && url.back() == '/') url.pop_back();
    return url;
}

void PostToMainWindow(UINT message, LPARAM lParam) {
    if (MainFormHandle) PostMessageW(MainFormHandle, message, 0, lParam);
}

}  // namespace

CL_CLASS_INFO(TAbout1Dlg)

TAbout1Dlg::TAbout1Dlg(TComponent* owner) : TForm(owner) {
    LoadComponentTree(*this, [this] {
        SetUpDialogFrame(*this, "About1Dlg", "O programie", 422, 212);

        ActionList1 = MakePart<TActionList>(this, "ActionList1");
        Aktualizacja1 = MakePart<TAction>(this, "Aktualizacja1");
        Aktualizacja1->SetCaption("Sprawdź &aktualizację teraz");
        ActionList1->AddAction(Aktualizacja1);
        MakerSite1 = MakePart<TBrowseURL>(this, "MakerSite1");
        MakerSite1->SetURL(MakerSiteUrl());
        ActionList1->AddAction(MakerSite1);
        AuthorsSite1 = MakePart<TBrowseURL>(this, "AuthorsSite1");
        AuthorsSite1->SetURL(AuthorsSiteUrl());
        ActionList1->AddAction(AuthorsSite1);

        Image1 = MakePart<TImage>(this, "Image1", this, 16, 16, 64, 64);
        Image1->SetCenter(true);
        Image1->SetProportional(true);
        LoadLogo(Image1, L"ABOUTLOGO1");
        Image2 = MakePart<TImage>(this, "Image2", this, 310, 64, 96, 48);
        Image2->SetCenter(true);
        Image2->SetProportional(true);
        Image2->SetCursor(crHandPoint);
        LoadLogo(Image2, L"ABOUTLOGO2");

        Label1 = MakePart<TStaticText>(this, "Label1");
        Label1->SetAutoSize(false);
        Label1->SetBounds(96, 16, 310, 30);
        Label1->SetParent(this);
        Bevel1 = MakePart<TXcBevel>(this, "Bevel1", this, 96, 54, 310, 2);
        Bevel1->SetShape(bsTopLine);
        XcLabel1 = MakePart<TXcLabel>(this, "XcLabel1", this, 96, 66, 200, 14);
        MakeLink(XcLabel1, "Autorzy programu Sprawozdawca");
        Label2 = MakePart<TLabel>(this, "Label2", this, 96, 84, 200, 14);
        Label2->SetCaption(ShownAddress(MakerSiteUrl()));
        XcLabel2 = MakePart<TXcLabel>(this, "XcLabel2", this, 96, 104, 200, 14);
        MakeLink(XcLabel2, "Opracowanie: zespół autorów programu");

        XcCheckBox1 = MakePart<TXcCheckBox>(this, "XcCheckBox1", this, 16, 140, 390, 17);
        XcCheckBox1->SetCaption("Automatyczne sprawdzanie aktualizacji programu w trakcie uruchamiania");
        XcCheckBox1->SetChecked(true);

        UpdateButton = MakeButton(*this, "UpdateButton", "", 16, 174, 170);
        UpdateButton->SetAction(Aktualizacja1);
        LicButton = MakeButton(*this, "LicButton", "Licencja", 250, 174, 75);
        OKButton = MakeButton(*this, "OKButton", "OK", 331, 174, 75, mrOk);
        OKButton->SetDefault(true);
        OKButton->SetCancel(true);
        // The focus starts on the default button, not on the box a Space would untick.
        SetActiveControl(OKButton);

        auto openMakerSite = [this](TObject*) { MakerSite1->Execute(); };
        Image2->OnClick = openMakerSite;
        XcLabel1->OnClick = openMakerSite;
        XcLabel2->OnClick = [this](TObject*) { AuthorsSite1->Execute(); };
        LicButton->OnClick = [this](TObject* s) { LicButtonClick(s); };
        Aktualizacja1->OnExecute = [this](TObject* s) { Aktualizacja1Execute(s); };
        OnCreate = [this](TObject* s) { FormCreate(s); };
        OnShow = [this](TObject* s) { FormShow(s); };
        OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
        // Last: it takes over the OnShow set above and calls it after its restore.
        FormStorage1 = AddFormStorage(*this, "FormStorage1", {"XcCheckBox1.Checked"});
    });
}

std::string TAbout1Dlg::Description() {
    std::string description = VersionDescription();
    if (description.empty()) description = TrimRight(Application->Title());
    return description + "\r\n" + kVersionLine;
}

void TAbout1Dlg::FormCreate(TObject*) {
    Font()->SetHeight(-11);
    Label1->SetCaption(Description());
}

void TAbout1Dlg::FormShow(TObject*) {
    // The settings' own copy may be from a run that ended unsaved; the main
    // window's choice is the one in force.
    XcCheckBox1->SetChecked(CheckAtStart);
}

void TAbout1Dlg::FormClose(TObject*, TCloseAction&) {
    // Whichever way it closes (a button, Esc, the title box).
    PostToMainWindow(WM_USER_AUTO_UPDATE, XcCheckBox1->Checked() ? 1 : 0);
}

void TAbout1Dlg::LicButtonClick(TObject*) {
    RunDialog<TLicDlg>(this);
}

void TAbout1Dlg::Aktualizacja1Execute(TObject*) {
    switch (CheckForUpdate()) {
        case kUpdateAvailable: {
            const int answer = Application->MessageBox(
                "Dostępna jest nowsza wersja programu, czy chcesz ją teraz pobrać\rz internetu i "
                "zainstalować?\r\r"
                "Instalacji może dokonać użytkownik posiadający uprawnienia\rdo dokonywania zapisu plików w "
                "folderze instalacji programu.",
                "Aktualizacja przez internet", MB_YESNO);
            if (answer == IDYES) {
                // The choice goes first: the program closes for the update
                // before it would hear of it from the closing box.
                PostToMainWindow(WM_USER_AUTO_UPDATE, XcCheckBox1->Checked() ? 1 : 0);
                PostToMainWindow(WM_USER_CLOSE_FOR_UPDATE, 0);
            }
            Close();
            break;
        }
        case kNoUpdate:
            Application->MessageBox("Nie ma nowszej wersji programu.", "Uwaga", MB_OK);
            break;
        default:
            Application->MessageBox("Brak możliwości uzyskania informacji o dostępnych aktualizacjach.",
                                    "Uwaga", MB_OK);
            break;
    }
}
