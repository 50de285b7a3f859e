#pragma once
// The about box ("O programie"): the program's description and version,
// the maker's and the authors' links and logos, the licence, the update
// check on request, and the choice of checking for updates at start,
// which the main window hears of when the box closes (WM_USER+8).

#include <string>

#include "app/win/BrowseURL.h"
#include "classlib/win/ActnList.h"
#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "controls/win/XcBevel.h"
#include "controls/win/XcCheckBox.h"
#include "controls/win/XcLabel.h"
#include "persistence/win/Placemnt.h"

class TAbout1Dlg : public cl::TForm {
    CL_CLASS(TAbout1Dlg, cl::TForm)
public:
    explicit TAbout1Dlg(cl::TComponent* owner);

    cl::TImage* Image1;        // the program's logo
    cl::TImage* Image2;        // the maker's logo: a click opens the maker's site
    cl::TStaticText* Label1;   // the description and the version
    TXcBevel* Bevel1;          // the line under it
    TXcLabel* XcLabel1;        // the maker's name: a link to the maker's site
    cl::TLabel* Label2;        // the maker's address
    TXcLabel* XcLabel2;        // the authors' firm: a link to the authors' site
    TXcCheckBox* XcCheckBox1;  // check for updates at start
    cl::TButton* OKButton;
    cl::TButton* LicButton;     // "Licencja"
    cl::TButton* UpdateButton;  // runs Aktualizacja1
    cl::TActionList* ActionList1;
    cl::TAction* Aktualizacja1;  // "Sprawdź &aktualizację teraz"
    TBrowseURL* MakerSite1;
    TBrowseURL* AuthorsSite1;
    TFormStorage* FormStorage1;  // keeps XcCheckBox1.Checked

    // The main window's choice (Chb_aktualiz) when the box opens: the box
    // shows it rather than what its own section of the settings holds.
    bool CheckAtStart = true;

    void FormCreate(cl::TObject* Sender);
    void FormShow(cl::TObject* Sender);
    void FormClose(cl::TObject* Sender, cl::TCloseAction& Action);
    void LicButtonClick(cl::TObject* Sender);
    void Aktualizacja1Execute(cl::TObject* Sender);

    // A line of the version resource's FileDescription, a line break and the version.
    static std::string Description();
};
