#pragma once
// The wizard's edge-drawing routine: lines along chosen sides of a
// rectangle, etched (a highlight line under a shadow line) or single.

#include "classlib/win/Graphics.h"

enum TXcWizardEdgeSide : unsigned { esLeft = 1, esTop = 2, esRight = 4, esBottom = 8 };
constexpr unsigned kXcWizardAllEdges = esLeft | esTop | esRight | esBottom;
enum class TXcWizardEdgeStyle { None, Single, Etched };

// Draws the sides of r and shrinks r past them (2 pixels etched, 1 single).
void DrawWizardEdges(cl::TCanvas& canvas, cl::TRect& r, unsigned sides, TXcWizardEdgeStyle style);
