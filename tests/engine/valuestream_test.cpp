// Value streaming: the records byte for byte, round trips, and readers that
// meet cut, oversized and foreign data.
#include "engine/ValueStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/Currency.h"
#include "tests/support/EngineFixture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using cl::Variant;
using enginetest::EngineTest;
using enginetest::Money;

Bytes Contents(cl::TMemoryStream& s) {
    const auto* p = static_cast<const uint8_t*>(s.Memory());
    return Bytes(p, p + s.Size());
}

void Fill(cl::TMemoryStream& s, const Bytes& bytes) {
    s.Clear();
    if (!bytes.empty()) s.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    s.SetPosition(0);
}

Bytes Written(const Variant& v) {
    cl::TMemoryStream s;
    WriteVariant(v, s);
    return Contents(s);
}

Variant Read(const Bytes& bytes, int64_t* position = nullptr, bool* whole = nullptr) {
    cl::TMemoryStream s;
    Fill(s, bytes);
    Variant v("not read");
    const bool read = ReadVariant(s, v);
    if (position) *position = s.Position();
    if (whole) *whole = read;
    return v;
}

bool Same(const Variant& a, const Variant& b) {
    return a.SameTypeAndValue(b);
}

TEST(VariantRecord, IsWrittenByteForByte) {
    struct Case {
        Variant v;
        Bytes bytes;
    };
    const Case cases[] = {
        {Variant(), {0x00, 0x00}},
        {Variant::Null(), {0x01, 0x00}},
        {Variant("abc"), {0x00, 0x01, 0x03, 0x00, 0x00, 0x00, 0x61, 0x62, 0x63}},
        {Variant(""), {0x00, 0x01, 0x00, 0x00, 0x00, 0x00}},
        {Money(12345000), {0x06, 0x00, 0x08, 0, 0, 0, 0xA8, 0x5E, 0xBC, 0, 0, 0, 0, 0}},
        {Variant(true), {0x0B, 0x00, 0x02, 0, 0, 0, 0xFF, 0xFF}},
        {Variant(false), {0x0B, 0x00, 0x02, 0, 0, 0, 0x00, 0x00}},
        {Variant(1.5), {0x05, 0x00, 0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}},
        {Variant::FromSingle(1.5f), {0x04, 0x00, 0x04, 0, 0, 0, 0, 0, 0xC0, 0x3F}},
        {Variant::FromOleStr("abc"), {0x08, 0x00}},  // only the code
        {Variant::BareCode(13), {0x0D, 0x00}},
        {Variant::BareCode(0x200C), {0x0C, 0x20}},
    };
    for (const Case& c : cases) EXPECT_EQ(Written(c.v), c.bytes) << c.v.VarType();
}

TEST(VariantRecord, EveryNumberCodeRoundTripsWithItsSign) {
    const Variant cases[] = {
        Variant::FromSmallint(-2),
        Variant::FromSmallint(32767),
        Variant(int32_t{-3}),
        Variant(int32_t{INT32_MIN}),
        Variant::FromShortInt(-4),
        Variant::FromShortInt(127),
        Variant::FromByte(200),
        Variant::FromWord(65000),
        Variant::FromLongWord(4000000000u),
        Variant::FromInt64(-5000000000000),
        Variant(-2.75),
        Money(-12345),
        Variant::FromDate(39580.5),
        Variant(true),
        Variant(false),
        Variant("zażółć gęślą jaźń"),
    };
    for (const Variant& v : cases) {
        const Bytes bytes = Written(v);
        int64_t position = 0;
        const Variant back = Read(bytes, &position);
        EXPECT_TRUE(Same(back, v)) << v.VarType() << " " << v.ToString();
        EXPECT_EQ(position, static_cast<int64_t>(bytes.size()));
    }
}

TEST(VariantRecord, ReadsWhatTheWriterNeverMakesAsTheNearestValue) {
    struct Case {
        const char* what;
        Bytes bytes;
        Variant v;
        int64_t position;
        bool whole;  // false: the stream ended inside the record
    };
    const Case cases[] = {
        {"null", {0x01, 0x00}, Variant(), 2, true},
        {"single as double", {0x04, 0x00, 0x04, 0, 0, 0, 0, 0, 0xC0, 0x3F}, Variant(1.5), 10, true},
        {"boolean word 1", {0x0B, 0x00, 0x02, 0, 0, 0, 0x01, 0x00}, Variant(true), 8, true},
        {"boolean word 0", {0x0B, 0x00, 0x02, 0, 0, 0, 0x00, 0x00}, Variant(false), 8, true},
        {"unknown code, bytes after it stay", {0x0D, 0x00, 0x02, 0, 0, 0}, Variant(), 2, true},
        {"ole string", {0x08, 0x00, 0x01, 0, 0, 0, 0x41}, Variant(), 2, true},
        {"empty stream", {}, Variant(), 0, false},
        {"one byte of a code", {0x06}, Money(0), 1, false},
        {"size over eight: the rest skipped",
         {0x03, 0x00, 0x0A, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 9, 9, 0xEE},
         Variant(int32_t{7}),
         16,
         true},
        {"size over the stream",
         {0x05, 0x00, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 1, 2},
         Variant(1.5),
         16,
         false},
        {"negative size", {0x03, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 7, 0, 0, 0}, Variant(int32_t{0}), 6, true},
        {"short data", {0x03, 0x00, 0x04, 0, 0, 0, 7, 1}, Variant(int32_t{0x107}), 8, false},
        {"no data", {0x06, 0x00, 0x08, 0, 0, 0}, Money(0), 6, false},
        {"string length over the stream", {0x00, 0x01, 0x10, 0, 0, 0, 0x61, 0x62}, Variant("ab"), 8, false},
        {"string length beyond any field's",
         {0x00, 0x01, 0xFF, 0xFF, 0xFF, 0x7F, 0x61, 0x62},
         Variant(),
         8,
         false},
        {"negative string length", {0x00, 0x01, 0x00, 0x00, 0x00, 0x80, 0x61}, Variant(""), 6, true},
        {"string without length", {0x00, 0x01}, Variant(""), 2, false},
    };
    for (const Case& c : cases) {
        int64_t position = -1;
        bool whole = !c.whole;
        const Variant v = Read(c.bytes, &position, &whole);
        EXPECT_TRUE(Same(v, c.v)) << c.what << ": " << v.VarType() << " " << v.ToString();
        EXPECT_EQ(position, c.position) << c.what;
        EXPECT_EQ(whole, c.whole) << c.what;
    }
}

TEST(VariantRecord, TextLongerThanTheEditorsTakeIsDamageAndIsNotRead) {
    struct Case {
        int32_t length;
        bool whole;
    };
    for (const Case& c : {Case{30000, true}, Case{30001, false}}) {
        Bytes bytes = {0x00, 0x01};
        bytes.resize(6);
        std::memcpy(&bytes[2], &c.length, 4);
        bytes.resize(bytes.size() + static_cast<size_t>(c.length), 'x');
        bytes.push_back(0xEE);
        int64_t position = 0;
        bool whole = !c.whole;
        const Variant v = Read(bytes, &position, &whole);
        EXPECT_EQ(whole, c.whole) << c.length;
        EXPECT_TRUE(c.whole ? Same(v, Variant(std::string(30000, 'x'))) : v.IsEmpty()) << c.length;
        EXPECT_EQ(position, 6 + c.length) << c.length;
    }
}

using StreamTest = EngineTest;

TEST_F(StreamTest, ValueRecordIsWrittenByteForByte) {
    TemFrm* rachzsk = AddForm("rachzsk");
    rachzsk->ValueOf(300)->Value = Money(12345000);
    cl::TMemoryStream s;
    rachzsk->ValueOf(300)->SaveToStream(s);
    EXPECT_EQ(Contents(s), (Bytes{0x06, 0x00, 0x08, 0x00, 0x00, 0x00, 0xA8, 0x5E, 0xBC, 0x00,
                                  0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x2C, 0x01}));
}

TEST_F(StreamTest, ValueRecordKeepsItsFieldWhateverNumberTheRecordCarries) {
    TemFrm* rachw = AddForm("rachw");
    TemFrm* bil = AddForm("bil");
    struct Case {
        const char* what;
        Bytes bytes;
        int64_t position;
    };
    const Case cases[] = {
        {"another form's field", {0x03, 0x00, 0x04, 0, 0, 0, 9, 0, 0, 0, 0x02, 0, 0, 0, 0x05, 0x00}, 16},
        {"a number beyond the registry",
         {0x03, 0x00, 0x04, 0, 0, 0, 9, 0, 0, 0, 0x02, 0, 0, 0, 0xFF, 0xFF},
         16},
        {"a long number: the rest skipped",
         {0x03, 0x00, 0x04, 0, 0, 0, 9, 0, 0, 0, 0x06, 0, 0, 0, 0x05, 0x00, 1, 2, 3, 4, 0xEE},
         20},
        {"a huge count", {0x03, 0x00, 0x04, 0, 0, 0, 9, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0x05}, 15},
        {"a negative count", {0x03, 0x00, 0x04, 0, 0, 0, 9, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x05, 0x00}, 14},
        {"no count", {0x03, 0x00, 0x04, 0, 0, 0, 9, 0, 0, 0}, 10},
    };
    TDataValue* value = rachw->ValueOf(1068);
    for (const Case& c : cases) {
        cl::TMemoryStream s;
        Fill(s, c.bytes);
        value->LoadFromStream(s);
        EXPECT_TRUE(Same(value->Value, Variant(int32_t{9}))) << c.what;
        EXPECT_EQ(s.Position(), c.position) << c.what;
        EXPECT_EQ(value->FieldID(), 1068) << c.what;
        ExpectRegistryIntact();
    }
    EXPECT_TRUE(bil->GetValue(5).IsEmpty());
}

TEST_F(StreamTest, FormBlockRoundTripsEveryValueWithItsType) {
    TemFrm* zestzf = AddForm("zestzf");
    const Variant samples[] = {Variant(),   Money(-12345678),    Variant(1234.5), Variant("Kapitał"),
                               Variant(""), Variant(int32_t{7}), Variant(true),   Variant::FromDate(39580)};
    for (size_t k = 0; k < zestzf->Values.size(); ++k)
        zestzf->Values[k]->Value = samples[k % std::size(samples)];
    cl::TMemoryStream s;
    zestzf->SaveToStream(s);
    const Bytes saved = Contents(s);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 6),
              (Bytes{0x27, 0x01, 0, 0, 0x01, 0x00}));  // 295, present

    forms.clear();
    zestzf->Free();
    TemFrm* fresh = AddForm("zestzf");
    s.SetPosition(0);
    DataModified = false;
    fresh->LoadFromStream(s);
    EXPECT_EQ(s.Position(), s.Size());
    for (size_t k = 0; k < fresh->Values.size(); ++k)
        EXPECT_TRUE(Same(fresh->Values[k]->Value, samples[k % std::size(samples)])) << k;
    EXPECT_FALSE(DataModified);
    EXPECT_TRUE(host.Asked.empty());  // loading does not recalculate
    ExpectRegistryIntact();
}

TEST_F(StreamTest, AStoredDateIsLoadedAsItWasWithoutTheTypedDateCheck) {
    constexpr uint16_t kDate = 263;  // bil's date field
    TemFrm* bil = AddForm("bil");
    bil->ValueOf(kDate)->Value = Variant("31.02.2020");
    cl::TMemoryStream s;
    bil->SaveToStream(s);
    forms.clear();
    bil->Free();
    TemFrm* fresh = AddForm("bil");
    s.SetPosition(0);
    fresh->LoadFromStream(s);
    EXPECT_EQ(fresh->GetValue(kDate).AsRawString(), "31.02.2020");
    EXPECT_TRUE(host.Questions.empty());
}

TEST_F(StreamTest, FormBlockOfEmptyValuesHasTheFixedSize) {
    TemFrm* rachw = AddForm("rachw");
    cl::TMemoryStream s;
    rachw->SaveToStream(s);
    EXPECT_EQ(s.Size(), 4 + 51 * (2 + 2 + 4 + 2));
    TemFrm bare("rachw", "", "rachw", 1, 8, 1063, 1115, 8);
    cl::TMemoryStream none;
    bare.SaveToStream(none);
    EXPECT_EQ(Contents(none), (Bytes{0, 0, 0, 0}));
}

TEST_F(StreamTest, FormBlockReaderMatchesByPositionAndDropsTheSurplus) {
    TemFrm* rachw = AddForm("rachw");
    rachw->ValueOf(1064)->Value = Variant("kept");
    cl::TMemoryStream s;
    s.WriteValue<int32_t>(53);  // two records more than rachw has fields
    s.WriteValue<uint16_t>(0);  // element 0 (field 1064) absent: keeps its value
    for (int k = 1; k < 53; ++k) {
        s.WriteValue<uint16_t>(1);
        WriteVariant(Variant(k), s);
        s.WriteValue<int32_t>(2);
        s.WriteValue<uint16_t>(5);  // a bil number in every record
    }
    s.SetPosition(0);
    rachw->LoadFromStream(s);
    EXPECT_EQ(s.Position(), s.Size());
    EXPECT_EQ(rachw->GetValue(1064).AsRawString(), "kept");
    for (int k = 1; k < 51; ++k) EXPECT_EQ(rachw->GetValue(1064 + k).AsRawInt(), k);
    ExpectRegistryIntact();
}

TEST_F(StreamTest, FormBlockReaderStopsAtTheEndOfAShortStream) {
    TemFrm* rachw = AddForm("rachw");
    cl::TMemoryStream s;
    s.WriteValue<int32_t>(0x7FFFFFFF);
    for (int k = 0; k < 3; ++k) {
        s.WriteValue<uint16_t>(1);
        WriteVariant(Money(k + 1), s);
        s.WriteValue<int32_t>(2);
        s.WriteValue<uint16_t>(static_cast<uint16_t>(1064 + k));
    }
    s.SetPosition(0);
    rachw->LoadFromStream(s);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(rachw->GetValue(1064 + k).AsRawCurrency().Raw(), k + 1);
    EXPECT_TRUE(rachw->GetValue(1067).IsEmpty());
    ExpectRegistryIntact();
}

TEST_F(StreamTest, FormBlockWithNoPositiveCountReadsNothingMore) {
    TemFrm* rachw = AddForm("rachw");
    for (const Bytes& bytes : {Bytes{0, 0, 0, 0, 1, 0}, Bytes{0xFF, 0xFF, 0xFF, 0xFF, 1, 0}, Bytes{5, 0}}) {
        cl::TMemoryStream s;
        Fill(s, bytes);
        rachw->LoadFromStream(s);
        EXPECT_EQ(s.Position(), std::min<int64_t>(4, bytes.size()));
    }
    ExpectRegistryIntact();
}

TEST_F(StreamTest, SharedBlockIsWrittenAndReadBack) {
    SharedValues[1] = Money(10000);
    SharedValues[2] = Variant("x");
    cl::TMemoryStream s;
    SaveSharedValues(s);
    EXPECT_EQ(Contents(s), (Bytes{2,    0,    0, 0, 0x06, 0, 8,  0, 0, 0, 0x10, 0x27, 0, 0, 0, 0, 0, 0,  //
                                  0x00, 0x01, 1, 0, 0,    0, 'x'}));
    ResetAll();
    s.SetPosition(0);
    LoadSharedValues(s);
    EXPECT_TRUE(Same(SharedValues[1], Money(10000)));
    EXPECT_TRUE(Same(SharedValues[2], Variant("x")));
}

TEST_F(StreamTest, SharedBlockReadsAtMostTwoRecords) {
    struct Case {
        int32_t count;
        bool slot1, slot2;
    };
    for (const Case& c :
         {Case{3, true, true}, Case{1, true, false}, Case{0, false, false}, Case{-1, false, false}}) {
        ResetAll();
        cl::TMemoryStream s;
        s.WriteValue<int32_t>(c.count);
        for (int i = 1; i <= 3; ++i) WriteVariant(Variant(i), s);
        s.SetPosition(0);
        LoadSharedValues(s);
        EXPECT_EQ(SharedValues[1].IsEmpty(), !c.slot1) << c.count;
        EXPECT_EQ(SharedValues[2].IsEmpty(), !c.slot2) << c.count;
        const int64_t expected = 4 + 10 * ((c.slot1 ? 1 : 0) + (c.slot2 ? 1 : 0));
        EXPECT_EQ(s.Position(), expected) << c.count;
    }
}

TEST_F(StreamTest, EveryCutOfABlockIsReportedAndKeepsHalfValuesOut) {
    TemFrm* rachw = AddForm("rachw");
    const Variant samples[] = {Money(12345000), Variant(2.5), Variant("Zysk"), Variant(), Variant(true)};
    for (size_t k = 0; k < rachw->Values.size(); ++k)
        rachw->Values[k]->Value = samples[k % std::size(samples)];
    SharedValues[1] = Variant("wspólna");
    SharedValues[2] = Money(7);
    cl::TMemoryStream whole;
    SaveSharedValues(whole);
    const int64_t sharedEnd = whole.Size();
    rachw->SaveToStream(whole);
    const Bytes full = Contents(whole);

    for (size_t cut = 0; cut <= full.size(); ++cut) {
        for (TDataValue* value : rachw->Values) value->Value = Variant("before");
        Variant slots[2] = {Variant("before"), Variant("before")};
        cl::TMemoryStream s;
        Fill(s, Bytes(full.begin(), full.begin() + cut));
        const bool shared = ReadSharedBlock(s, slots[0], slots[1]);
        const bool form = LoadFormBlock(*rachw, s);
        ASSERT_EQ(shared, static_cast<int64_t>(cut) >= sharedEnd) << cut;
        ASSERT_EQ(form, cut == full.size()) << cut;
        for (size_t k = 0; k < rachw->Values.size(); ++k) {
            const Variant& v = rachw->Values[k]->Value;
            ASSERT_TRUE(Same(v, samples[k % std::size(samples)]) || Same(v, Variant("before")))
                << cut << " " << k;
        }
        ASSERT_TRUE(Same(slots[0], Variant("wspólna")) || Same(slots[0], Variant("before"))) << cut;
        ASSERT_TRUE(Same(slots[1], Money(7)) || Same(slots[1], Variant("before"))) << cut;
    }
    ExpectRegistryIntact();
}

TEST_F(StreamTest, StatementCutAtEveryOffsetLoadsWithoutHarm) {
    AddForm("bilm");
    AddForm("rachw");
    for (TemFrm* form : forms)
        for (size_t k = 0; k < form->Values.size(); ++k)
            form->Values[k]->Value = k % 3 == 0   ? Variant("tekst")
                                     : k % 3 == 1 ? Money(k * 101)
                                                  : Variant(k * 0.5);
    SharedValues[1] = Variant("wspólna");
    cl::TMemoryStream whole;
    SaveSharedValues(whole);
    for (TemFrm* form : forms) form->SaveToStream(whole);
    const Bytes full = Contents(whole);

    for (size_t cut = 0; cut <= full.size(); ++cut) {
        cl::TMemoryStream s;
        Fill(s, Bytes(full.begin(), full.begin() + cut));
        LoadSharedValues(s);
        for (TemFrm* form : forms) form->LoadFromStream(s);
        ASSERT_EQ(s.Position(), static_cast<int64_t>(cut));
        ExpectRegistryIntact();
    }
}

}  // namespace
