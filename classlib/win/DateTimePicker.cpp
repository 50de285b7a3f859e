// TDateTimePicker over the common controls' date and time picker.
#include <algorithm>

#include "classlib/Scope.h"
#include "classlib/win/ComCtrls.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

// False for a value the window cannot hold (SYSTEMTIME starts in 1601).
bool ToSystemTime(TDateTime value, SYSTEMTIME& st) {
    int year, month, day, hour, min, sec, msec;
    DecodeDate(value, year, month, day);
    if (year < 1601) return false;
    DecodeTime(value, hour, min, sec, msec);
    st = SYSTEMTIME{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(min);
    st.wSecond = static_cast<WORD>(sec);
    st.wMilliseconds = static_cast<WORD>(msec);
    return true;
}

TDateTime FromSystemTime(const SYSTEMTIME& st) {
    TDateTime date = 0;
    if (!TryEncodeDate(st.wYear, st.wMonth, st.wDay, date)) return 0;
    return ComposeDateTime(date,
                           EncodeTime(std::min<int>(st.wHour, 23), std::min<int>(st.wMinute, 59),
                                      std::min<int>(st.wSecond, 59), std::min<int>(st.wMilliseconds, 999)));
}

}  // namespace

CL_CLASS_INFO(TDateTimePicker, Prop("DateTime", &TDateTimePicker::DateTime, &TDateTimePicker::SetDateTime),
              Prop("Format", &TDateTimePicker::Format, &TDateTimePicker::SetFormat))

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner), dateTime_(Now()) {
    controlStyle_ &= ~(csSetCaption | csAcceptsControls);
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetParentColor(false);
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    CreateSubClass(p, DATETIMEPICK_CLASSW);
    p.Style |= kind_ == dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
}

void TDateTimePicker::CreateWnd() {
    TWinControl::CreateWnd();
    ShowRange();
    ShowFormat();
    ShowValue();
}

void TDateTimePicker::ShowValue() {
    // A time picker's window shows no day: any it can hold will do.
    const TDateTime shown = kind_ == dtkTime ? ComposeDateTime(0, dateTime_) : dateTime_;
    SYSTEMTIME st;
    if (!HandleAllocated() || !ToSystemTime(shown, st)) return;
    // Some versions of the window report a change set from code: not the user's.
    const FlagScope showing(showing_);
    SendMessageW(WindowHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

void TDateTimePicker::ShowRange() {
    if (!HandleAllocated()) return;
    SYSTEMTIME range[2]{};
    WPARAM which = 0;
    if (minDate_ != 0 && ToSystemTime(DateOf(minDate_), range[0])) which |= GDTR_MIN;
    if (maxDate_ != 0 && ToSystemTime(DateOf(maxDate_), range[1])) {
        which |= GDTR_MAX;
        range[1].wHour = 23;
        range[1].wMinute = 59;
        range[1].wSecond = 59;
        range[1].wMilliseconds = 999;
    }
    SendMessageW(WindowHandle(), DTM_SETRANGE, which, reinterpret_cast<LPARAM>(range));
}

void TDateTimePicker::ShowFormat() {
    if (!HandleAllocated()) return;
    const std::wstring wide = ToWide(format_);
    SendMessageW(WindowHandle(), DTM_SETFORMATW, 0,
                 format_.empty() ? 0 : reinterpret_cast<LPARAM>(wide.c_str()));
}

void TDateTimePicker::SetKind(TDateTimeKind value) {
    if (value == kind_) return;
    kind_ = value;
    RecreateWnd();
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    if (kind_ == dtkDate) {
        if (minDate_ != 0 && DateOf(value) < DateOf(minDate_))
            throw EDateTimeError("Date exceeds minimum of " + DateToStr(minDate_));
        if (maxDate_ != 0 && DateOf(value) > DateOf(maxDate_))
            throw EDateTimeError("Date exceeds maximum of " + DateToStr(maxDate_));
    }
    if (value == dateTime_) return;
    dateTime_ = value;
    ShowValue();
}

void TDateTimePicker::SetMinDate(TDateTime value) {
    if (value == minDate_) return;
    minDate_ = value;
    ShowRange();
    if (kind_ == dtkDate && minDate_ != 0 && DateOf(dateTime_) < DateOf(minDate_))
        SetDateTime(ComposeDateTime(minDate_, dateTime_));
}

void TDateTimePicker::SetMaxDate(TDateTime value) {
    if (value == maxDate_) return;
    maxDate_ = value;
    ShowRange();
    if (kind_ == dtkDate && maxDate_ != 0 && DateOf(dateTime_) > DateOf(maxDate_))
        SetDateTime(ComposeDateTime(maxDate_, dateTime_));
}

void TDateTimePicker::SetFormat(const std::string& value) {
    if (value == format_) return;
    format_ = value;
    ShowFormat();
}

void TDateTimePicker::Change() {
    if (OnChange && !(ComponentState() & csDestroying)) OnChange(this);
}

void TDateTimePicker::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && reinterpret_cast<const NMHDR*>(m.LParam)->code == DTN_DATETIMECHANGE) {
        const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(m.LParam);
        if (showing_ || change->dwFlags != GDT_VALID) return;
        const TDateTime shown = FromSystemTime(change->st);
        // The window's other part is not ours: keep it from the value.
        const TDateTime value =
            kind_ == dtkTime ? ComposeDateTime(dateTime_, shown) : ComposeDateTime(shown, dateTime_);
        if (value == dateTime_) return;
        dateTime_ = value;
        Change();
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace cl
