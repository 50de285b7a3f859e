#pragma once
// Where a field of the shown page lies in the print preview: its screen
// rectangle (0.1 mm of the A4 sheet the templates are drawn on) mapped onto
// the paper the preview shows, as the template is.  Painting places the
// values by it; the hit test and the field editors place by it too.

#include "classlib/win/Graphics.h"
#include "preview/win/PvPreview.h"

// The field's rectangle on the preview's paper, in the preview's Units.
cl::TRect FieldPaperRect(const TPrintPreview& preview, int formNo, int page, int field);
// The same in the sheet's pixels at the current zoom, or with toPreview in
// the preview's client pixels (where an editor goes).
cl::TRect FieldScreenRect(TPrintPreview& preview, int formNo, int page, int field, bool toPreview = false);
// A length across the sheet (0.1 mm) in the sheet's pixels at the current zoom.
int SheetWidthOnScreen(TPrintPreview& preview, int width);
