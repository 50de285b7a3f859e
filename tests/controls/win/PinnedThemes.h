#pragma once
// The system's theme services with the theme state pinned, for the
// enhanced controls' window tests: installed through ThemeServicesScope,
// they draw as uxtheme does but answer ThemesEnabled as the test chose.

#include "controls/win/XcThemeServices.h"

class PinnedThemes : public TUxThemeServices {
public:
    explicit PinnedThemes(bool on) : on_(on) {}
    bool ThemesEnabled() override { return on_; }

private:
    bool on_;
};
