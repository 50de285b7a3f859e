// The rich-text viewer's conversions without a window: which conversion a
// file or stream goes through, bytes passed unchanged with the progress,
// and the retry in the other format only when nothing went in.
#include "controls/XcRichEditConversions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using namespace cltest;

TEST(ConversionChoice, ByExtensionAndFirstBytes) {
    TempFolder folder;
    struct Case {
        const char* name;
        const char* bytes;  // nullptr: no such file
        int kind;
    };
    const Case cases[] = {
        {"a.rtf", "{\\rtf1 Aktywa}", 3}, {"b.RTF", "Aktywa", 3},  // still read as rich text first
        {"c.txt", "{\\rtf1 Aktywa}", 2}, {"d.html", "<p>Aktywa</p>", 3}, {"e", "Aktywa", 3},
        {"f.rtf", nullptr, 3},           {"g.txt", nullptr, 2},
    };
    for (const Case& c : cases) {
        const std::string name = folder.Name(c.name);
        if (c.bytes) WriteBytes(name, c.bytes);
        EXPECT_EQ(ConversionFormats().ForFile(name, nullptr)->FormatKind(), c.kind) << c.name;
    }
    TXcTextConversion fallback;
    int parent = 0;
    EXPECT_EQ(ConversionFormats().ForFile(folder.Name("d.html"), &fallback, &parent), &fallback);
    for (int i = 0; i < ConversionFormats().Count(); ++i)
        EXPECT_EQ(ConversionFormats().Items(i)->ParentWindow(), &parent) << "each one asked is attached";
    // Saving goes by the extension alone: the file need not exist.
    EXPECT_EQ(ConversionFormats().ForSaving(folder.Name("nowy.TXT"), nullptr),
              ConversionFormats().PlainText());
    EXPECT_EQ(ConversionFormats().ForSaving(folder.Name("nowy.rtf"), &fallback),
              ConversionFormats().RichText());
    EXPECT_EQ(ConversionFormats().ForSaving(folder.Name("nowy.doc"), &fallback), &fallback);
    EXPECT_EQ(ConversionFormats().ForSaving(folder.Name("nowy"), nullptr), ConversionFormats().RichText());
    EXPECT_EQ(ConversionExtension("C:\\dane.v2\\plik"), "");
    EXPECT_EQ(ConversionExtension("C:\\dane\\Plik.Txt"), "txt");
}

TEST(ConversionChoice, StreamsByTheirFirstBytes) {
    TMemoryStream rtf, text;
    rtf.WriteBuffer("xx{\\rtf1}", 9);
    rtf.SetPosition(2);
    text.WriteBuffer("{\\rt", 4);
    text.SetPosition(0);
    EXPECT_EQ(ConversionFormats().ForStream(rtf, nullptr), ConversionFormats().RichText());
    EXPECT_EQ(rtf.Position(), 2) << "the position is kept";
    EXPECT_EQ(ConversionFormats().ForStream(text, nullptr), ConversionFormats().PlainText());
}

TEST(ConversionChoice, MissingFileRaisesTheFileErrorOnOpening) {
    TempFolder folder;
    TXcRTFConversion rtf;
    EXPECT_THROW(rtf.OpenFile(folder.Name("brak.rtf"), cdImport), EFOpenError);
}

// A control that reads everything (or stops early) and accepts or rejects
// by a script.
class FakeControl : public IXcStreamTarget {
public:
    struct Answer {
        bool ok;
        bool keepsText;
        bool readsAll = true;
    };
    std::vector<Answer> answers;
    std::vector<std::pair<bool, std::string>> reads;  // (rich, bytes) per attempt
    bool holds = false;

    TXcStreamInResult StreamIn(TXcConversion& c, bool rich) override {
        const Answer a = answers.at(reads.size());
        std::string bytes;
        char block[7];
        for (int32_t n; (n = c.Read(block, sizeof block)) > 0 && a.readsAll;)
            bytes.append(block, static_cast<size_t>(n));
        reads.emplace_back(rich, bytes);
        holds = a.keepsText;
        return {a.ok, a.readsAll};
    }
    bool HoldsText() override { return holds; }
};

TEST(StreamIn, RetriesInTheOtherFormatOnlyWhenNothingWentIn) {
    const std::string body = "Linia 1\rLinia 2\r\nLinia 3\n";
    struct Case {
        const char* name;
        std::vector<FakeControl::Answer> answers;
        bool rich;
        size_t attempts;
        bool fails;
    };
    const Case cases[] = {
        {"accepted", {{true, true}}, true, 1, false},
        {"plain text as rich text", {{false, false}, {true, true}}, true, 2, false},
        {"rich text after plain text", {{false, false}, {true, true}}, false, 2, false},
        {"missing last brace", {{false, true}}, true, 1, false},
        {"rejected both ways", {{false, false}, {false, false}}, true, 2, true},
        // Cut short by a read error after some text went in: not the missing brace.
        {"rich text cut short", {{false, true, false}}, true, 1, true},
        {"plain text cut short", {{false, true, false}}, false, 1, true},
        // The missing-brace rule is rich text's: plain text with an error fails.
        {"plain text with an error at its end", {{false, true}}, false, 1, true},
        // Rejected as plain text, then rich text lacking its brace.
        {"rich text after plain text, missing last brace", {{false, false}, {false, true}}, false, 2, false},
    };
    for (const Case& c : cases) {
        TMemoryStream stream;
        stream.WriteBuffer("xyz", 3);
        stream.WriteBuffer(body.data(), static_cast<int32_t>(body.size()));
        stream.SetPosition(3);
        TXcRTFConversion conversion;
        ASSERT_TRUE(conversion.OpenStream(stream, cdImport));
        FakeControl control;
        control.answers = c.answers;
        const auto error = StreamInWithRetry(control, conversion, c.rich);
        EXPECT_EQ(error.has_value(), c.fails) << c.name;
        EXPECT_EQ(error.value_or(""), c.fails ? "Failed to Load Stream" : "") << c.name;
        ASSERT_EQ(control.reads.size(), c.attempts) << c.name;
        for (size_t i = 0; i < c.attempts; ++i) {
            EXPECT_EQ(control.reads[i].first, i == 0 ? c.rich : !c.rich) << c.name;
            if (!c.answers[i].readsAll) continue;
            // A lone CR ends the second block of 7: it and every break stay as they are.
            EXPECT_EQ(control.reads[i].second, body) << c.name << " attempt " << i;
        }
    }
}

TEST(StreamIn, AConversionThatIgnoresErrorsKeepsWhatWentIn) {
    struct Lenient : TXcTextConversion {
        bool IgnoreErrors() const override { return true; }
    };
    TMemoryStream stream;
    stream.WriteBuffer("Aktywa", 6);
    stream.SetPosition(0);
    Lenient conversion;
    ASSERT_TRUE(conversion.OpenStream(stream, cdImport));
    FakeControl control;
    control.answers = {{false, true, false}};
    EXPECT_FALSE(StreamInWithRetry(control, conversion, false).has_value());
}

TEST(StreamIn, ProgressClimbsToAHundredOnce) {
    TMemoryStream stream;
    const std::string bytes(1000, 'a');
    stream.WriteBuffer(bytes.data(), 1000);
    stream.SetPosition(0);
    TXcTextConversion conversion;
    std::vector<int> seen;
    conversion.OnProgress = [&](TXcConversion&, int percent) { seen.push_back(percent); };
    conversion.OpenStream(stream, cdImport);
    char block[300];
    while (conversion.Read(block, sizeof block) > 0) {
    }
    EXPECT_EQ(seen, (std::vector<int>{30, 60, 90, 100}));
    EXPECT_TRUE(conversion.Retry());
    EXPECT_EQ(conversion.Progress(), 0);
    EXPECT_EQ(conversion.Read(block, 1), 1) << "read again from the start";
}

}  // namespace
