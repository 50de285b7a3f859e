// Streams: short transfers, seeking, sizing, copying, file errors and
// file names with Polish letters.
#include "classlib/Streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/FileStream.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using cltest::TempFolder;

const std::string kDigits = "0123456789";

enum class Kind { Memory, File };
constexpr Kind kKinds[] = {Kind::Memory, Kind::File};
const char* KindName(Kind kind) {
    return kind == Kind::Memory ? "memory stream" : "file stream";
}

// A stream of the kind holding content, positioned at 0.
std::unique_ptr<TStream> MakeStream(Kind kind, const TempFolder& folder, const std::string& content) {
    std::unique_ptr<TStream> stream;
    if (kind == Kind::Memory)
        stream = std::make_unique<TMemoryStream>();
    else
        stream = std::make_unique<TFileStream>(folder.Name("stream.bin"), fmCreate);
    stream->WriteBuffer(content.data(), static_cast<int32_t>(content.size()));
    stream->SetPosition(0);
    return stream;
}

std::string Contents(TStream& stream) {
    std::string bytes(static_cast<size_t>(stream.Size()), '\0');
    stream.SetPosition(0);
    stream.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    return bytes;
}

struct ReadCase {
    int64_t position;
    int32_t count;
    std::string expected;
};
const ReadCase kReadCases[] = {
    {0, 4, "0123"}, {6, 4, "6789"}, {8, 4, "89"}, {10, 4, ""},
    {15, 4, ""},    {0, 0, ""},     {0, -1, ""},  {3, 100, "3456789"},
};

TEST(Stream, ReadTransfersAtMostWhatRemains) {
    TempFolder folder;
    for (Kind kind : kKinds) {
        for (const ReadCase& c : kReadCases) {
            SCOPED_TRACE(std::string(KindName(kind)) + " at " + std::to_string(c.position) + " count " +
                         std::to_string(c.count));
            auto stream = MakeStream(kind, folder, kDigits);
            stream->SetPosition(c.position);
            std::vector<char> buffer(std::max(c.count, 0) + 1, '#');
            const int32_t n = stream->Read(buffer.data(), c.count);
            EXPECT_EQ(std::string(buffer.data(), std::max(n, 0)), c.expected);
            EXPECT_EQ(buffer[c.expected.size()], '#') << "wrote past the bytes read";
            EXPECT_EQ(stream->Position(), c.position + n);
        }
    }
}

TEST(Stream, ReadBufferRaisesUnlessAllBytesArrive) {
    TempFolder folder;
    for (Kind kind : kKinds) {
        for (const ReadCase& c : kReadCases) {
            SCOPED_TRACE(std::string(KindName(kind)) + " at " + std::to_string(c.position) + " count " +
                         std::to_string(c.count));
            auto stream = MakeStream(kind, folder, kDigits);
            stream->SetPosition(c.position);
            std::vector<char> buffer(std::max(c.count, 0) + 1);
            const bool complete = c.count >= 0 && static_cast<size_t>(c.count) == c.expected.size();
            if (complete) {
                EXPECT_NO_THROW(stream->ReadBuffer(buffer.data(), c.count));
            } else {
                try {
                    stream->ReadBuffer(buffer.data(), c.count);
                    ADD_FAILURE() << "no EReadError";
                } catch (const EReadError& e) {
                    EXPECT_EQ(e.Message(), "Stream read error");
                }
            }
        }
    }
}

TEST(Stream, SeeksFromEachOrigin) {
    struct Case {
        TSeekOrigin origin;
        int64_t offset;
        int64_t expected;
    };
    const Case cases[] = {
        {soBeginning, 3, 3}, {soBeginning, 12, 12}, {soCurrent, 2, 6}, {soCurrent, -4, 0},
        {soCurrent, 0, 4},   {soEnd, 0, 10},        {soEnd, -3, 7},    {soEnd, 5, 15},
    };
    TempFolder folder;
    for (Kind kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(KindName(kind)) + " origin " + std::to_string(c.origin) + " offset " +
                         std::to_string(c.offset));
            auto stream = MakeStream(kind, folder, kDigits);
            stream->SetPosition(4);
            EXPECT_EQ(stream->Seek(c.offset, c.origin), c.expected);
            EXPECT_EQ(stream->Position(), c.expected);
            EXPECT_EQ(stream->Size(), 10);
        }
    }
}

TEST(Stream, SeekBeforeStartRaisesAndKeepsPosition) {
    const std::pair<TSeekOrigin, int64_t> cases[] = {{soBeginning, -1}, {soCurrent, -5}, {soEnd, -11}};
    TempFolder folder;
    for (Kind kind : kKinds) {
        for (auto [origin, offset] : cases) {
            SCOPED_TRACE(std::string(KindName(kind)) + " origin " + std::to_string(origin));
            auto stream = MakeStream(kind, folder, kDigits);
            stream->SetPosition(4);
            EXPECT_THROW(stream->Seek(offset, origin), EStreamError);
            EXPECT_EQ(stream->Position(), 4);
        }
    }
}

TEST(Stream, SetSizeTruncatesOrExtendsWithZeros) {
    struct Case {
        int64_t position;
        int64_t size;
        int64_t expectedPosition;
        std::string expected;
    };
    const Case cases[] = {
        {8, 4, 4, "0123"},     {2, 4, 2, "0123"}, {5, 0, 0, ""}, {3, 12, 3, kDigits + std::string(2, '\0')},
        {10, 10, 10, kDigits},
    };
    TempFolder folder;
    for (Kind kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(KindName(kind)) + " size " + std::to_string(c.size));
            auto stream = MakeStream(kind, folder, kDigits);
            stream->SetPosition(c.position);
            stream->SetSize(c.size);
            EXPECT_EQ(stream->Position(), c.expectedPosition);
            EXPECT_EQ(stream->Size(), c.size);
            EXPECT_EQ(Contents(*stream), c.expected);
        }
    }
}

TEST(Stream, WritePastEndFillsTheGapWithZeros) {
    TempFolder folder;
    for (Kind kind : kKinds) {
        SCOPED_TRACE(KindName(kind));
        auto stream = MakeStream(kind, folder, "ab");
        stream->Seek(2, soEnd);
        EXPECT_EQ(stream->Write("z", 1), 1);
        EXPECT_EQ(Contents(*stream), std::string("ab\0\0z", 5));
    }
}

TEST(Stream, CopyFromCopiesCountOrWholeSource) {
    struct Case {
        int64_t sourcePosition;
        int64_t count;
        std::string expected;
    };
    const Case cases[] = {
        {2, 3, "234"},
        {7, 0, kDigits},  // 0: everything, from the start
        {0, 10, kDigits},
        {9, 1, "9"},
    };
    TempFolder folder;
    for (Kind kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(KindName(kind)) + " count " + std::to_string(c.count));
            auto source = MakeStream(kind, folder, kDigits);
            source->SetPosition(c.sourcePosition);
            TMemoryStream target;
            target.WriteBuffer(">", 1);
            EXPECT_EQ(target.CopyFrom(*source, c.count), static_cast<int64_t>(c.expected.size()));
            EXPECT_EQ(Contents(target), ">" + c.expected);
        }
    }
}

TEST(Stream, CopyFromRaisesWhenSourceIsShort) {
    const std::pair<int64_t, int64_t> cases[] = {{8, 5}, {10, 1}, {0, -1}};
    for (auto [position, count] : cases) {
        SCOPED_TRACE("count " + std::to_string(count));
        TMemoryStream source, target;
        source.WriteBuffer(kDigits.data(), 10);
        source.SetPosition(position);
        EXPECT_THROW(target.CopyFrom(source, count), EReadError);
    }
}

TEST(Stream, ValuesAreLittleEndian) {
    TMemoryStream stream;
    stream.WriteValue<uint32_t>(0x11223344);
    stream.WriteValue<int16_t>(-2);
    stream.WriteValue<uint8_t>(0xAB);
    EXPECT_EQ(Contents(stream), "\x44\x33\x22\x11\xFE\xFF\xAB");
    stream.SetPosition(0);
    EXPECT_EQ(stream.ReadValue<uint32_t>(), 0x11223344u);
    EXPECT_EQ(stream.ReadValue<int16_t>(), -2);
    EXPECT_THROW(stream.ReadValue<uint16_t>(), EReadError);
}

TEST(MemoryStream, LoadAndSaveTakeTheWholeStreamWhateverThePosition) {
    TMemoryStream source;
    source.WriteBuffer(kDigits.data(), 10);
    source.SetPosition(6);
    TMemoryStream copy;
    copy.WriteBuffer("old contents", 12);
    copy.LoadFromStream(source);
    EXPECT_EQ(copy.Position(), 0);
    EXPECT_EQ(std::string(static_cast<const char*>(copy.Memory()), 10), kDigits);
    EXPECT_EQ(copy.Size(), 10);

    copy.SetPosition(3);
    TMemoryStream saved;
    copy.SaveToStream(saved);
    EXPECT_EQ(Contents(saved), kDigits);

    copy.Clear();
    EXPECT_EQ(copy.Size(), 0);
    EXPECT_EQ(copy.Position(), 0);
}

TEST(FileStream, FailuresNameTheFileAndTheSystemReason) {
    TempFolder folder;
    const std::string missingFile = folder.Name("brak.spr");
    const std::string inMissingFolder = TempFolder::Join(folder.Name("brak"), "plik.spr");
    struct Case {
        const char* what;
        std::string name;
        uint32_t mode;
        bool create;
    };
    const Case cases[] = {
        {"open missing file for reading", missingFile, fmOpenRead | fmShareDenyWrite, false},
        {"open missing file for writing", missingFile, fmOpenReadWrite, false},
        {"open with an invalid access mode", missingFile, 3, false},
        {"create in a missing folder", inMissingFolder, fmCreate, true},
        {"create where a folder is", folder.Name(""), fmCreate, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string prefix =
            std::string(c.create ? "Cannot create file \"" : "Cannot open file \"") + c.name + "\". ";
        try {
            TFileStream stream(c.name, c.mode);
            ADD_FAILURE() << "no exception";
        } catch (const EStreamError& e) {
            EXPECT_EQ(c.create, dynamic_cast<const EFCreateError*>(&e) != nullptr);
            EXPECT_EQ(!c.create, dynamic_cast<const EFOpenError*>(&e) != nullptr);
            ASSERT_GT(e.Message().size(), prefix.size()) << e.Message();
            EXPECT_EQ(e.Message().substr(0, prefix.size()), prefix);
            EXPECT_NE(e.Message().back(), '\n');
        }
    }
}

TEST(FileStream, WriteToFileOpenedForReadingMovesNothing) {
    TempFolder folder;
    const std::string name = folder.Name("tylko.txt");
    cltest::WriteBytes(name, "abc");
    {
        TFileStream stream(name, fmOpenRead);
        EXPECT_EQ(stream.Write("x", 1), 0);
        EXPECT_THROW(stream.WriteBuffer("x", 1), EWriteError);
    }
    EXPECT_EQ(cltest::ReadBytes(name), "abc");
}

TEST(FileStream, PolishNamesRoundTrip) {
    const std::string names[] = {
        "Sprawozdanie źółć.spr",
        "ZAŻÓŁĆ GĘŚLĄ JAŹŃ.kon",
    };
    TempFolder folder;
    for (const std::string& leaf : names) {
        const std::string name = folder.Name(leaf);
        SCOPED_TRACE(cl::Cp1250ToUtf8(name));
        {
            TFileStream stream(name, fmCreate);
            stream.WriteBuffer("dane", 4);
        }
        EXPECT_TRUE(std::filesystem::exists(cltest::PathOf(name)));
        TMemoryStream copy;
        copy.LoadFromFile(name);
        EXPECT_EQ(Contents(copy), "dane");
        copy.SaveToFile(name + ".bak");
        EXPECT_EQ(cltest::ReadBytes(name + ".bak"), "dane");
    }
}

TEST(FileStream, PolishFolderNameRoundTrip) {
    TempFolder folder;
    const std::string sub = folder.Name("Dokumenty łódzkie");
    std::filesystem::create_directory(cltest::PathOf(sub));
    const std::string name = TempFolder::Join(sub, "źółć.txt");
    TMemoryStream data;
    data.WriteBuffer("Zażółć", 6);
    data.SaveToFile(name);
    EXPECT_EQ(cltest::ReadBytes(name), "Zażółć");
}

#ifdef _WIN32
TEST(FileStream, ShareFlagsDecideWhetherASecondOpenSucceeds) {
    struct Case {
        uint32_t first;
        uint32_t second;
        bool allowed;
    };
    const Case cases[] = {
        {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyNone, true},
        {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyWrite, true},
        {fmOpenReadWrite | fmShareDenyNone, fmOpenRead | fmShareDenyWrite, false},  // a writer is open
        {fmOpenRead | fmShareDenyWrite, fmOpenWrite | fmShareDenyNone, false},
        {fmOpenRead | fmShareDenyNone, fmOpenWrite | fmShareDenyNone, true},
        {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
        {fmCreate, fmOpenRead | fmShareDenyNone, false},
    };
    TempFolder folder;
    const std::string name = folder.Name("wspólny.bin");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + " then " + std::to_string(c.second));
        cltest::WriteBytes(name, "x");
        TFileStream first(name, c.first);
        if (c.allowed)
            EXPECT_NO_THROW({ TFileStream second(name, c.second); });
        else
            EXPECT_THROW({ TFileStream second(name, c.second); }, EFOpenError);
    }
}
#endif

}  // namespace
