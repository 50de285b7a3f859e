#include "app/FieldNavigation.h"

#include <algorithm>

namespace {

// Field numbers outside the table are never a form's fields.
int FirstField(const TemFrm& form) {
    return std::max<int>(form.FirstID + 1, kFirstFieldID);
}
int LastField(const TemFrm& form) {
    return std::min<int>(form.LastID - 1, kLastFieldID);
}

// Walks round the form's fields from current by step (+1 or -1) to the
// first Enabled one other than current; once round is enough.
int StepToEnabled(const TemFrm& form, int current, int step) {
    const int first = FirstField(form), last = LastField(form);
    if (first > last) return 0;
    const int count = last - first + 1;
    const bool inForm = current >= first && current <= last;
    // From outside the form the walk starts just before the first field
    // (after the last one going back).
    int index = inForm ? current - first : (step > 0 ? -1 : count);
    for (int i = 0; i < count; ++i) {
        index = (index + step + count) % count;
        const int field = first + index;
        if (field == current) return 0;
        if (TEFieldTable[field].Enabled) return field;
    }
    return 0;
}

}  // namespace

int FieldAtPoint(const TemFrm& form, int page, double x, double y) {
    for (int i = FirstField(form); i <= LastField(form); ++i) {
        const int fieldPage = TEFieldTable[i].Page;
        if (fieldPage > page) break;  // the fields are in page order
        if (fieldPage != page) continue;
        if (x >= ScreenLeft(form.FormNo, page, i) && x <= ScreenRight(form.FormNo, page, i) &&
            y >= ScreenTop(form.FormNo, page, i) && y <= ScreenBottom(form.FormNo, page, i))
            return i;
    }
    return kNoField;
}

int NextField(const TemFrm& form, int current) {
    return StepToEnabled(form, current, 1);
}

int PrevField(const TemFrm& form, int current) {
    return StepToEnabled(form, current, -1);
}

int FirstFieldOnPage(const TemFrm& form, int page, bool last) {
    int found = 0;
    for (int i = FirstField(form); i <= LastField(form); ++i) {
        const TEField& field = TEFieldTable[i];
        if (field.Page > page) break;  // the fields are in page order
        if (field.Page != page || !field.Enabled) continue;
        found = i;
        if (!last) break;
    }
    return found;
}
