#pragma once
// Finding a field of the shown form: the one under a point of its page
// (what a click opens and the pointer frames), and the one Tab or
// Shift+Tab leads to from the open editor's.

#include "engine/calc1.h"

// The hit test's answer when no field lies under the point (real field
// numbers start at 4).
inline constexpr int kNoField = 3;

// The field of form's page under (x, y), given in 0.1 mm of the A4 sheet:
// edges included, the first in field order wins; kNoField when none.
int FieldAtPoint(const TemFrm& form, int page, double x, double y);

// The next (previous) Enabled field of form after (before) current, going
// round from the last field to the first (the first to the last); from no
// field of the form, the first (last) one.  Computed fields and the
// sentinels are passed over.  0 when there is no other such field.
int NextField(const TemFrm& form, int current);
int PrevField(const TemFrm& form, int current);

// The first (last) Enabled field of form's page: where Enter on the sheet
// begins typing, the keyboard's way to the click on a field.  0 when the
// page has none.
int FirstFieldOnPage(const TemFrm& form, int page, bool last);
