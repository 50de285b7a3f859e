// The page store: pages back to back as whole EMF images in memory or in a
// temporary "PP" file, byte-identical round trips, a loaded page rewritten
// in place with the later pages moved, and the temporary file's life.
#include "preview/win/MetafileList.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "classlib/win/WideText.h"
#include "tests/preview/win/PreviewSupport.h"
#include "tests/support/PrinterOutput.h"

namespace {

using namespace cl;
using cltest::FileExists;
using previewtest::A4Page;
using previewtest::ImageOf;
using previewtest::PageDrawing;

std::unique_ptr<TMetafile> PageWithLines(int lines) {
    PageDrawing d;
    d.black = {Rect(1000, 1000, 5000, 5000)};
    d.filler = lines;
    return A4Page(d);
}

std::string TempFolder() {
    wchar_t path[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, path);
    return FromWide(std::wstring(path, n));
}

// In memory and in the temporary file alike.
class PageStoreTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        store.SetUseTempFile(GetParam());
        for (int lines : {3, 40, 7}) {
            auto page = PageWithLines(lines);
            images.push_back(ImageOf(*page));
            store.Add(page.get());
        }
    }

    int64_t Total() const {
        return std::accumulate(
            images.begin(), images.end(), int64_t{0},
            [](int64_t sum, const std::vector<uint8_t>& i) { return sum + int64_t(i.size()); });
    }

    void ExpectPagesAre(const std::vector<std::vector<uint8_t>>& expected) {
        ASSERT_EQ(store.Count(), static_cast<int>(expected.size()));
        int64_t offset = 0;
        for (int i = 0; i < store.Count(); ++i) {
            EXPECT_EQ(store.PageOffset(i), offset) << "page " << i;
            EXPECT_EQ(store.PageImage(i), expected[i]) << "page " << i;
            offset += static_cast<int64_t>(expected[i].size());
        }
        EXPECT_EQ(store.StreamSize(), offset);
    }

    TMetafileList store;
    std::vector<std::vector<uint8_t>> images;
};

TEST_P(PageStoreTest, ThreePagesRoundTripByteIdentical) {
    ExpectPagesAre(images);
    // Loaded back in any order, each page saves its own image again.
    for (int i : {2, 0, 1, 1}) EXPECT_EQ(ImageOf(*store.LoadPage(i)), images[i]) << "page " << i;
    EXPECT_EQ(store.CachedIndex(), 1);
    if (GetParam()) {
        const std::string name = store.TempFileName();
        EXPECT_EQ(name.rfind(TempFolder() + "PP", 0), 0u) << name;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ASSERT_TRUE(GetFileAttributesExW(ToWide(name).c_str(), GetFileExInfoStandard, &data));
        EXPECT_EQ(static_cast<int64_t>(data.nFileSizeLow), Total());
    } else {
        EXPECT_EQ(store.TempFileName(), "");
    }
}

TEST_P(PageStoreTest, MiddlePageRewrittenLargerAndSmallerKeepsTheOthers) {
    std::vector<int> modified;
    store.OnPageModified = [&](TObject*, int index) { modified.push_back(index); };
    for (int lines : {200, 1, 40}) {
        TMetafile* page = store.LoadPage(1);
        auto replacement = PageWithLines(lines);
        page->Assign(replacement.get());
        images[1] = ImageOf(*replacement);
        ExpectPagesAre(images);
    }
    EXPECT_EQ(modified, (std::vector<int>{1, 1, 1}));
    // The pages after it load as before.
    EXPECT_EQ(ImageOf(*store.LoadPage(2)), images[2]);
}

TEST_P(PageStoreTest, LastPageRewrittenGrowsAndShrinksTheStream) {
    for (int lines : {300, 2}) {
        auto replacement = PageWithLines(lines);
        store.LoadPage(2)->Assign(replacement.get());
        images[2] = ImageOf(*replacement);
        ExpectPagesAre(images);
        EXPECT_EQ(store.StreamSize(), Total());
    }
}

TEST_P(PageStoreTest, ClearDropsPagesStreamAndTemporaryFile) {
    int changes = 0;
    store.OnChange = [&](TObject*) { ++changes; };
    const std::string file = store.TempFileName();
    store.ClearAll();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.StreamSize(), 0);
    EXPECT_EQ(store.CachedIndex(), -1);
    EXPECT_EQ(store.TempFileName(), "");
    if (GetParam()) {
        EXPECT_FALSE(FileExists(file));
    }
    // The next page starts a new stream.
    auto page = PageWithLines(5);
    store.Add(page.get());
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(store.PageImage(0), ImageOf(*page));
}

INSTANTIATE_TEST_SUITE_P(Storage, PageStoreTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "TempFile" : "Memory");
                         });

TEST(PageStore, EmptyStoreHasNoStreamAndClearsHarmlessly) {
    TMetafileList store;
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.StreamSize(), 0);
    store.Clear();
    store.SetUseTempFile(true);
    EXPECT_EQ(store.TempFileName(), "");  // no file before the first page
    store.Clear();
    EXPECT_THROW(store.LoadPage(0), EListError);
}

TEST(PageStore, SwitchingToTheTempFileMovesThePagesAndSwitchingOffDeletesIt) {
    TMetafileList store;
    std::vector<std::vector<uint8_t>> images;
    for (int lines : {10, 20}) {
        auto page = PageWithLines(lines);
        images.push_back(ImageOf(*page));
        store.Add(page.get());
    }
    store.SetUseTempFile(true);
    const std::string file = store.TempFileName();
    ASSERT_FALSE(file.empty());
    EXPECT_TRUE(FileExists(file));
    for (int i = 0; i < 2; ++i) EXPECT_EQ(store.PageImage(i), images[i]);
    store.SetUseTempFile(false);
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(store.TempFileName(), "");
    for (int i = 0; i < 2; ++i) EXPECT_EQ(ImageOf(*store.LoadPage(i)), images[i]);
}

TEST(PageStore, TemporaryFileGoesWithTheStore) {
    std::string file;
    {
        TMetafileList store;
        store.SetUseTempFile(true);
        auto page = PageWithLines(1);
        store.Add(page.get());
        file = store.TempFileName();
        EXPECT_TRUE(FileExists(file));
    }
    EXPECT_FALSE(FileExists(file));
}

TEST(PageStore, RefusesEmptyPagesAndIndexesOutOfRange) {
    TMetafileList store;
    TMetafile empty;
    EXPECT_THROW(store.Add(&empty), EInvalidGraphic);
    EXPECT_THROW(store.Add(nullptr), EInvalidGraphic);
    EXPECT_EQ(store.Count(), 0);
    auto page = PageWithLines(1);
    store.Add(page.get());
    EXPECT_THROW(store.LoadPage(1), EListError);
    EXPECT_THROW(store.LoadPage(-1), EListError);
    EXPECT_NO_THROW(store.LoadPage(0));
}

TEST(PageStore, SameIndexAgainKeepsTheCachedObjectUntouched) {
    TMetafileList store;
    for (int lines : {1, 2}) {
        auto page = PageWithLines(lines);
        store.Add(page.get());
    }
    TMetafile* first = store.LoadPage(0);
    const HENHMETAFILE handle = first->Handle();
    EXPECT_EQ(store.LoadPage(0), first);
    EXPECT_EQ(first->Handle(), handle);
    store.LoadPage(1);
    EXPECT_NE(store.LoadPage(1)->Handle(), nullptr);
}

}  // namespace
