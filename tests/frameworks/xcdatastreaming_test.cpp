// Items, their extensions and sub-lists through the component writer and reader.
#include <gtest/gtest.h>

#include <functional>

#include "classlib/Streams.h"
#include "tests/frameworks/DataTestSupport.h"

namespace {

using cl::TMemoryStream;
using cl::TReader;
using cl::TWriter;

// An item class nobody registered: it is not written.
class TUnlistedItem : public TXcBaseDataItem {
    CL_CLASS(TUnlistedItem, TXcBaseDataItem)
    using TXcBaseDataItem::TXcBaseDataItem;
};
CL_CLASS_INFO(TUnlistedItem)

// "id:caption{children}" for every item, depth first.
std::string Dump(IXcDataItems& list) {
    std::string text;
    for (int i = 0; i < list.GetCount(); ++i) {
        TIntfPtr<IXcDataItem> item = list.GetItem(i);
        auto caption = Query<IXcDataItemText>(item);
        text += item->GetID() + ":" + (caption ? caption->GetCaption() : "-");
        if (auto sub = Query<IXcDataItems>(item)) text += "{" + Dump(*sub) + "}";
        text += " ";
    }
    return text;
}

std::string Bytes(TXcBaseDataItems& list) {
    TMemoryStream stream;
    TWriter writer(stream);
    list.WriteState(writer);
    return std::string(static_cast<const char*>(stream.Memory()), stream.Size());
}

TIntfPtr<TXcDataItemsList> ReadList(const std::string& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream.SetPosition(0);
    TReader reader(stream);
    TIntfPtr<TXcDataItemsList> list = New<TXcDataItemsList>();
    list->ReadState(reader);
    return list;
}

class StreamingTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterXcDataProviderClasses(); }
};

TEST_F(StreamingTest, ATreeWithItsExtensionsAndSubListsReadsBackAsWritten) {
    TIntfPtr<TXcDataItemsList> list = New<TXcDataItemsList>();
    CreateExtension<TXcBaseDataItemsListManagement>(*list);
    TTreeBuilder tree;
    tree.Build(*list, "a{b{c},d{}},e");
    TIntfPtr<TUnlistedItem> unlisted = New<TUnlistedItem>(static_cast<IXcDataItems*>(list.get()));
    list->InternalAdd(*unlisted);

    const std::string bytes = Bytes(*list);
    TIntfPtr<TXcDataItemsList> read = ReadList(bytes);

    EXPECT_EQ(Dump(*read),
              "a:Caption of a{b:Caption of b{c:Caption of c } d:Caption of d{} } e:Caption of e ");
    EXPECT_NE(Query<IXcDataItemsManagement>(read), nullptr);
    EXPECT_EQ(Bytes(*read), bytes);
}

// Streams that each break one rule, written after an item list's start.
struct BadStream {
    const char* what;
    std::function<void(TWriter&)> write;
    const char* message;
};

void Element(TWriter& w, const char* className) {
    w.WriteListBegin();
    w.WritePropName("ClassName");
    w.WriteString(className);
}

const BadStream kBadStreams[] = {
    {"extensions not a collection",
     [](TWriter& w) {
         w.WritePropName("Extensions");
         w.WriteListBegin();
     },
     "Expected collection"},
    {"element without ClassName",
     [](TWriter& w) {
         w.WritePropName("Items");
         w.WriteValue(cl::vaCollection);
         w.WriteListBegin();
         w.WritePropName("ID");
         w.WriteString("a");
     },
     "Missing ClassName property"},
    {"empty element",
     [](TWriter& w) {
         w.WritePropName("Items");
         w.WriteValue(cl::vaCollection);
         w.WriteListBegin();
         w.WriteListEnd();
     },
     "Missing ClassName property"},
    {"class not registered",
     [](TWriter& w) {
         w.WritePropName("Extensions");
         w.WriteValue(cl::vaCollection);
         Element(w, "TNope");
     },
     "Class TNope not found"},
    {"an item as an extension",
     [](TWriter& w) {
         w.WritePropName("Extensions");
         w.WriteValue(cl::vaCollection);
         Element(w, "TXcBaseDataItem");
     },
     "Invalid class type"},
    {"an item extension on a list",
     [](TWriter& w) {
         w.WritePropName("Extensions");
         w.WriteValue(cl::vaCollection);
         Element(w, "TXcDataItemTextImpl");
     },
     "Invalid class type"},
    {"an extension as an item",
     [](TWriter& w) {
         w.WritePropName("Items");
         w.WriteValue(cl::vaCollection);
         Element(w, "TXcDataItemTextImpl");
     },
     "Invalid class type"},
    {"unknown property",
     [](TWriter& w) {
         w.WritePropName("Items");
         w.WriteValue(cl::vaCollection);
         Element(w, "TXcBaseDataItem");
         w.WritePropName("Nope");
         w.WriteInteger(1);
     },
     "Property Nope does not exist"},
    {"ID as a number",
     [](TWriter& w) {
         w.WritePropName("Items");
         w.WriteValue(cl::vaCollection);
         Element(w, "TXcBaseDataItem");
         w.WritePropName("ID");
         w.WriteInteger(1);
     },
     "Invalid property value"},
    {"string longer than the stream",
     [](TWriter& w) {
         w.WritePropName("Items");
         w.WriteValue(cl::vaCollection);
         w.WriteListBegin();
         w.WritePropName("ClassName");
         w.WriteValue(cl::vaLString);
         w.WriteValue(static_cast<cl::TValueType>(0xFF));
         w.WriteValue(static_cast<cl::TValueType>(0xFF));
         w.WriteValue(static_cast<cl::TValueType>(0xFF));
         w.WriteValue(static_cast<cl::TValueType>(0x7F));
     },
     "Stream read error"},
    {"cut short", [](TWriter& w) { w.WritePropName("Items"); }, "Stream read error"},
};

TEST_F(StreamingTest, BrokenStreamsRaiseReadErrors) {
    for (const BadStream& bad : kBadStreams) {
        SCOPED_TRACE(bad.what);
        TMemoryStream stream;
        TWriter writer(stream);
        bad.write(writer);
        const std::string bytes(static_cast<const char*>(stream.Memory()), stream.Size());
        EXPECT_EQ(MessageOf<cl::EReadError>([&] { ReadList(bytes); }), bad.message);
    }
}

TEST_F(StreamingTest, ACutStreamRaisesWhereverItEnds) {
    TIntfPtr<TXcDataItemsList> list = New<TXcDataItemsList>();
    TTreeBuilder tree;
    tree.Build(*list, "a{b}");
    const std::string bytes = Bytes(*list);
    for (size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_THROW(ReadList(bytes.substr(0, length)), cl::EReadError);
    }
}

}  // namespace
