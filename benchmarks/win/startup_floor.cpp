// The floor under the start-up figure: the system windows of the program's
// first screen (menu bar, tool bar, status bar, two tree views, a tab
// control, a wizard's button and a rich-text page, on panels as the program
// lays them out), maximised, with none of the program's code.  Wine's cost
// for these windows is what the program's start cannot go below.
//   scripts/wine-run --root build/winrel/wine build/winrel/benchmarks/startup_bench.exe [starts] floor
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <initializer_list>

namespace {

LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof controls,
                                        ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    LoadLibraryW(L"riched20.dll");
    WNDCLASSW frame{};
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = instance;
    frame.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.lpszClassName = L"FloorFrame";
    RegisterClassW(&frame);
    frame.lpszClassName = L"FloorPanel";
    RegisterClassW(&frame);

    HMENU bar = CreateMenu();
    for (const wchar_t* title : {L"&Plik", L"&Widok", L"&Formularze", L"P&omoc"}) {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 1, L"Polecenie");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
    }
    HWND main = CreateWindowW(L"FloorFrame", L"Sprawozdawca", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                              980, 700, nullptr, bar, instance, nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    const auto child = [&](const wchar_t* cls, DWORD style, int x, int y, int w, int h, HWND parent,
                           const wchar_t* text = L"") {
        HWND wnd = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, w, h,
                                   parent, nullptr, instance, nullptr);
        SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return wnd;
    };
    HWND tools = child(TOOLBARCLASSNAMEW, TBSTYLE_FLAT | CCS_TOP, 0, 0, 1280, 26, main);
    SendMessageW(tools, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    child(STATUSCLASSNAMEW, 0, 0, 967, 1280, 19, main);
    HWND left = child(L"FloorPanel", 0, 0, 26, 240, 941, main);
    child(WC_TREEVIEWW, TVS_HASLINES | WS_BORDER, 0, 0, 240, 250, left);
    child(L"FloorPanel", 0, 0, 250, 240, 3, left);
    child(L"STATIC", 0, 0, 253, 240, 22, left, L"Twoje formularze");
    HWND lower = child(L"FloorPanel", 0, 0, 275, 240, 666, left);
    child(WC_TREEVIEWW, TVS_HASLINES | WS_BORDER, 0, 0, 240, 666, lower);
    child(L"FloorPanel", 0, 240, 26, 3, 941, main);
    HWND right = child(L"FloorPanel", 0, 243, 26, 1037, 941, main);
    HWND tabs = child(WC_TABCONTROLW, 0, 0, 0, 1037, 941, right);
    HWND wizard = child(L"FloorPanel", 0, 0, 0, 1029, 913, child(L"FloorPanel", 0, 4, 24, 1029, 913, tabs));
    child(L"BUTTON", BS_PUSHBUTTON, 940, 880, 75, 25, wizard, L"&Dalej >");
    HWND page = child(L"FloorPanel", 0, 0, 0, 1029, 829, child(L"FloorPanel", 0, 0, 0, 1029, 870, wizard));
    child(L"RichEdit20W", ES_MULTILINE | ES_READONLY, 20, 20, 600, 137, page,
          L"Kreator przeprowadzi Cię przez wybór formularzy sprawozdania.");
    // Found by the name the measuring program looks for.
    SetPropW(main, L"ClName", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(GlobalAddAtomW(L"MainForm"))));
    ShowWindow(main, SW_SHOWMAXIMIZED);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
