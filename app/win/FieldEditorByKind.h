#pragma once
// Which field editor a field's kind gets, opened on the field's value:
// the in-place editing makes its editors here, from the field's definition.

#include <cstdint>
#include <string>

#include "classlib/Variant.h"
#include "classlib/win/Controls.h"
#include "engine/calc1_d.h"

// A check-box field's value as a tick: Empty, Null and what is no Boolean
// are unticked.
bool FieldTicked(const cl::Variant& value);

// The editor for def's EditType over rect (the parent's pixels), owned by
// parent and showing the field's value (its display text); nullptr for a
// kind without an editor.  A check box opens on FieldTicked(value), then
// hears its clicks, then with toggle is flipped at once, which tells the
// main window as a click does.
cl::TWinControl* MakeFieldEditor(cl::TWinControl* parent, const TEField& def, uint16_t field,
                                 const cl::Variant& value, const std::string& text, const cl::TRect& rect,
                                 bool toggle);
