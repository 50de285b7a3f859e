#include "app/FocFieldDefinition.h"

#include <array>

namespace {

// One row per kind that writes a definition.
struct TKindRow {
    const char* kind;
    const char* dataType;
    const char* editType;  // as the field table spells it
    bool maskFromList;     // EditMask and OnChange from ComboBox2
    int precision;
    const char* alignment;
    const char* layout;
    const char* onChange;
};

constexpr TKindRow kKinds[] = {
    {"ie_text", "varString", "ie_text", false, 0, "taLeftJustify", "tlCenter", "Nil"},
    {"ie_checkbox", "varBoolean", "ie_CheckBox", false, 0, "taLeftJustify", "tlCenter", "Nil"},
    {"ie_currency", "varCurrency", "ie_currency", false, 2, "taRightJustify", "tlBottom", "Kwota2_ValChange"},
    {"ie_maskedit", "varString", "ie_maskedit", true, 0, "taLeftJustify", "tlCenter", nullptr},
    {"ie_int", "varInteger", "ie_int", false, 2, "taRightJustify", "tlBottom", "Int_ValChange"},
    {"ie_memo", "varString", "ie_memo", false, 0, "taLeftJustify", "tlTop", "Nil"},
};

// The validator of a masked field, by the mask's place in ComboBox2's list.
const char* MaskValidator(int maskIndex) {
    constexpr std::array<const char*, 4> validators = {"Nil", "NIP_ValChange", "Rok_ValChange",
                                                       "DataUr_ValChange"};
    return maskIndex >= 1 && maskIndex <= 3 ? validators[static_cast<size_t>(maskIndex)] : "Nil";
}

}  // namespace

const std::vector<std::string> kFocFieldKinds = {"ie_none",     "ie_text",      "ie_date",     "ie_calc",
                                                 "ie_checkbox", "ie_checklist", "ie_currency", "ie_button",
                                                 "ie_maskedit", "ie_int",       "ie_memo"};

const std::vector<std::string> kFocFieldMasks = {"", "999\\-999\\-99\\-99;1;_", "9999;1;_",
                                                 "99\\.99\\.9999;1;_"};

const std::vector<std::string> kFocSharedIds = {"0", "1", "2"};

std::string FocFieldName(const TFocFieldChoice& c) {
    std::string name = c.Prefix + std::to_string(c.MainNumber);
    if (c.SecondaryNumber >= 1) name += "_" + std::to_string(c.SecondaryNumber);
    return name;
}

std::vector<std::string> FocFieldLines(const TFocFieldChoice& c) {
    const TKindRow* row = nullptr;
    for (const TKindRow& k : kKinds)
        if (c.Kind == k.kind) row = &k;
    if (!row) return {};
    const std::string name = FocFieldName(c);
    const std::string mask = row->maskFromList ? c.Mask : std::string();
    const char* onChange = row->maskFromList ? MaskValidator(c.MaskIndex) : row->onChange;
    return {
        "({" + name + "}",
        "Page: " + std::to_string(c.Page) + "; Enabled: True; Hint: ''; ShowHint: True; HelpContext: 0; ",
        std::string("DataType: ") + row->dataType + "; EditType: " + row->editType +
            "; FontColor: clBlack; FontSize: " + std::to_string(c.FontSize) + "; ",
        "ComboStyle: csDropDown; ComboItemsID: Nil; Min: 0; Max: 0; Increment: 0; ",
        "EditMask: '" + mask + "'; NumPrecision: " + std::to_string(row->precision) +
            "; Alignment: " + row->alignment + "; WordWrap: False; ",
        std::string("CharDist: 0; Layout: ") + row->layout + "; ",
        std::string("OnChange: ") + onChange +
            "; OnChanged : Nil; OnDataPaint: Nil; SharedIdx: " + c.SharedId + "; ",
        "DataIdx: " + name + "),",
    };
}

std::string FocFieldPlacement(int startX, int endX, int endY) {
    return "Left: " + std::to_string(startX) + "; Top: " + std::to_string(endY - 35) +
           "; Width: " + std::to_string(endX - startX) + "; Height: 35; ";
}
