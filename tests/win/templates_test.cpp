// The installed page templates: valid metafiles at the printed page's
// aspect, titled, with the label of every amount field's line drawn on the
// row where the field's value lands, on screen and on paper.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/FormCatalogue.h"
#include "engine/calc1_d.h"
#include "tests/engine/LayoutRows.h"

namespace {

using enginetest::kLayoutRows;
using enginetest::LayoutRow;

constexpr double kSheetW = 2100, kSheetH = 2970;

std::wstring FromCp1250(std::string_view s) {
    std::wstring w(s.size(), L'\0');
    int n = MultiByteToWideChar(1250, 0, s.data(), static_cast<int>(s.size()), w.data(),
                                static_cast<int>(w.size()));
    w.resize(n);
    return w;
}

// A text record placed on the sheet: its reference point (the baseline's
// start) in sheet units.
struct TextRun {
    double x, y;
    std::wstring text;
};

struct Template {
    ENHMETAHEADER header{};
    std::vector<TextRun> runs;
    bool mapped = false;  // logical units are 0.01 mm of the frame, the sheet fills it
};

// Reads the records, following the window and viewport extents that map
// the logical sheet to the reference device, and the header's device size.
Template Load(const std::string& form, int page) {
    std::wstring path =
        FromCp1250(std::string(SPRAW_FRM_DIR) + "/" + form + "_" + std::to_string(page) + ".emf");
    HENHMETAFILE emf = GetEnhMetaFileW(path.c_str());
    EXPECT_NE(emf, nullptr) << form << "_" << page;
    Template t;
    if (!emf) return t;
    std::vector<BYTE> bits(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(bits.size()), bits.data());
    DeleteEnhMetaFile(emf);
    std::memcpy(&t.header, bits.data(), sizeof(t.header));

    SIZE win{1, 1}, view{1, 1};
    const double frameW = t.header.rclFrame.right - t.header.rclFrame.left;
    const double frameH = t.header.rclFrame.bottom - t.header.rclFrame.top;
    // Logical unit -> 0.01 mm of the frame -> sheet units.
    auto toSheet = [&](double lx, double ly) {
        double px = lx * view.cx / win.cx, py = ly * view.cy / win.cy;
        double mmX = px * t.header.szlMillimeters.cx * 100.0 / t.header.szlDevice.cx;
        double mmY = py * t.header.szlMillimeters.cy * 100.0 / t.header.szlDevice.cy;
        return std::pair<double, double>(mmX / frameW * kSheetW, mmY / frameH * kSheetH);
    };
    for (size_t pos = 0; pos + sizeof(EMR) <= bits.size();) {
        const EMR* rec = reinterpret_cast<const EMR*>(bits.data() + pos);
        if (rec->nSize == 0) break;
        switch (rec->iType) {
            case EMR_SETWINDOWEXTEX:
                win = reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(rec)->szlExtent;
                break;
            case EMR_SETVIEWPORTEXTEX:
                view = reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(rec)->szlExtent;
                break;
            case EMR_EXTTEXTOUTW: {
                const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
                const wchar_t* s =
                    reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) + r->emrtext.offString);
                auto [x, y] = toSheet(r->emrtext.ptlReference.x, r->emrtext.ptlReference.y);
                t.runs.push_back({x, y, std::wstring(s, r->emrtext.nChars)});
                break;
            }
        }
        pos += rec->nSize;
    }
    // Logical units are 0.01 mm of the frame, across and down alike, so the
    // frame's extent in them is the whole sheet.
    auto [right, bottom] = toSheet(frameW, frameH);
    t.mapped = std::abs(right - kSheetW) < 0.05 && std::abs(bottom - kSheetH) < 0.05;
    return t;
}

struct Page {
    int form, page;
};

std::vector<Page> AllPages() {
    std::vector<Page> out;
    for (int f = 1; f <= 8; ++f)
        for (int p = 1; p <= FormCatalogue[f].PageCount; ++p) out.push_back({f, p});
    return out;
}

std::string Name(Page p) {
    return std::string(FormCatalogue[p.form].Name) + "_" + std::to_string(p.page);
}

bool EndsWithWords(const std::wstring& text, const std::wstring& tail) {
    if (tail.empty() || text.size() < tail.size()) return false;
    if (text.compare(text.size() - tail.size(), tail.size(), tail) != 0) return false;
    return text.size() == tail.size() || text[text.size() - tail.size() - 1] == L' ';
}

TEST(Templates, AreMetafilesAtThePrintedPagesAspect) {
    int pages = 0;
    for (Page p : AllPages()) {
        SCOPED_TRACE(Name(p));
        Template t = Load(std::string(FormCatalogue[p.form].Name), p.page);
        EXPECT_EQ(t.header.iType, static_cast<DWORD>(EMR_HEADER));
        EXPECT_EQ(t.header.dSignature, static_cast<DWORD>(ENHMETA_SIGNATURE));
        const double aspect = double(t.header.rclFrame.bottom - t.header.rclFrame.top) /
                              (t.header.rclFrame.right - t.header.rclFrame.left);
        const double printScaleY = FormCatalogue[p.form].CalibEntry(p.page + 4).ScaleY;
        EXPECT_NEAR(aspect, kSheetH * printScaleY / kSheetW, 0.0005);
        EXPECT_TRUE(t.mapped);
        ++pages;
    }
    EXPECT_EQ(pages, 10);
}

TEST(Templates, EveryPageCarriesItsFormsTitle) {
    for (Page p : AllPages()) {
        Template t = Load(std::string(FormCatalogue[p.form].Name), p.page);
        const std::wstring title = FromCp1250(FormCatalogue[p.form].Title);
        bool found = std::any_of(t.runs.begin(), t.runs.end(), [&](const TextRun& r) {
            return r.text.compare(0, title.size(), title) == 0;
        });
        EXPECT_TRUE(found) << Name(p);
    }
}

// The label's last line shares the row with the field's value; the lines
// above it, up to four, complete the label.
TEST(Templates, AmountLabelsAreDrawnOnTheirFieldsRows) {
    for (Page p : AllPages()) {
        Template t = Load(std::string(FormCatalogue[p.form].Name), p.page);
        // On paper the sheet goes through the page's print correction.
        const TCalibration &c = FormCatalogue[p.form].CalibEntry(p.page),
                           &pc = FormCatalogue[p.form].CalibEntry(p.page + 4);
        for (const LayoutRow& row : kLayoutRows) {
            if (row.form != p.form || row.page != p.page) continue;
            SCOPED_TRACE(row.field);
            const std::wstring label = FromCp1250(row.label);
            const double top = ScreenTop(p.form, p.page, row.field),
                         bottom = ScreenBottom(p.form, p.page, row.field);
            std::vector<TextRun> column;
            for (const TextRun& r : t.runs)
                if (r.x >= row.labelLeft && r.x < row.labelRight) column.push_back(r);
            std::sort(column.begin(), column.end(),
                      [](const TextRun& a, const TextRun& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });

            const TextRun* last = nullptr;
            for (const TextRun& r : column)
                if (r.y >= top && r.y <= bottom) last = &r;
            ASSERT_NE(last, nullptr) << "no label text on the field's row";
            EXPECT_TRUE(EndsWithWords(label, last->text));

            std::wstring joined;
            for (const TextRun& r : column)
                if (r.y <= last->y + 0.5 && r.y > last->y - 4 * 30)
                    joined += (joined.empty() ? L"" : L" ") + r.text;
            EXPECT_TRUE(EndsWithWords(joined, label));

            const double onPaper = pc.ScaleY * (last->y - c.OffY) + c.OffY + pc.OffY;
            EXPECT_GE(onPaper, PrintTop(p.form, p.page, row.field));
            EXPECT_LE(onPaper, PrintBottom(p.form, p.page, row.field));
        }
    }
}

}  // namespace
