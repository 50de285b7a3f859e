// Records a page template as an enhanced metafile from its drawing
// (data/pages/<form>_<page>.txt, made by tools/gen_layout.py):
//
//   emftool <drawing.txt> <out.emf>
//
// Runs at build time under Wine.  The drawing is in sheet units (0.1 mm of
// the 2100 x 2970 sheet); the metafile's frame has the aspect of the printed
// page and its logical units are 0.01 mm of the frame, so the sheet is
// squeezed down into it.  Text is laid out here from the font's outline
// metrics and recorded with explicit character advances, so it keeps its
// layout on any device (the reference device, the screen, is far too
// coarse to lay text out for paper).
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/win/GdiHandles.h"
#include "tools/Utf8.h"

namespace {

using cl::OwnedBrush;
using cl::OwnedDC;
using cl::OwnedFont;
using cl::OwnedPen;
using cl::SelectedObject;
using tools::Widen;

// ------------------------------------------------------------ text metrics

constexpr int kMeasureEm = 2048;                  // pixels per em of the measuring font
constexpr double kUnitsPerPoint = 2540.0 / 72.0;  // 0.01 mm

LOGFONTW ArialFont(int height, int width, bool bold, bool italic) {
    LOGFONTW lf{};
    lf.lfHeight = -height;
    lf.lfWidth = width;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic ? TRUE : FALSE;
    lf.lfCharSet = EASTEUROPE_CHARSET;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    wcscpy(lf.lfFaceName, L"Arial");
    return lf;
}

// Advances and vertical metrics of Arial at one em, measured on a memory
// device with a large font so that hinting does not distort them.
class Measurer {
public:
    Measurer() : dc_(CreateCompatibleDC(nullptr)) {
        if (!dc_) throw std::runtime_error("no memory device context");
    }

    struct Metrics {
        double ascent, descent;  // in ems
    };

    // Cumulative advance after each character, in ems.
    std::vector<double> Advances(const std::wstring& text, bool bold, bool italic) {
        Font f = Select(bold, italic);
        std::vector<double> out;
        if (text.empty()) return out;
        std::vector<int> ext(text.size());
        SIZE size;
        int fit = 0;
        if (!GetTextExtentExPointW(dc_.get(), text.c_str(), static_cast<int>(text.size()), 0, &fit,
                                   ext.data(), &size))
            throw std::runtime_error("text cannot be measured");
        for (int e : ext) out.push_back(static_cast<double>(e) / kMeasureEm);
        return out;
    }

    Metrics Get(bool bold, bool italic) {
        Font f = Select(bold, italic);
        TEXTMETRICW tm;
        GetTextMetricsW(dc_.get(), &tm);
        return {double(tm.tmAscent) / kMeasureEm, double(tm.tmDescent) / kMeasureEm};
    }

private:
    struct Font {
        OwnedFont font;
        std::unique_ptr<SelectedObject> sel;
    };
    Font Select(bool bold, bool italic) {
        LOGFONTW lf = ArialFont(kMeasureEm, 0, bold, italic);
        lf.lfQuality = NONANTIALIASED_QUALITY;
        Font f{OwnedFont(CreateFontIndirectW(&lf)), nullptr};
        if (!f.font) throw std::runtime_error("Arial cannot be created");
        f.sel = std::make_unique<SelectedObject>(dc_.get(), f.font.get());
        return f;
    }
    OwnedDC dc_;
};

// ------------------------------------------------------------ the recorder

struct Style {
    int size10;  // tenths of a point
    bool bold;
    bool italic;
};

Style ParseStyle(int size10, const std::string& s) {
    return {size10, s.find('b') != std::string::npos, s.find('i') != std::string::npos};
}

class Recorder {
public:
    // sheetW x sheetH in 0.1 mm; the frame in 0.01 mm.
    Recorder(const std::wstring& path, int sheetW, int sheetH, int frameW, int frameH) {
        const cl::WindowDC ref(nullptr);
        if (!ref) throw std::runtime_error("no screen device context");
        RECT frame{0, 0, frameW, frameH};
        dc_ = CreateEnhMetaFileW(ref.get(), path.c_str(), &frame, L"Sprawozdawca\0form page\0");
        if (!dc_) throw std::runtime_error("the metafile cannot be created");
        // Logical units are 0.01 mm of the frame, the same across and down:
        // text recorded under a mapping that stretches one way is played
        // narrower than its font (by Wine).  The frame is measured in the
        // reference device's pixels (as the header describes it); large
        // extents keep the ratio exact to a millionth.
        constexpr int K = 100;
        double pxX = frameW / 100.0 * GetDeviceCaps(ref.get(), HORZRES) / GetDeviceCaps(ref.get(), HORZSIZE);
        double pxY = frameH / 100.0 * GetDeviceCaps(ref.get(), VERTRES) / GetDeviceCaps(ref.get(), VERTSIZE);
        SetMapMode(dc_, MM_ANISOTROPIC);
        SetWindowExtEx(dc_, frameW * K, frameH * K, nullptr);
        SetViewportExtEx(dc_, static_cast<int>(std::lround(pxX * K)), static_cast<int>(std::lround(pxY * K)),
                         nullptr);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, RGB(0, 0, 0));
        SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
        // The sheet (0.01 mm) onto the frame: across as it is, down by yScale.
        xScale_ = frameW / (sheetW * 10.0);
        yScale_ = frameH / (sheetH * 10.0);
    }

    ~Recorder() {
        if (dc_) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
    }

    void Close() {
        HENHMETAFILE emf = CloseEnhMetaFile(dc_);
        dc_ = nullptr;
        if (!emf) throw std::runtime_error("the metafile cannot be closed");
        DeleteEnhMetaFile(emf);
    }

    void Line(int x1, int y1, int x2, int y2, int width) {
        const OwnedPen pen(CreatePen(PS_SOLID, X(width * 10), RGB(0, 0, 0)));
        const SelectedObject s(dc_, pen.get());
        MoveToEx(dc_, X(x1 * 10), Y(y1 * 10), nullptr);
        LineTo(dc_, X(x2 * 10), Y(y2 * 10));
    }

    // A dotted rule: short dashes, as on a printed form's writing line.
    void Dots(int x1, int y, int x2, int width) {
        for (int x = x1; x < x2; x += 10) Line(x, y, std::min(x + 4, x2), y, width);
    }

    void Box(int x1, int y1, int x2, int y2, int width) {
        const OwnedPen pen(CreatePen(PS_SOLID, X(width * 10), RGB(0, 0, 0)));
        const SelectedObject s(dc_, pen.get());
        const SelectedObject b(dc_, GetStockObject(NULL_BRUSH));
        Rectangle(dc_, X(x1 * 10), Y(y1 * 10), X(x2 * 10), Y(y2 * 10));
    }

    void Fill(int x1, int y1, int x2, int y2, int gray) {
        const OwnedBrush brush(CreateSolidBrush(RGB(gray, gray, gray)));
        const SelectedObject s(dc_, GetStockObject(NULL_PEN));
        const SelectedObject b(dc_, brush.get());
        Rectangle(dc_, X(x1 * 10), Y(y1 * 10), X(x2 * 10), Y(y2 * 10));
    }

    // One line of text on baseline y; align 'l', 'c' or 'r' about x.
    void Text(int x, int y, Style st, char align, const std::wstring& text) {
        double w = Width(st, text);
        double x0 = x * 10.0 - (align == 'c' ? w / 2 : align == 'r' ? w : 0);
        Draw(x0, y * 10.0, st, text);
    }

    // Left-aligned label in [x1, x2], its last line on baseline `base`, the
    // lines above it reaching no higher than `top`.  Shrinks the type by
    // half points (not below 5.5 pt) when the lines do not fit.
    void WrapBottom(int x1, int x2, int top, int base, Style st, const std::wstring& text) {
        for (;;) {
            std::vector<std::wstring> lines = Wrap(st, text, (x2 - x1) * 10.0);
            double lh = LineHeight(st);
            double firstBase = base * 10.0 - (lines.size() - 1) * lh;
            if (firstBase - Ascent(st) >= top * 10.0) {
                for (size_t i = 0; i < lines.size(); ++i) Draw(x1 * 10.0, firstBase + i * lh, st, lines[i]);
                return;
            }
            Shrink(st);
        }
    }

    // Centred caption in the box [x1, x2] x [top, bottom].
    void WrapCentre(int x1, int x2, int top, int bottom, Style st, const std::wstring& text) {
        for (;;) {
            std::vector<std::wstring> lines = Wrap(st, text, (x2 - x1) * 10.0);
            double lh = LineHeight(st);
            double block = (lines.size() - 1) * lh + Ascent(st) + Descent(st);
            double room = (bottom - top) * 10.0;
            if (block <= room) {
                double base = top * 10.0 + (room - block) / 2 + Ascent(st);
                for (size_t i = 0; i < lines.size(); ++i) {
                    double w = Width(st, lines[i]);
                    Draw((x1 + x2) * 5.0 - w / 2, base + i * lh, st, lines[i]);
                }
                return;
            }
            Shrink(st);
        }
    }

private:
    // The layout is in 0.01 mm of the sheet; the metafile in 0.01 mm of the frame.
    int X(double x) const { return static_cast<int>(std::lround(x * xScale_)); }
    int Y(double y) const { return static_cast<int>(std::lround(y * yScale_)); }

    // Sizes on the sheet: the em is in its units down; across, glyphs keep
    // Arial's proportions on paper, where a sheet unit down is yScale of one.
    double Em(Style st) const { return st.size10 / 10.0 * kUnitsPerPoint; }
    double EmAcross(Style st) const { return Em(st) * yScale_ / xScale_; }
    double Ascent(Style st) { return measurer_.Get(st.bold, st.italic).ascent * Em(st); }
    double Descent(Style st) { return measurer_.Get(st.bold, st.italic).descent * Em(st); }
    double LineHeight(Style st) { return 1.1 * Em(st); }

    double Width(Style st, const std::wstring& text) {
        std::vector<double> adv = measurer_.Advances(text, st.bold, st.italic);
        return adv.empty() ? 0 : adv.back() * EmAcross(st);
    }

    static void Shrink(Style& st) {
        st.size10 -= 5;
        if (st.size10 < 55) throw std::runtime_error("text does not fit its place even at 5.5 pt");
    }

    std::vector<std::wstring> Wrap(Style st, const std::wstring& text, double width) {
        std::vector<std::wstring> lines;
        std::wstring line;
        std::wistringstream words(text);
        std::wstring word;
        while (words >> word) {
            std::wstring candidate = line.empty() ? word : line + L" " + word;
            if (!line.empty() && Width(st, candidate) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
        }
        lines.push_back(line);
        for (const std::wstring& l : lines)
            if (Width(st, l) > width) throw std::runtime_error("a word is wider than its column");
        return lines;
    }

    // Records the text with advances rounded cumulatively, so no error
    // builds up along the line.  Played small, the system's own spacing of
    // letters is snapped to whole pixels and far from the layout (narrower
    // at some sizes, wider at others); the preview plays a small page large
    // and averages it down, so the advances place letters drawn near their
    // true shapes.
    void Draw(double x, double y, Style st, const std::wstring& text) {
        if (text.empty()) return;
        std::vector<double> adv = measurer_.Advances(text, st.bold, st.italic);
        std::vector<INT> dx(text.size());
        long prev = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            long cum = X(adv[i] * EmAcross(st));
            dx[i] = static_cast<INT>(cum - prev);
            prev = cum;
        }
        // The font in the frame's units, at its own proportions: on paper the
        // frame is the page, so letters print as Arial's.
        LOGFONTW lf = ArialFont(Y(Em(st)), 0, st.bold, st.italic);
        const OwnedFont font(CreateFontIndirectW(&lf));
        const SelectedObject s(dc_, font.get());
        if (!ExtTextOutW(dc_, X(x), Y(y), 0, nullptr, text.c_str(), static_cast<UINT>(text.size()),
                         dx.data()))
            throw std::runtime_error("text cannot be recorded");
    }

    HDC dc_ = nullptr;
    double xScale_ = 1, yScale_ = 1;
    Measurer measurer_;
};

// ------------------------------------------------------------ the drawing

// Reads "op a b c ... rest-of-line text" lines; numbers first, text last.
struct Command {
    std::string op;
    std::vector<std::string> args;
    std::string text;  // the rest of the line after the numeric arguments
};

Command ParseLine(const std::string& line, size_t numericArgs) {
    std::istringstream in(line);
    Command c;
    in >> c.op;
    for (size_t i = 0; i < numericArgs && in; ++i) {
        std::string a;
        in >> a;
        c.args.push_back(a);
    }
    std::getline(in >> std::ws, c.text);
    return c;
}

int Arg(const Command& c, size_t i) {
    if (i >= c.args.size()) throw std::runtime_error("missing argument to " + c.op);
    return std::stoi(c.args[i]);
}

void Record(const std::string& drawingPath, const std::wstring& outPath) {
    std::ifstream in(drawingPath, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + drawingPath);
    std::unique_ptr<Recorder> rec;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::string op = line.substr(0, line.find(' '));
        try {
            if (op == "frame") {
                Command c = ParseLine(line, 4);
                rec = std::make_unique<Recorder>(outPath, Arg(c, 0), Arg(c, 1), Arg(c, 2), Arg(c, 3));
                continue;
            }
            if (!rec) throw std::runtime_error("the drawing does not start with its frame");
            if (op == "line") {
                Command c = ParseLine(line, 5);
                rec->Line(Arg(c, 0), Arg(c, 1), Arg(c, 2), Arg(c, 3), Arg(c, 4));
            } else if (op == "dots") {
                Command c = ParseLine(line, 4);
                rec->Dots(Arg(c, 0), Arg(c, 1), Arg(c, 2), Arg(c, 3));
            } else if (op == "box") {
                Command c = ParseLine(line, 5);
                rec->Box(Arg(c, 0), Arg(c, 1), Arg(c, 2), Arg(c, 3), Arg(c, 4));
            } else if (op == "fill") {
                Command c = ParseLine(line, 5);
                rec->Fill(Arg(c, 0), Arg(c, 1), Arg(c, 2), Arg(c, 3), Arg(c, 4));
            } else if (op == "text") {
                Command c = ParseLine(line, 5);
                rec->Text(Arg(c, 0), Arg(c, 1), ParseStyle(Arg(c, 2), c.args[3]), c.args[4][0],
                          Widen(c.text));
            } else if (op == "wrapb" || op == "wrapc") {
                Command c = ParseLine(line, 6);
                Style st = ParseStyle(Arg(c, 4), c.args[5]);
                if (op == "wrapb")
                    rec->WrapBottom(Arg(c, 0), Arg(c, 1), Arg(c, 2), Arg(c, 3), st, Widen(c.text));
                else
                    rec->WrapCentre(Arg(c, 0), Arg(c, 1), Arg(c, 2), Arg(c, 3), st, Widen(c.text));
            } else {
                throw std::runtime_error("unknown drawing command");
            }
        } catch (const std::exception& e) {
            throw std::runtime_error(drawingPath + ":" + std::to_string(lineNo) + ": " + e.what() + ": " +
                                     line);
        }
    }
    if (!rec) throw std::runtime_error(drawingPath + ": empty drawing");
    rec->Close();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: emftool drawing.txt out.emf\n");
        return 2;
    }
    std::wstring out = Widen(argv[2]);
    try {
        Record(argv[1], out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "emftool: %s\n", e.what());
        DeleteFileW(out.c_str());
        return 1;
    }
    return 0;
}
