// The Wine environment the tests run in: a real window that takes
// messages and paints, the Polish code page, and the metric-compatible fonts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

constexpr UINT kPing = WM_APP + 1;

LRESULT CALLBACK TestWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case kPing:
            return static_cast<LRESULT>(wp + lp);
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
            RECT r{10, 10, 50, 50};
            FillRect(dc, &r, red);
            DeleteObject(red);
            EndPaint(hwnd, &ps);
            return 0;
        }
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND CreateTestWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = TestWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"HarnessTestWindow";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Próba", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return hwnd;
}

TEST(WineHarness, WindowAnswersSentMessage) {
    HWND hwnd = CreateTestWindow();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, kPing, 40, 2), 42);
    DestroyWindow(hwnd);
}

TEST(WineHarness, PaintedPixelIsReadBack) {
    HWND hwnd = CreateTestWindow();
    ASSERT_NE(hwnd, nullptr);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(hwnd);
    EXPECT_EQ(GetPixel(dc, 20, 20), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 80, 80), RGB(255, 255, 255));
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
}

TEST(WineHarness, PolishCodePageAndLocale) {
    EXPECT_EQ(GetACP(), 1250u);
    EXPECT_EQ(PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())), LANG_POLISH);
    wchar_t sep[4] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 4);
    EXPECT_EQ(std::wstring(sep), L",");
}

TEST(WineHarness, ArialHasArialMetrics) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-100, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SIZE size{};
    GetTextExtentPoint32W(dc, L"W", 1, &size);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    // Arial's W advance is 1933/2048 em.
    EXPECT_NEAR(size.cx, 94, 1) << "face: " << std::string(face, face + wcslen(face));
}

}  // namespace
