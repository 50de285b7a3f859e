// The animated-cursor codec: the RIFF walk, its bounds, the steps and the writer.
#include <gtest/gtest.h>

#include "classlib/Exceptions.h"
#include "frameworks/AniFile.h"
#include "tests/frameworks/AniTestFiles.h"

namespace {

using namespace anitest;

Bytes Icons(int n) {
    Bytes fram{'f', 'r', 'a', 'm'};
    for (int i = 0; i < n; ++i) {
        const Bytes c = Chunk("icon", IconResource(2, 16, 4, 3, 5, static_cast<uint8_t>(i)));
        fram.insert(fram.end(), c.begin(), c.end());
    }
    return Chunk("LIST", fram);
}

// Reads and gives the icon count, or the message raised.
std::string Outcome(const Bytes& bytes, TAniFile* out = nullptr) {
    TAniFile ani;
    try {
        ReadAni(bytes.data(), bytes.size(), ani);
    } catch (const cl::Exception& e) {
        return e.what();
    }
    if (out) *out = ani;
    return std::to_string(ani.icons.size()) + " icons";
}

TEST(AniReader, KeepsWithinTheFileAndItsLists) {
    const Bytes icon = Chunk("icon", IconResource(2, 16, 4));
    Bytes pastChunk = IconResource(2, 16, 4);
    pastChunk[4] = 9;  // nine directory entries in a one-entry resource
    Bytes offsetOutside = IconResource(2, 16, 4);
    offsetOutside[18] = 0xF0;  // the image starts far past the resource
    struct Case {
        const char* name;
        Bytes bytes;
        std::string outcome;
    } cases[] = {
        {"not RIFF", Text("RIFX\0\0\0\0ACON"), "Stream read error"},
        {"not ACON", Concat({Text("RIFF"), Table({4}), Text("AVI ")}), "Stream read error"},
        {"short RIFF", Text("RIFF"), "Stream read error"},
        {"plain", Riff({Anih(2, 2, 6), Icons(2)}), "2 icons"},
        {"no anih", Riff({Icons(3)}), "3 icons"},
        {"anih under 36 bytes", Riff({Icons(1), Anih(1, 1, 6, 1, 32)}), "Stream read error"},
        {"anih without icon flag", Riff({Anih(1, 1, 6, 0), Icons(1)}), "Stream read error"},
        {"anih without frames", Riff({Anih(0, 1, 6), Icons(1)}), "Stream read error"},
        {"no icons", Riff({Anih(1, 1, 6)}), "Stream read error"},
        {"chunk of 0xFFFFFFFF", Riff({Icons(1), Chunk("junk", {}, 0xFFFFFFFF), Icons(1)}), "1 icons"},
        {"odd size that wraps when rounded", Riff({Icons(1), Chunk("rate", Table({1}), 0xFFFFFFFF)}),
         "1 icons"},
        {"signed size seeking back", Riff({Icons(1), Chunk("seq ", {}, 0xFFFFFFF0), Icons(1)}), "1 icons"},
        {"rate larger than the file", Riff({Icons(1), Chunk("rate", Table({1, 2}), 0x40000000)}), "1 icons"},
        {"LIST under 4 bytes", Riff({Icons(1), Chunk("LIST", {'f', 'r'}), Icons(1)}), "1 icons"},
        {"icon larger than its list", Riff({Chunk("LIST", Concat({Text("fram"), icon}), 4 + 8 + 10)}),
         "Stream read error"},
        {"icon count past the chunk", Riff({List("fram", {icon, Chunk("icon", pastChunk), icon})}),
         "1 icons"},
        {"entry offset outside", Riff({List("fram", {icon, Chunk("icon", offsetOutside), icon})}), "1 icons"},
        {"odd chunk padded", Riff({Chunk("odd!", {1, 2, 3}), Icons(2)}), "2 icons"},
    };
    for (const Case& c : cases) EXPECT_EQ(Outcome(c.bytes), c.outcome) << c.name;
}

TEST(AniReader, StepsTakeTheirIconAndRate) {
    TAniFile ani;
    ASSERT_EQ(Outcome(Riff({Anih(3, 4, 9), Chunk("rate", Table({1, 2})), Chunk("seq ", Table({2, 7, -1, 0})),
                            Icons(3)}),
                      &ani),
              "3 icons");
    EXPECT_EQ(ani.stepCount, 4);
    struct Step {
        int64_t step;
        int icon;  // -1: no frame
        uint32_t rate;
    } steps[] = {{0, 2, 1}, {1, -1, 0}, {2, -1, 0}, {3, 0, 9}, {4, -1, 0}, {-1, -1, 0}};
    for (const Step& s : steps) {
        const auto got = AniStepAt(ani, s.step);
        EXPECT_EQ(got ? got->icon : -1, s.icon) << s.step;
        EXPECT_EQ(got ? got->rate : 0, s.rate) << s.step;
    }
    EXPECT_EQ(ani.icons[0].entries[0].hotspotX, 3);
    EXPECT_EQ(ani.icons[0].entries[0].hotspotY, 5);
    EXPECT_FALSE(ani.icons[0].isIcon);
    EXPECT_EQ(ani.maxColors, 16);
}

TEST(AniReader, TitleAndAuthorStopAt255BytesOrAZero) {
    TAniFile ani;
    const Bytes info =
        List("INFO", {Chunk("INAM", Text(std::string(300, 't'))), Chunk("IART", Text("ab\0cd"))});
    ASSERT_EQ(Outcome(Riff({info, Icons(1)}), &ani), "1 icons");
    EXPECT_EQ(ani.title, std::string(255, 't'));
    EXPECT_EQ(ani.author, "ab");
}

TEST(AniReader, CutAtEveryOffsetReadsOrRaisesStreamReadError) {
    const Bytes whole = Riff({List("INFO", {Chunk("INAM", Text("name"))}), Anih(2, 3, 6),
                              Chunk("rate", Table({1, 2, 3})), Chunk("seq ", Table({0, 1, 0})), Icons(2)});
    for (size_t n = 0; n < whole.size(); ++n) {
        const Bytes cut(whole.begin(), whole.begin() + n);
        const std::string outcome = Outcome(cut);
        EXPECT_TRUE(outcome == "Stream read error" || outcome.ends_with(" icons") || n == 0)
            << n << ": " << outcome;
    }
}

TEST(AniWriter, RoundTripIsByteExactAndKeepsTheCursor) {
    const Bytes original =
        Riff({List("INFO", {Chunk("INAM", Text(std::string("Title") + '\0')),
                            Chunk("IART", Text(std::string("Me") + '\0'))}),
              Anih(2, 3, 7), Chunk("rate", Table({1, 2, 3})), Chunk("seq ", Table({1, 0, 1})), Icons(2)});
    TAniFile ani;
    ASSERT_EQ(Outcome(original, &ani), "2 icons");
    const Bytes written = WriteAni(ani);
    EXPECT_EQ(written, original);
    TAniFile back;
    ASSERT_EQ(Outcome(written, &back), "2 icons");
    EXPECT_EQ(back.title, "Title");
    EXPECT_EQ(back.author, "Me");
    EXPECT_EQ(back.rates, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(back.sequence, (std::vector<int32_t>{1, 0, 1}));
    EXPECT_EQ(back.header.rate, 7u);
    EXPECT_EQ(back.icons[1].entries[0].hotspotX, 3);
    EXPECT_EQ(back.icons[1].entries[0].hotspotY, 5);
}

TEST(AniWriter, AFileWithoutHeaderIsWrittenSoItLoadsAgain) {
    TAniFile ani;
    ASSERT_EQ(Outcome(Riff({Icons(3)}), &ani), "3 icons");
    const Bytes written = WriteAni(ani);
    EXPECT_EQ(written.size() - 8,
              uint32_t(written[4] | written[5] << 8 | written[6] << 16 | written[7] << 24));
    TAniFile back;
    ASSERT_EQ(Outcome(written, &back), "3 icons");
    EXPECT_EQ(back.header.size, 36u);
    EXPECT_EQ(back.header.flags & 1, 1u);
    EXPECT_EQ(back.header.steps, 3u);
    EXPECT_THROW(WriteAni(TAniFile{}), cl::EInvalidGraphicOperation);
}

TEST(AniIcons, TheImageShownIsTheNearestInWidthThenTheDeepestWithItsOwnHotspot) {
    const Bytes images[] = {IconResource(2, 16, 4, 1, 2), IconResource(2, 32, 4, 7, 9),
                            IconResource(2, 32, 8, 11, 13), IconResource(2, 48, 8, 20, 21)};
    const Bytes cursor = Resource({images[0], images[1], images[2], images[3]});
    TAniFile ani;
    ASSERT_EQ(Outcome(Riff({List("fram", {Chunk("icon", cursor)})}), &ani), "1 icons");
    const TAniIcon& icon = ani.icons[0];
    ASSERT_EQ(icon.entries.size(), 4u);
    const struct {
        int want;
        size_t entry;
        int32_t hotX, hotY;
    } cases[] = {{32, 2, 11, 13}, {16, 0, 1, 2}, {8, 0, 1, 2}, {44, 3, 20, 21}, {40, 2, 11, 13}};
    for (const auto& c : cases) {
        const size_t entry = AniIconEntryFor(icon, c.want);
        EXPECT_EQ(entry, c.entry) << c.want;
        EXPECT_EQ(icon.entries[entry].hotspotX, c.hotX) << c.want;
        EXPECT_EQ(icon.entries[entry].hotspotY, c.hotY) << c.want;
    }
    // The whole resource as an icon file: only the type changes.
    Bytes asIcon = cursor;
    asIcon[2] = 1;
    EXPECT_EQ(AniIconAsIconFile(icon), asIcon);
}

TEST(AniTiming, IntervalsInMilliseconds) {
    EXPECT_EQ(AniIntervalMs(0), 100u);
    EXPECT_EQ(AniIntervalMs(1), 16u);
    EXPECT_EQ(AniIntervalMs(6), 100u);
    EXPECT_EQ(AniIntervalMs(0x7FFFFFFF), 0x7FFFFFFFu);
    EXPECT_EQ(AniIntervalMs(0xFFFFFFFF), 0x7FFFFFFFu);
}

}  // namespace
