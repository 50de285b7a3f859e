#pragma once
// The field-definition table: one TEField per field number 4..1115, and the
// horizontal placement of the balance-sheet fields.  Constant data; the
// rows come from the forms' layout descriptions (data/layouts/).

#include <cstdint>
#include <string_view>

#include "engine/Validators.h"

// An array indexed Lo..Hi, as the tables are numbered by field number.
template <typename T, int Lo, int Hi>
struct IndexedTable {
    static constexpr int Low = Lo;
    static constexpr int High = Hi;
    T Items[Hi - Lo + 1];

    constexpr const T& operator[](int i) const { return Items[i - Lo]; }
    static constexpr bool Contains(int i) { return i >= Lo && i <= Hi; }
    constexpr const T* begin() const { return Items; }
    constexpr const T* end() const { return Items + (Hi - Lo + 1); }
};

// Editor kinds the table uses (the other kinds belong to the editors).
enum TEditType : uint8_t { ie_none = 0, ie_text = 1, ie_currency = 6, ie_maskedit = 9 };
enum TFieldAlignment : uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum TFieldLayout : uint8_t { tlTop = 0, tlCenter = 1, tlBottom = 2 };

// Variant type codes of the DataType column.
constexpr int32_t kDataCurrency = 6;
constexpr int32_t kDataUnknown = 13;  // sentinel rows
constexpr int32_t kDataString = 256;

// Event slots of a definition; nil in every row.
using TFieldNotifyEvent = void (*)(void* Sender);
using TFieldDataPaintEvent = void (*)(void* Sender, const cl::Variant& Value);

struct TEField {
    int32_t Page{};  // 1 or 2; 0 a form's start sentinel, 1000 its end sentinel
    bool Enabled{};  // False for computed fields and sentinels
    std::string_view Hint{};
    bool ShowHint{};
    int32_t HelpContext{};
    int32_t DataType{};
    uint8_t EditType{};   // TEditType
    int32_t FontColor{};  // $00BBGGRR
    int32_t FontSize{};   // points
    uint8_t ComboStyle{};
    const void* ComboItemsID{};
    int16_t Min{};
    int16_t Max{};
    int32_t Increment{};
    std::string_view EditMask{};
    int32_t NumPrecision{};
    uint8_t Alignment{};  // TFieldAlignment
    bool WordWrap{};
    uint32_t CharDist{};
    uint8_t Layout{};                          // TFieldLayout
    int32_t Left{}, Top{}, Width{}, Height{};  // template units
    TFieldValidator OnChange{};
    TFieldNotifyEvent OnChanged{};
    TFieldDataPaintEvent OnDataPaint{};
    uint16_t SharedIdx{};
    uint16_t DataIdx{};  // the field number
};

struct TBalancePosition {
    int32_t Left;
    int32_t Bottom;
    int32_t Width;
    uint16_t DataIdx;
};

constexpr int kFirstFieldID = 4;
constexpr int kLastFieldID = 1115;
constexpr int kLastBalanceID = 264;

extern const IndexedTable<TEField, kFirstFieldID, kLastFieldID> TEFieldTable;
// Overrides Left, Width and the vertical position of the bil rows.
extern const IndexedTable<TBalancePosition, kFirstFieldID, kLastBalanceID> BalancePositionTable;
