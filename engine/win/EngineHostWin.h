#pragma once
// The engine's host in the program: questions through the application's
// message box, the selected-form question and the error-list refill as
// messages to the main window.

#include "engine/EngineHost.h"

class TWindowEngineHost final : public EngineHost {
public:
    bool AskYesNo(const std::string& Text, const std::string& Caption) override;
    // WM_USER+203, sent; only the result 1 means selected.
    bool IsCurrentFormSelected() override;
    // WM_USER+5, posted.
    void NotifyErrorList() override;
};

constexpr unsigned WM_USER_REFILL_ERRORS = 0x0400 + 5;
constexpr unsigned WM_USER_IS_FORM_SELECTED = 0x0400 + 203;
