#include "app/win/FieldPlacement.h"

#include "app/SheetMapping.h"

using namespace cl;

namespace {

TRect OnPaper(const TPrintPreview& preview, const TPlacedRect& sheet) {
    const TPlacedRect r = SheetRectOnPaper(sheet, preview.PaperWidth(), preview.PaperHeight());
    return Rect(r.Left, r.Top, r.Right, r.Bottom);
}

}  // namespace

TRect FieldPaperRect(const TPrintPreview& preview, int formNo, int page, int field) {
    return OnPaper(preview, {ScreenLeft(formNo, page, field), ScreenTop(formNo, page, field),
                             ScreenRight(formNo, page, field), ScreenBottom(formNo, page, field)});
}

TRect FieldScreenRect(TPrintPreview& preview, int formNo, int page, int field, bool toPreview) {
    return preview.PaperToScreenRect(FieldPaperRect(preview, formNo, page, field), toPreview);
}

int SheetWidthOnScreen(TPrintPreview& preview, int width) {
    const TRect r = preview.PaperToScreenRect(OnPaper(preview, {0, 0, width, 0}));
    return r.right - r.left;
}
