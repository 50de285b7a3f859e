#pragma once
// A picture of the desktop at a test's first failure: a 24-bit BMP file in
// the folder "screenshots" beside the test program, named after the test,
// its name printed in the test's log.  Any test program that includes this
// header gets it.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "classlib/win/GdiHandles.h"
#include "classlib/win/WideText.h"
#include "tests/support/Files.h"

namespace cltest {

// The whole screen as a BMP file; answers whether it was written.
inline bool SaveScreenBitmap(const std::string& fileName) {
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    if (width <= 0 || height <= 0) return false;
    const cl::WindowDC screen(nullptr);
    if (!screen) return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as the file stores the rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    const cl::OwnedBitmap bitmap(CreateDIBSection(screen.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                                  DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return false;
    {
        const cl::MemoryDC memory(bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), left, top, SRCCOPY)) return false;
    }
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    header.biSizeImage = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::ofstream out(PathOf(fileName), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(static_cast<const char*>(bits), header.biSizeImage);
    return out.good();
}

// Saves the desktop when a test fails for the first time; a picture left
// by an earlier run of the test goes when it starts again.
class FailureScreenshots : public ::testing::EmptyTestEventListener {
public:
    // The picture of a test: the folder beside the test program, a file name
    // the system accepts.
    static std::string PictureOf(const ::testing::TestInfo& test) {
        std::string name = std::string(test.test_suite_name()) + "." + test.name();
        for (char& c : name)
            if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '_';
        return ExeFolder() + "screenshots\\" + name + ".bmp";
    }

    void OnTestStart(const ::testing::TestInfo& test) override {
        saved_ = false;
        DeleteFileW(cl::ToWide(PictureOf(test)).c_str());
    }
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        if (!result.failed() || saved_ || !test) return;
        saved_ = true;
        const std::string fileName = PictureOf(*test);
        CreateDirectoryW(cl::ToWide(ExeFolder() + "screenshots").c_str(), nullptr);
        if (SaveScreenBitmap(fileName))
            std::printf("[ SCREEN   ] the desktop at the failure: %s\n", fileName.c_str());
        else
            std::printf("[ SCREEN   ] the desktop could not be saved to %s\n", fileName.c_str());
        std::fflush(stdout);
    }

private:
    bool saved_ = false;
};

// Installed once per test program, before main runs the tests.
inline const bool kFailureScreenshotsInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FailureScreenshots);
    return true;
}();

}  // namespace cltest
