// TDateTimePicker: the value kept whole by the control (the part the
// window does not show, dates the window cannot show), the date limits,
// and a change by the user.
#include <gtest/gtest.h>

#include "classlib/win/ComCtrls.h"
#include "classlib/win/Forms.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct Fixture {
    Owned<TForm> form = Make<TForm>(nullptr);
    TDateTimePicker* picker = new TDateTimePicker(form.get());
    Fixture() {
        picker->SetParent(form.get());
        form->Show();
    }
};

TEST(DateTimePicker, KeepsTheWholeValueWithAndWithoutAWindow) {
    const TDateTime t = EncodeTime(14, 30, 15, 0);
    const struct {
        TDateTimeKind kind;
        TDateTime value;
    } cases[] = {
        {dtkDate, EncodeDate(2024, 2, 29) + t},
        {dtkTime, EncodeDate(2024, 2, 29) + t},
        {dtkDate, ComposeDateTime(EncodeDate(1850, 6, 15), t)},
        {dtkTime, ComposeDateTime(EncodeDate(1500, 1, 1), t)},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.picker->SetKind(c.kind);
        f.picker->SetDateTime(c.value);
        EXPECT_EQ(f.picker->DateTime(), c.value) << c.kind;
        f.picker->RecreateWnd();
        EXPECT_EQ(f.picker->DateTime(), c.value) << c.kind;
        f.picker->SetTime(EncodeTime(6, 0, 0, 0));
        EXPECT_DOUBLE_EQ(f.picker->DateTime(), ComposeDateTime(c.value, 0.25)) << c.kind;
        f.picker->SetDate(EncodeDate(1899, 12, 29));
        EXPECT_DOUBLE_EQ(f.picker->DateTime(), -1.25) << c.kind;
    }
}

TEST(DateTimePicker, DatesOutsideTheLimitsRaiseAndNewLimitsMoveTheValue) {
    Fixture f;
    f.picker->SetDateTime(EncodeDate(2024, 5, 10) + 0.5);
    f.picker->SetMinDate(EncodeDate(2024, 6, 1));
    EXPECT_EQ(f.picker->DateTime(), EncodeDate(2024, 6, 1) + 0.5);
    f.picker->SetMaxDate(EncodeDate(2024, 6, 30));
    EXPECT_THROW(f.picker->SetDate(EncodeDate(2024, 7, 1)), EDateTimeError);
    EXPECT_THROW(f.picker->SetDate(EncodeDate(2024, 5, 31)), EDateTimeError);
    f.picker->SetDate(EncodeDate(2024, 6, 30));
    EXPECT_EQ(f.picker->DateTime(), EncodeDate(2024, 6, 30) + 0.5);
}

TEST(DateTimePicker, AChangeInTheWindowKeepsTheOtherPartAndFiresOnChange) {
    Fixture f;
    f.picker->SetKind(dtkTime);
    f.picker->SetDateTime(EncodeDate(2001, 2, 3) + 0.25);
    int changes = 0;
    f.picker->OnChange = [&](TObject*) { ++changes; };
    // What the window tells its parent when the user changes the time.
    NMDATETIMECHANGE change{};
    change.nmhdr.hwndFrom = f.picker->Handle();
    change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(f.picker->Handle()));
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st = SYSTEMTIME{1999, 1, 0, 1, 18, 0, 0, 0};
    SendMessageW(f.form->Handle(), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(f.picker->DateTime(), EncodeDate(2001, 2, 3) + 0.75);
    EXPECT_EQ(changes, 1);
    f.picker->SetTime(0.5);
    EXPECT_EQ(changes, 1);
}

}  // namespace
