#include "controls/numeric/win/NcKitMsgs.h"

#include "classlib/Scope.h"
#include "classlib/win/Dialogs.h"
#include "classlib/win/Forms.h"

void NcShowErrorMessage(const std::string& text) {
    const cl::ScopeExit restore([saved = cl::Screen->Cursor()] { cl::Screen->SetCursor(saved); });
    cl::Screen->SetCursor(cl::crDefault);
    cl::MessageDlg(text, cl::mtError, cl::mbOK, 0);
}
