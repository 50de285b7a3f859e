#include "engine/ValueConversion.h"

#include <algorithm>

#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"
#include "classlib/NumberFormat.h"
#include "classlib/StrUtils.h"

namespace {

// The field table's code for a date and time value.
constexpr int32_t kDataDateTime = 16385;

enum class TypeGroup { Integer, Float, Date, Boolean, DateTime, String, Other };

TypeGroup GroupOf(int32_t dataType) {
    switch (dataType) {
        case cl::varSmallint:
        case cl::varInteger:
        case cl::varShortInt:
        case cl::varByte:
        case cl::varWord:
        case cl::varLongWord:
        case cl::varInt64:
            return TypeGroup::Integer;
        case cl::varSingle:
        case cl::varDouble:
        case cl::varCurrency:
            return TypeGroup::Float;
        case cl::varDate:
            return TypeGroup::Date;
        case cl::varBoolean:
            return TypeGroup::Boolean;
        case kDataDateTime:
            return TypeGroup::DateTime;
        case cl::varString:
            return TypeGroup::String;
        default:
            return TypeGroup::Other;
    }
}

std::string Without(std::string s, char c) {
    s.erase(std::remove(s.begin(), s.end(), c), s.end());
    return s;
}

}  // namespace

bool ConvertsTypedText(int32_t DataType) {
    return DataType != cl::varString;
}

cl::Variant ConvertTypedText(const std::string& Text, int32_t DataType, const cl::TFormatSettings& Fs) {
    const TypeGroup group = GroupOf(DataType);
    std::string s = Without(Text, ' ');
    // Grouped amounts pasted from elsewhere ("1 234,50" with a no-break space).
    if (group == TypeGroup::Integer || group == TypeGroup::Float)
        s = Without(std::move(s), Fs.ThousandSeparator);
    switch (group) {
        case TypeGroup::Integer:
            if (s.empty()) return cl::Variant();
            return cl::Variant(cl::StrToInt(s));
        case TypeGroup::Float:
            if (s.empty()) return cl::Variant();
            return cl::Variant(static_cast<double>(cl::StrToFloat(s, Fs)));
        case TypeGroup::Date:
            if (s.empty()) return cl::Variant();
            return cl::Variant::FromDate(cl::StrToDate(s, Fs));
        case TypeGroup::DateTime:
            if (s.empty()) return cl::Variant();
            return cl::Variant::FromDate(cl::StrToDateTime(s, Fs));
        case TypeGroup::Boolean:
            return cl::Variant(!s.empty());
        default:
            return cl::Variant(Text);
    }
}

std::string DisplayText(const cl::Variant& V, int32_t DataType, int32_t NumPrecision,
                        const cl::TFormatSettings& Fs) {
    if (V.IsEmpty() || V.IsNull()) return "";
    try {
        switch (GroupOf(DataType)) {
            case TypeGroup::Integer:
                return cl::IntToStr(V.ToInteger(Fs));
            case TypeGroup::Float:
                return cl::FloatToStrF(V.ToExtended(Fs), cl::TFloatFormat::ffNumber, 16, NumPrecision, Fs);
            case TypeGroup::Date:
                return cl::DateToStr(V.ToDate(Fs), Fs);
            case TypeGroup::Boolean:
                return V.ToBool(Fs) ? "X" : "";
            case TypeGroup::DateTime:
                return cl::DateTimeToStr(V.ToDate(Fs), Fs);
            case TypeGroup::String:
                return V.ToString(Fs);
            default:
                return "";
        }
    } catch (const cl::Exception&) {
        // A value of another type than its field's (text left in an amount
        // field after the user declined to correct it) shows as empty.
        return "";
    }
}
