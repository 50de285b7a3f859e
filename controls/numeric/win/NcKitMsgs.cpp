#include "controls/numeric/win/NcKitMsgs.h"

#include "classlib/win/Dialogs.h"
#include "classlib/win/Forms.h"

void NcShowErrorMessage(const std::string& text) {
    struct RestoreCursor {
        cl::TCursor saved = cl::Screen->Cursor();
        ~RestoreCursor() { cl::Screen->SetCursor(saved); }
    } restore;
    cl::Screen->SetCursor(cl::crDefault);
    cl::MessageDlg(text, cl::mtError, cl::mbOK, 0);
}
