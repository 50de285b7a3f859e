#pragma once
// The fixture of the end-to-end tests of Sprawozdawca.exe: the test copy of
// the program, started and idle with its main window found, and the steps a
// user takes through it: a control found by name, a button pressed by its
// caption, a control or a radio group's item clicked.  The update server's
// port is each test's own business.

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "tests/driver/ProgramTest.h"

namespace e2e {

class InstalledProgramTest : public ProgramTest {
protected:
    static constexpr int kStartMs = 20000;

    // Started and idle, its main window found.
    void Start() {
        program_.emplace(copy_.Exe(), copy_.WorkFolder());
        main_ = program_->WaitForName("MainForm", kStartMs);
        ASSERT_TRUE(main_) << program_->Describe();
        Idle();
    }
    void Idle() { ASSERT_TRUE(program_->WaitForIdle()); }
    HWND Named(const std::string& name) const {
        HWND wnd = program_->FindByName(name, false);
        EXPECT_TRUE(wnd) << name << "\n" << program_->Describe();
        return wnd;
    }
    void Press(const std::string& caption) {
        HWND button = program_->WaitForButton(caption, 5000);
        ASSERT_TRUE(button) << caption << "\n" << program_->Describe();
        ASSERT_TRUE(Click(button)) << caption;
        Idle();
    }
    // Clicks a control (by name) or a radio group's item, as the user does.
    void Choose(const std::string& name, int item = -1) {
        HWND target = item < 0 ? Named(name) : GroupItems(Named(name)).at(static_cast<size_t>(item));
        ASSERT_TRUE(Click(target)) << name << " " << item;
        Idle();
    }

    // The wizard clicked through for a business not subject to audit, its
    // documents page answered by these clicks (a control, or a group and
    // its item), to the forms.
    void ClickToForms(std::initializer_list<std::pair<const char*, int>> documents) {
        Press("&Dalej >");
        Choose("rb0_2_1", 0);
        Press("&Dalej >");
        Choose("cb1_0_2");
        Press("&Dalej >");
        for (const auto& [name, item] : documents) Choose(name, item);
        Press("&Dalej >");
        Press("&Formularze");
    }

    TInstalledCopy copy_{WinePath(SPRAW_E2E_DIR), WinePath(SPRAW_BIN_DIR)};
    std::optional<TProgram> program_;
    HWND main_ = nullptr;
};

}  // namespace e2e
