#pragma once
// A rich-text viewer filling a shown test window, and what its control holds.

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"
#include "controls/win/XcRichEdit.h"
#include "tests/win/FormsTestSupport.h"

namespace cltest {

struct RichTextViewer {
    explicit RichTextViewer(bool readOnly = false) {
        form->SetBounds(100, 100, 400, 300);
        edit->SetParent(form.get());
        edit->SetAlign(cl::alClient);
        edit->SetReadOnly(readOnly);
        form->Show();
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < edit->Lines()->Count(); ++i) lines.push_back(edit->Lines()->Get(i));
        return lines;
    }
    // The window's text: each of the control's line breaks read as CR LF.
    std::string Held() const {
        std::wstring text(256, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(edit->Handle(), text.data(), 256)));
        return cl::FromWide(text);
    }

    Owned<cl::TForm> form = Make<cl::TForm>(nullptr);
    TXcRichEdit* edit = new TXcRichEdit(form.get());
};

}  // namespace cltest
