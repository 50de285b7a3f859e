#pragma once
// A numeric edit on a form beside a plain edit, with its beeps and the
// exceptions that reach the application counted, and keys typed through
// the message loop.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/WideText.h"
#include "controls/numeric/win/NcKitEdit.h"
#include "tests/win/FormsTestSupport.h"

namespace nctest {

// "_" stands for the no-break space (0xA0), the Polish thousands separator.
inline std::string G(std::string text) {
    for (char& c : text)
        if (c == '_') c = '\xA0';
    return text;
}

// What the window shows, the Null display included.
inline std::string Shown(cl::TWinControl* control) {
    wchar_t buf[256] = {};
    GetWindowTextW(control->Handle(), buf, 256);
    return cl::FromWide(buf);
}

template <class Edit>
struct EditForm {
    cltest::Owned<cl::TForm> form = cltest::Make<cl::TForm>(nullptr);
    Edit* edit = new Edit(form.get());
    cl::TEdit* other = new cl::TEdit(form.get());
    int beeps = 0;
    std::vector<std::string> errors;  // exceptions that reached the application

    explicit EditForm(const std::function<void(Edit&)>& setup = nullptr) {
        SetNcBeepHook([this] { ++beeps; });
        cl::Application->OnException = [this](cl::TObject*, cl::Exception& e) {
            errors.push_back(e.Message());
        };
        edit->SetParent(form.get());
        other->SetParent(form.get());
        other->SetTop(40);
        if (setup) setup(*edit);
        form->Show();
        if (edit->CanFocus()) edit->SetFocus();
        cltest::Pump(20);
    }
    ~EditForm() {
        SetNcBeepHook(nullptr);
        cl::Application->OnException = nullptr;
    }
    EditForm(const EditForm&) = delete;
    EditForm& operator=(const EditForm&) = delete;

    // Each key goes down and up through the message loop, its character
    // (TranslateMessage) in between, as typed.  Digits, letters, "-" and
    // "+" (numeric pad), "," and "."; in braces: HOME END LEFT RIGHT DEL
    // NUMDEC (numeric-pad decimal), ENTER ESC UP DOWN, S-LEFT (Shift+Left), C-N (Ctrl+N),
    // C-A (Ctrl+A), EXIT (the focus goes to the other edit).
    void Type(const std::string& keys) {
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] != '{') {
                Press(VkOf(keys[i]));
                continue;
            }
            const size_t end = keys.find('}', i);
            const std::string name = keys.substr(i + 1, end - i - 1);
            i = end;
            if (name == "EXIT") {
                other->SetFocus();
                Drain();
            } else if (name == "S-LEFT") {
                Press(VK_LEFT, VK_SHIFT);
            } else if (name == "C-N" || name == "C-A") {
                Press(static_cast<WORD>(name[2]), VK_CONTROL);
            } else {
                Press(name == "HOME"     ? VK_HOME
                      : name == "END"    ? VK_END
                      : name == "LEFT"   ? VK_LEFT
                      : name == "RIGHT"  ? VK_RIGHT
                      : name == "DEL"    ? VK_DELETE
                      : name == "NUMDEC" ? VK_DECIMAL
                      : name == "ENTER"  ? VK_RETURN
                      : name == "ESC"    ? VK_ESCAPE
                      : name == "UP"     ? VK_UP
                      : name == "DOWN"   ? VK_DOWN
                                         : 0);
            }
        }
    }

private:
    static WORD VkOf(char c) {
        if (c >= 'a' && c <= 'z') return static_cast<WORD>(c - 'a' + 'A');
        switch (c) {
            case '-':
                return VK_SUBTRACT;
            case '+':
                return VK_ADD;
            case ',':
                return VK_OEM_COMMA;
            case '.':
                return VK_OEM_PERIOD;
        }
        return static_cast<WORD>(c);
    }
    void Drain() { cl::Application->ProcessMessages(); }
    void Post(UINT msg, WORD vk) {
        PostMessageW(edit->Handle(), msg, vk, cltest::KeyData(vk, msg == WM_KEYUP));
    }
    void Press(WORD vk, WORD modifier = 0) {
        // Key 0 held is no key.
        const cltest::HeldKeys keys{modifier};
        if (modifier) Post(WM_KEYDOWN, modifier), Drain();
        Post(WM_KEYDOWN, vk);
        Drain();
        Post(WM_KEYUP, vk);
        Drain();
        if (modifier) Post(WM_KEYUP, modifier), Drain();
    }
};

}  // namespace nctest
