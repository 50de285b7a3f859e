#pragma once
// The visual-styles (theme) services the enhanced controls draw with,
// behind one interface: the program uses uxtheme's; a test installs its
// own for a scope to pin the theme state it needs.

#include <windows.h>

#include <string>

// A themed element: the theme class list (as OpenThemeData takes it), the
// part and the state.
struct TThemedElementDetails {
    const wchar_t* ClassList = nullptr;
    int Part = 0;
    int State = 0;
};

class TXcThemeServices {
public:
    virtual ~TXcThemeServices() = default;

    // Visual styles are on for this program.
    virtual bool ThemesEnabled() = 0;
    virtual TThemedElementDetails GetElementDetails(const wchar_t* classList, int part, int state) {
        return TThemedElementDetails{classList, part, state};
    }
    // Draws the element into r, clipped to clip when given.
    virtual void DrawElement(HDC dc, const TThemedElementDetails& details, const RECT& r,
                             const RECT* clip = nullptr) = 0;
    // Text is Windows-1250; flags are DrawText's (DT_xxx).
    virtual void DrawText(HDC dc, const TThemedElementDetails& details, const std::string& text,
                          const RECT& r, DWORD flags, DWORD flags2 = 0) = 0;
    // Paints the parent's background behind the window's part r (the whole
    // window when r is nullptr); with onlyIfTransparent, only when the
    // element is partly transparent.
    virtual void DrawParentBackground(HWND wnd, HDC dc, const TThemedElementDetails* details,
                                      bool onlyIfTransparent, const RECT* r = nullptr) = 0;
};

// The system's services through uxtheme.dll.
class TUxThemeServices : public TXcThemeServices {
public:
    bool ThemesEnabled() override;
    void DrawElement(HDC dc, const TThemedElementDetails& details, const RECT& r, const RECT* clip) override;
    void DrawText(HDC dc, const TThemedElementDetails& details, const std::string& text, const RECT& r,
                  DWORD flags, DWORD flags2) override;
    void DrawParentBackground(HWND wnd, HDC dc, const TThemedElementDetails* details, bool onlyIfTransparent,
                              const RECT* r) override;
};

// The services the controls use: uxtheme's unless a scope replaced them.
TXcThemeServices& ThemeServicesOf();

// Makes services the ones ThemeServicesOf gives while the scope lives;
// the caller keeps them alive for that long.
class ThemeServicesScope {
public:
    explicit ThemeServicesScope(TXcThemeServices& services);
    ~ThemeServicesScope();
    ThemeServicesScope(const ThemeServicesScope&) = delete;
    ThemeServicesScope& operator=(const ThemeServicesScope&) = delete;

private:
    TXcThemeServices* saved_;
};
