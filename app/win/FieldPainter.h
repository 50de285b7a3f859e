#pragma once
// One field's value drawn over its page: on the preview's sheet and, the
// same way, on the printer.  The caller places the field (its rectangle in
// the canvas's coordinates) and sizes its font; the painter does the rest
// from the field's definition.

#include <string>

#include "classlib/win/Graphics.h"
#include "engine/calc1_d.h"

// Draws text (Windows-1250, the field's display text) into rect of canvas
// in bold Arial of fontSize points times fontScale and the field's colour,
// placed by its Alignment and Layout, always breaking at words.  An empty
// text draws nothing.  Amounts, dates and the kinds 8 and 10 get a white
// box under the text; kind 8 puts one character in each cell of cellWidth
// (canvas units) along its mask.  A text too large for rect is drawn in
// the largest smaller font in which it fits whole; one that fits is drawn
// as it is.  On the screen the fit is measured once per text, box size and
// font size.  Of a text longer than any value the program keeps (30 000
// characters) only that much is drawn.  The canvas keeps the white pen and
// brush; its font is restored.
void PaintField(cl::TCanvas& canvas, const TEField& field, const std::string& text, const cl::TRect& rect,
                int fontSize, int cellWidth, double fontScale = 1.0);
