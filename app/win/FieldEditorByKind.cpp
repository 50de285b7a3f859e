#include "app/win/FieldEditorByKind.h"

#include "app/win/EEdits.h"

using namespace cl;

namespace {

// The editor kinds the field table does not name (it uses text, amounts, dates).
constexpr uint8_t kCheckBoxEdit = 4;
constexpr uint8_t kCellEdit = 8;
constexpr uint8_t kIntegerEdit = 10;
constexpr uint8_t kMemoEdit = 11;

}  // namespace

bool FieldTicked(const Variant& value) {
    if (value.IsEmpty() || value.IsNull()) return false;
    try {
        return value.ToBool();
    } catch (const Exception&) {
        // A value that is no Boolean shows as unticked; ticking stores one.
        return false;
    }
}

TWinControl* MakeFieldEditor(TWinControl* parent, const TEField& def, uint16_t field, const Variant& value,
                             const std::string& text, const TRect& rect, bool toggle) {
    switch (def.EditType) {
        case ie_text:
            return new TEEdit(parent, parent, rect, text);
        case kCheckBoxEdit: {
            auto* box = new TEChBox(parent, parent, rect, "");
            box->SetTag(field);
            box->SetChecked(FieldTicked(value));
            // Attached after the initial state, so that setting it tells nobody.
            box->OnClick = [box](TObject* s) { box->ClickNotify(s); };
            if (toggle) box->SetChecked(!box->Checked());
            return box;
        }
        case ie_currency:
            return new TEFloatEdit(parent, parent, rect, text, static_cast<uint8_t>(def.NumPrecision));
        case kCellEdit:
        case ie_maskedit:
            return new TEMaskEdit(parent, parent, rect, text, std::string(def.EditMask));
        case kIntegerEdit:
            return new TEIntEdit(parent, parent, rect, text);
        case kMemoEdit:
            return new TEMemo(parent, parent, rect, text);
        default:
            return nullptr;
    }
}
