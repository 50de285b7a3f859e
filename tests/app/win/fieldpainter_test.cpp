// The field painter's cells: a field of one character per printed cell
// walks its mask, a cell per digit and a box as wide as each literal.
#include "app/win/FieldPainter.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

using namespace cl;

struct Placed {
    wchar_t c;
    int x, width;
};

std::vector<Placed> Texts(HENHMETAFILE emf) {
    std::vector<BYTE> bits(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(bits.size()), bits.data());
    std::vector<Placed> out;
    for (size_t pos = 0; pos + sizeof(EMR) <= bits.size();) {
        const EMR* rec = reinterpret_cast<const EMR*>(bits.data() + pos);
        if (rec->nSize == 0) break;
        if (rec->iType == EMR_EXTTEXTOUTW) {
            const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
            const BYTE* base = reinterpret_cast<const BYTE*>(r);
            const auto* chars = reinterpret_cast<const wchar_t*>(base + r->emrtext.offString);
            const auto* dx = reinterpret_cast<const INT*>(base + r->emrtext.offDx);
            if (r->emrtext.nChars == 1) out.push_back({chars[0], r->emrtext.ptlReference.x, dx[0]});
        }
        pos += rec->nSize;
    }
    return out;
}

TEST(PaintField, ACellFieldPutsEachCharacterInTheNextCellAlongItsMask) {
    TEField field{};
    field.EditType = 8;
    field.Layout = tlBottom;
    field.EditMask = "99\\.99;1;_";
    TMetafile page;
    page.SetWidth(400);
    page.SetHeight(100);
    {
        TMetafileCanvas canvas(&page, nullptr);
        PaintField(canvas, field, "12.34", Rect(100, 10, 300, 40), 9, 20);
    }
    const std::vector<Placed> texts = Texts(page.Handle());
    ASSERT_EQ(texts.size(), 5u);
    const int point = texts[2].width;  // the literal's box is as wide as it
    const int cells[] = {100, 120, 140, 140 + point, 160 + point};
    const wchar_t chars[] = L"12.34";
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(texts[i].c, chars[i]);
        const int width = i == 2 ? point : 20;
        // Centred in its cell (to the pixel DrawText rounds to).
        EXPECT_NEAR(texts[i].x + texts[i].width / 2.0, cells[i] + width / 2.0, 1);
    }
}

}  // namespace
