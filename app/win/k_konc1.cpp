#include "app/win/k_konc1.h"

#include "app/win/DialogParts.h"
#include "app/win/MainMessages.h"

using namespace cl;

namespace {

void PostToMainWindow(UINT message) {
    if (MainFormHandle) PostMessageW(MainFormHandle, message, 0, 0);
}

}  // namespace

CL_CLASS_INFO(Tk_konc1Dlg)

Tk_konc1Dlg::Tk_konc1Dlg(TComponent* owner) : TForm(owner) {
    LoadComponentTree(*this, [this] {
        SetUpDialogFrame(*this, "k_konc1Dlg", "Uwaga", 360, 132);
        // Fits its wrapped caption into its width when the build ends.
        XcLabel1 = MakePart<TXcLabel>(this, "XcLabel1", this, 16, 14, 328, 70);
        XcLabel1->SetWordWrap(true);
        XcLabel1->SetCaption(
            "Na podstawie udzielonych odpowiedzi nie jest możliwe dobranie żadnego formularza.\r\n\r\n"
            "Spróbuj zacząć dobór od początku lub zakończ program.");
        Button1 = MakeButton(*this, "Button1", "Zacznij od &początku", 56, 96, 140);
        Button1->SetDefault(true);
        Button2 = MakeButton(*this, "Button2", "Za&kończ program", 204, 96, 100);
        Button1->OnClick = [this](TObject* s) { Button1Click(s); };
        Button2->OnClick = [this](TObject* s) { Button2Click(s); };
        OnCreate = [this](TObject* s) { FormCreate(s); };
    });
}

void Tk_konc1Dlg::FormCreate(TObject*) {
    Font()->SetHeight(-11);
}

void Tk_konc1Dlg::Button1Click(TObject*) {
    PostToMainWindow(WM_USER_NEW_NO_SAVE);
    SetModalResult(mrOk);
}

void Tk_konc1Dlg::Button2Click(TObject*) {
    PostToMainWindow(WM_USER_CLOSE_NO_SAVE);
    SetModalResult(mrOk);
}
