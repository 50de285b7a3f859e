#include "engine/calc1_d.h"

namespace {

// Row makers: each fixes the columns its kind of row always has; the
// generated rows give the rest.
enum Entry : bool { Computed = false, Typed = true };

constexpr std::string_view kDateMask = "99\\.99\\.9999;1;_";

// Columns not named here are blank in every row: no hint, help context,
// colour, combo items, bounds, word wrap, spacing, events or shared slot.
constexpr TEField Row(int32_t page, bool enabled, int32_t dataType, uint8_t editType, int32_t fontSize,
                      std::string_view mask, int32_t precision, uint8_t alignment, uint8_t layout,
                      int32_t left, int32_t top, int32_t width, int32_t height, TFieldValidator onChange,
                      uint16_t n) {
    return TEField{.Page = page,
                   .Enabled = enabled,
                   .ShowHint = page != 0 && page != 1000,
                   .DataType = dataType,
                   .EditType = editType,
                   .FontSize = fontSize,
                   .EditMask = mask,
                   .NumPrecision = precision,
                   .Alignment = alignment,
                   .Layout = layout,
                   .Left = left,
                   .Top = top,
                   .Width = width,
                   .Height = height,
                   .OnChange = onChange,
                   .DataIdx = n};
}

constexpr TEField Sentinel(int32_t page, uint16_t n) {
    return Row(page, false, kDataUnknown, ie_none, 9, "", 0, taLeftJustify, tlCenter, 0, 0, 0, 0, nullptr, n);
}

constexpr TEField Text(int32_t page, int32_t fontSize, int32_t precision, TFieldLayout layout, int32_t left,
                       int32_t top, int32_t width, int32_t height, uint16_t n) {
    return Row(page, true, kDataString, ie_text, fontSize, "", precision, taLeftJustify, layout, left, top,
               width, height, nullptr, n);
}

constexpr TEField Date(int32_t page, TFieldLayout layout, int32_t left, int32_t top, int32_t width,
                       int32_t height, uint16_t n) {
    return Row(page, true, kDataString, ie_maskedit, 7, kDateMask, 0, taLeftJustify, layout, left, top, width,
               height, DataUr_ValChange, n);
}

constexpr TEField Amount(int32_t page, Entry entry, TFieldLayout layout, TFieldValidator validator,
                         int32_t left, int32_t top, int32_t width, int32_t height, uint16_t n) {
    return Row(page, entry == Typed, kDataCurrency, ie_currency, 7, "", 2, taRightJustify, layout, left, top,
               width, height, validator, n);
}

}  // namespace

const IndexedTable<TEField, kFirstFieldID, kLastFieldID> TEFieldTable{{
#define FIELD_ROWS
#include "engine/calc1_d_table.inc"
#undef FIELD_ROWS
}};

const IndexedTable<TBalancePosition, kFirstFieldID, kLastBalanceID> BalancePositionTable{{
#define BALANCE_ROWS
#include "engine/calc1_d_table.inc"
#undef BALANCE_ROWS
}};
