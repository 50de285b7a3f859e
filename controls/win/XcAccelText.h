#pragma once
// A caption drawn with its access key underlined under the letter's ink.
// Wine's DrawText puts the line letters further on ("Zapisz sprawozdanie
// &jako..." has it under the "k") and draws it even with DT_HIDEPREFIX:
// the text is drawn without prefixes and the line under the letter.

#include <string>

#include "classlib/win/Graphics.h"

// As TCanvas::DrawText with flags (no DT_CALCRECT): "&" marks the access
// key, "&&" is one "&"; DT_NOPREFIX and DT_HIDEPREFIX draw no line.
void DrawAccelText(cl::TCanvas& canvas, const std::string& text, cl::TRect r, UINT flags);
