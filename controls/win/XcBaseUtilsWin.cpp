#include "controls/win/XcBaseUtilsWin.h"

#include <shellapi.h>

#include "classlib/win/WideText.h"

void OutOfResources() {
    throw cl::EOutOfResources("Out of system resources");
}

cl::OwnedBitmap CopyBitmapScaled(HBITMAP source, int width, int height, bool monochrome) {
    const cl::WindowDC screen(nullptr);
    if (!screen) OutOfResources();
    cl::OwnedBitmap result(monochrome ? CreateBitmap(width, height, 1, 1, nullptr)
                                      : CreateCompatibleBitmap(screen.get(), width, height));
    if (!result) OutOfResources();
    BITMAP info{};
    GetObjectW(source, sizeof info, &info);
    const cl::OwnedDC sourceDC(CreateCompatibleDC(screen.get()));
    const cl::OwnedDC targetDC(CreateCompatibleDC(screen.get()));
    if (!sourceDC || !targetDC) OutOfResources();
    const cl::SelectedObject from(sourceDC.get(), source);
    {
        const cl::SelectedObject to(targetDC.get(), result.get());
        SetStretchBltMode(targetDC.get(), COLORONCOLOR);
        StretchBlt(targetDC.get(), 0, 0, width, height, sourceDC.get(), 0, 0, info.bmWidth, info.bmHeight,
                   SRCCOPY);
    }
    return result;
}

int DCDrawText(HDC dc, const std::string& text, RECT& r, UINT flags) {
    const std::wstring wide = cl::ToWide(text);
    return ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, flags & ~DT_MODIFYSTRING);
}

int CanvasDrawText(cl::TCanvas& canvas, const std::string& text, RECT& r, UINT flags) {
    return canvas.DrawText(text, r, flags & ~DT_MODIFYSTRING);
}

int PCharDrawText(HDC dc, const char* text, RECT& r, UINT flags) {
    return DCDrawText(dc, text ? std::string(text) : std::string(), r, flags);
}

void* GlobalAllocZeroed(SIZE_T size) {
    if (size < 1) return nullptr;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!memory) throw cl::EOutOfMemory("Out of memory");
    void* p = GlobalLock(memory);
    if (!p) {
        GlobalFree(memory);
        throw cl::EOutOfMemory("Out of memory");
    }
    return p;
}

void GlobalFreeAndNil(void*& p) noexcept {
    if (!p) return;
    HGLOBAL memory = GlobalHandle(p);
    p = nullptr;
    if (!memory) return;
    GlobalUnlock(memory);
    GlobalFree(memory);
}

bool ShellOpen(const std::string& fileOrUrl) {
    const std::wstring target = cl::ToWide(fileOrUrl);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}
