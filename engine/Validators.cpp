#include "engine/Validators.h"

#include <algorithm>

#include "classlib/Currency.h"
#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"
#include "classlib/NumberFormat.h"

namespace {

// An amount beyond the currency range would overflow every total above it.
bool FitsCurrency(cl::Extended x) {
    try {
        cl::Currency::FromExtended(x);
        return true;
    } catch (const cl::EOverflow&) {
        return false;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

void Kwota2_ValChange(cl::Variant& V, bool& OK) {
    if (V.IsEmpty() || V.IsNull()) return;
    const cl::TFormatSettings& fs = cl::FormatSettings();
    if (V.IsString()) {
        std::string s = V.AsRawString();
        std::erase(s, ' ');
        std::erase(s, fs.ThousandSeparator);
        cl::Extended x = 0;
        OK = s.empty() || (cl::TryStrToFloat(s, x, fs) && FitsCurrency(x));
        return;
    }
    try {
        const cl::Extended x = V.ToExtended(fs);
        cl::FloatToStrF(x, cl::TFloatFormat::ffNumber, 16, 2, fs);
        OK = FitsCurrency(x);
    } catch (const cl::Exception&) {
        OK = false;  // not a number (Null handled above; other codes raise)
    }
}

void DataUr_ValChange(cl::Variant& V, bool& OK) {
    std::string s;
    try {
        s = V.ToString(cl::FormatSettings());
    } catch (const cl::Exception&) {
        OK = false;  // a value with no text cannot be a date
        return;
    }
    if (s == "  .  .    ") {  // the text of an empty date mask
        V = cl::Variant(std::string());
        return;
    }
    // "dd.mm.yyyy"; characters after the tenth are not looked at.
    static constexpr char kShape[] = "99.99.9999";
    OK = s.size() >= 10;
    for (size_t i = 0; OK && i < 10; ++i) OK = kShape[i] == '.' ? s[i] == '.' : IsDigit(s[i]);
    if (!OK) return;
    // A day the calendar does not have (31.02.2020) is no date either.
    auto number = [&s](size_t at, size_t digits) { return std::stoi(s.substr(at, digits)); };
    cl::TDateTime date{};
    OK = cl::TryEncodeDate(number(6, 4), number(3, 2), number(0, 2), date);
}
