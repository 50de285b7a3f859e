// Renders a form page as the program shows or prints it, with the field
// rectangles outlined and a sample value in each, into a PNG for a person to
// check the fit:
//
//   pagepng <frm folder> <form> <page> <out.png> [screen|print] [pixels per mm]
//
// screen: the template stretched over the A4 sheet, fields at their screen
// rectangles; print: the template where its page's print correction puts
// it on the page, fields at their print rectangles and unscaled font sizes.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/SheetMapping.h"
#include "classlib/win/GdiHandles.h"
#include "engine/FormCatalogue.h"
#include "engine/calc1_d.h"
#include "tools/Utf8.h"

namespace {

using cl::OwnedBitmap;
using cl::OwnedDC;
using cl::OwnedEnhMetaFile;
using cl::OwnedFont;
using cl::OwnedPen;
using cl::SelectedObject;
using tools::Widen;

// ------------------------------------------------------------ PNG writer

uint32_t Crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBE(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    PutBE(png, static_cast<uint32_t>(data.size()));
    size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBE(png, Crc32(png.data() + start, png.size() - start));
}

// RGB rows, top first; stored (uncompressed) deflate blocks keep this small.
std::vector<uint8_t> EncodePng(int w, int h, const std::vector<uint8_t>& rgb) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgb.begin() + size_t(y) * w * 3, rgb.begin() + size_t(y + 1) * w * 3);
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    for (size_t pos = 0; pos < raw.size() || pos == 0;) {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        z.push_back(pos + n == raw.size() ? 1 : 0);
        z.push_back(n & 0xFF);
        z.push_back(n >> 8);
        z.push_back(~n & 0xFF);
        z.push_back((~n >> 8) & 0xFF);
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
        if (n == 0) break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBE(z, (b << 16) | a);
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    PutBE(ihdr, w);
    PutBE(ihdr, h);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
}

// ------------------------------------------------------------ rendering

int FormNumber(const std::string& name) {
    for (int i = 1; i <= 8; ++i)
        if (FormCatalogue[i].Name == name) return i;
    throw std::runtime_error("no form " + name);
}

const wchar_t* SampleText(const TEField& f) {
    if (f.EditType == ie_currency) return L"-1 234 567,89";
    if (f.EditType == ie_maskedit) return L"31.12.2004";
    return f.FontSize == 9 ? L"Przykładowa Spółka z o.o., Warszawa" : L"Tekst ąęłż";
}

void Render(const std::string& dir, const std::string& form, int page, const std::string& out, bool print,
            double pxPerMm) {
    const int formNo = FormNumber(form);
    const TFrmFeature& feature = FormCatalogue[formNo];
    std::string path = dir + "/" + form + "_" + std::to_string(page) + ".emf";
    const OwnedEnhMetaFile emf(GetEnhMetaFileW(Widen(path).c_str()));
    if (!emf) throw std::runtime_error("cannot read " + path);

    const int W = static_cast<int>(210 * pxPerMm), H = static_cast<int>(297 * pxPerMm);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = W;
    bi.bmiHeader.biHeight = -H;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const OwnedDC dc(CreateCompatibleDC(nullptr));
    const OwnedBitmap bmp(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp) throw std::runtime_error("no bitmap");
    const SelectedObject selBmp(dc.get(), bmp.get());
    RECT all{0, 0, W, H};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    // Where the template goes: the whole sheet on screen; on paper where
    // the page's print correction takes the sheet.
    RECT place = all;
    if (print) {
        const TPlacedRect p = AreaOnPaper(PrintedTemplateOnA4(formNo, page), {0, 0, W, H});
        place = {p.Left, p.Top, p.Right, p.Bottom};
    }
    int saved = SaveDC(dc.get());
    PlayEnhMetaFile(dc.get(), emf.get(), &place);
    RestoreDC(dc.get(), saved);

    // Fields in 0.1 mm of the page.
    SetMapMode(dc.get(), MM_ANISOTROPIC);
    SetWindowExtEx(dc.get(), 2100, 2970, nullptr);
    SetViewportExtEx(dc.get(), W, H, nullptr);
    SetBkMode(dc.get(), TRANSPARENT);
    for (int n = feature.FirstID + 1; n < feature.LastID; ++n) {
        const TEField& f = TEFieldTable[n];
        if (f.Page != page) continue;
        RECT r = print ? RECT{PrintLeft(formNo, page, n), PrintTop(formNo, page, n),
                              PrintRight(formNo, page, n), PrintBottom(formNo, page, n)}
                       : RECT{ScreenLeft(formNo, page, n), ScreenTop(formNo, page, n),
                              ScreenRight(formNo, page, n), ScreenBottom(formNo, page, n)};
        COLORREF colour = f.EditType == ie_currency ? RGB(220, 0, 0)
                          : f.EditType == ie_text   ? RGB(0, 0, 220)
                                                    : RGB(0, 150, 0);
        // The program whitens an amount's or a date's rectangle under its value.
        if (f.EditType == ie_currency || f.EditType == ie_maskedit)
            FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const OwnedPen pen(CreatePen(PS_SOLID, 0, colour));
        const SelectedObject selPen(dc.get(), pen.get());
        const SelectedObject selBrush(dc.get(), GetStockObject(NULL_BRUSH));
        Rectangle(dc.get(), r.left, r.top, r.right, r.bottom);
        // The value as the program draws it: Arial bold, aligned by the
        // field's columns; a centred layout takes effect on single lines only.
        LOGFONTW lf{};
        lf.lfHeight = -MulDiv(f.FontSize, 254, 72);
        lf.lfWeight = FW_BOLD;
        lf.lfCharSet = EASTEUROPE_CHARSET;
        wcscpy(lf.lfFaceName, L"Arial");
        const OwnedFont font(CreateFontIndirectW(&lf));
        const SelectedObject selFont(dc.get(), font.get());
        SetTextColor(dc.get(), colour);
        UINT flags = (f.Alignment == taRightJustify ? DT_RIGHT
                      : f.Alignment == taCenter     ? DT_CENTER
                                                    : DT_LEFT) |
                     (f.Layout == tlTop      ? DT_TOP
                      : f.Layout == tlCenter ? DT_VCENTER
                                             : DT_BOTTOM | DT_SINGLELINE) |
                     DT_WORDBREAK;
        DrawTextW(dc.get(), SampleText(f), -1, &r, flags);
    }
    GdiFlush();

    std::vector<uint8_t> rgb(size_t(W) * H * 3);
    const int stride = (W * 3 + 3) & ~3;
    for (int y = 0; y < H; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(bits) + size_t(y) * stride;
        for (int x = 0; x < W; ++x) {
            rgb[(size_t(y) * W + x) * 3 + 0] = row[x * 3 + 2];
            rgb[(size_t(y) * W + x) * 3 + 1] = row[x * 3 + 1];
            rgb[(size_t(y) * W + x) * 3 + 2] = row[x * 3 + 0];
        }
    }
    std::vector<uint8_t> png = EncodePng(W, H, rgb);
    std::ofstream o(out, std::ios::binary);
    o.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!o) throw std::runtime_error("cannot write " + out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: pagepng <frm folder> <form> <page> <out.png> [screen|print] [pixels per mm]\n");
        return 2;
    }
    try {
        bool print = argc > 5 && std::strcmp(argv[5], "print") == 0;
        double scale = argc > 6 ? std::atof(argv[6]) : 4.0;
        Render(argv[1], argv[2], std::atoi(argv[3]), argv[4], print, scale);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pagepng: %s\n", e.what());
        return 1;
    }
    return 0;
}
