#include "controls/win/XcThemeServices.h"

#include <uxtheme.h>

#include "classlib/win/WideText.h"

namespace {

TXcThemeServices* g_services = nullptr;

// A theme handle for one drawing call.
class ThemeData {
public:
    explicit ThemeData(const wchar_t* classList)
        : theme_(classList ? OpenThemeData(nullptr, classList) : nullptr) {}
    ~ThemeData() {
        if (theme_) CloseThemeData(theme_);
    }
    ThemeData(const ThemeData&) = delete;
    ThemeData& operator=(const ThemeData&) = delete;
    HTHEME get() const { return theme_; }

private:
    HTHEME theme_;
};

}  // namespace

bool TUxThemeServices::ThemesEnabled() {
    return IsAppThemed() && IsThemeActive();
}

void TUxThemeServices::DrawElement(HDC dc, const TThemedElementDetails& d, const RECT& r, const RECT* clip) {
    const ThemeData theme(d.ClassList);
    if (theme.get()) DrawThemeBackground(theme.get(), dc, d.Part, d.State, &r, clip);
}

void TUxThemeServices::DrawText(HDC dc, const TThemedElementDetails& d, const std::string& text,
                                const RECT& r, DWORD flags, DWORD flags2) {
    const ThemeData theme(d.ClassList);
    if (!theme.get()) return;
    const std::wstring wide = cl::ToWide(text);
    ::DrawThemeText(theme.get(), dc, d.Part, d.State, wide.c_str(), static_cast<int>(wide.size()), flags,
                    flags2, &r);
}

void TUxThemeServices::DrawParentBackground(HWND wnd, HDC dc, const TThemedElementDetails* d,
                                            bool onlyIfTransparent, const RECT* r) {
    if (onlyIfTransparent && d) {
        const ThemeData theme(d->ClassList);
        if (!theme.get() || !IsThemeBackgroundPartiallyTransparent(theme.get(), d->Part, d->State)) return;
    }
    // The system takes the rectangle by a non-const pointer but only reads it.
    RECT area = r ? *r : RECT{};
    DrawThemeParentBackground(wnd, dc, r ? &area : nullptr);
}

TXcThemeServices& ThemeServicesOf() {
    if (g_services) return *g_services;
    static TUxThemeServices system;
    return system;
}

ThemeServicesScope::ThemeServicesScope(TXcThemeServices& services) : saved_(g_services) {
    g_services = &services;
}

ThemeServicesScope::~ThemeServicesScope() {
    g_services = saved_;
}
