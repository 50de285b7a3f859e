#pragma once
// Every amount field's cell as tools/gen_layout.py lays it out: the rules
// around the cell and its row's label column, in sheet units (0.1 mm of the
// 2100 x 2970 sheet).

namespace enginetest {

struct LayoutRow {
    int form, page, field, bandTop, bandBottom, left, right, labelLeft, labelRight;
    const char* label;
};

inline constexpr LayoutRow kLayoutRows[] = {
#include "tests/engine/layout_rows.inc"
};

}  // namespace enginetest
