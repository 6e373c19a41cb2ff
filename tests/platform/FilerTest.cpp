#include "platform/Filer.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

String Bytes(TMemoryStream& stream) {
    return String(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

TMemoryStream StreamOf(const String& bytes) {
    TMemoryStream stream;
    stream.Write(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

TEST(FilerTest, IntegersTakeTheSmallestCodeThatHoldsThem) {
    struct Case {
        int Value;
        String Encoded;
    } cases[] = {
        {0, String("\x02\x00", 2)},
        {127, "\x02\x7f"},
        {-128, "\x02\x80"},
        {128, String("\x03\x80\x00", 3)},
        {-129, "\x03\x7f\xff"},
        {300, String("\x03\x2c\x01", 3)},
        {32767, "\x03\xff\x7f"},
        {-32768, String("\x03\x00\x80", 3)},
        {32768, String("\x04\x00\x80\x00\x00", 5)},
        {-32769, "\x04\xff\x7f\xff\xff"},
    };
    for (const Case& c : cases) {
        TMemoryStream stream;
        TWriter writer(stream);
        writer.WriteInteger(c.Value);
        EXPECT_EQ(Bytes(stream), c.Encoded) << c.Value;
        stream.SetPosition(0);
        TReader reader(stream);
        EXPECT_EQ(reader.ReadInteger(), c.Value);
    }
}

TEST(FilerTest, TextsUpTo255CharactersAreShortOthersLong) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteString("ab");
    writer.WriteString(String(256, 'x'));
    String bytes = Bytes(stream);
    EXPECT_EQ(bytes.substr(0, 4), "\x06\x02"
                                  "ab");
    EXPECT_EQ(bytes.substr(4, 5), String("\x0c\x00\x01\x00\x00", 5));
    stream.SetPosition(0);
    TReader reader(stream);
    EXPECT_EQ(reader.ReadString(), "ab");
    EXPECT_EQ(reader.ReadString(), String(256, 'x'));
}

TEST(FilerTest, DefinedPropertiesGoByNameAndOnlyWithData) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.DefineProperty(
        "Skipped", nullptr, [](TWriter& w) { w.WriteInteger(1); }, false);
    writer.DefineProperty(
        "Count", nullptr, [](TWriter& w) { w.WriteInteger(5); }, true);
    writer.DefineBinaryProperty(
        "Block", nullptr, [](TStream& s) { s.Write("xyz", 3); }, true);
    writer.WriteProperties();
    EXPECT_EQ(Bytes(stream), String("\x05"
                                    "Count\x02\x05"
                                    "\x05"
                                    "Block\x0a\x03\x00\x00\x00xyz\x00",
                                    23));
    stream.SetPosition(0);
    TReader reader(stream);
    int count = 0;
    String block;
    reader.DefineProperty(
        "Count", [&](TReader& r) { count = r.ReadInteger(); }, nullptr, false);
    reader.DefineBinaryProperty(
        "Block",
        [&](TStream& s) {
            block.resize(static_cast<size_t>(s.Size()));
            s.Read(block.data(), static_cast<int>(block.size()));
        },
        nullptr, false);
    reader.ReadProperties();
    EXPECT_EQ(count, 5);
    EXPECT_EQ(block, "xyz");
}

TEST(FilerTest, DamagedValuesEndInTheReadError) {
    struct Case {
        const char* What;
        String Bytes;
        bool Text;
        String Message;
    } cases[] = {
        {"cut-off integer", "\x03\x01", false, "Stream read error"},
        {"unknown code", "\x0d", false, "Invalid property value"},
        {"text where an integer belongs",
         "\x06\x01"
         "a",
         false, "Invalid property value"},
        {"text longer than the stream",
         "\x06\x10"
         "abc",
         true, "Stream read error"},
        {"long text longer than the stream",
         String("\x0c\xff\xff\xff\x7f"
                "a",
                6),
         true, "Stream read error"},
        {"nothing at all", "", true, "Stream read error"},
    };
    for (const Case& c : cases) {
        TMemoryStream stream = StreamOf(c.Bytes);
        TReader reader(stream);
        EXPECT_EQ(TestSupport::MessageOf<EReadError>([&] {
                      if (c.Text)
                          reader.ReadString();
                      else
                          reader.ReadInteger();
                  }),
                  c.Message)
            << c.What;
    }
}

TEST(FilerTest, AnUnknownPropertyOrAMissingEndIsAReadError) {
    TMemoryStream unknown = StreamOf(String("\x04"
                                            "Nope\x02\x01\x00",
                                            8));
    TReader reader(unknown);
    EXPECT_EQ(TestSupport::MessageOf<EReadError>([&] { reader.ReadProperties(); }),
              "Property Nope does not exist");
    TMemoryStream cut = StreamOf("\x01\x02\x05");
    TReader listReader(cut);
    EXPECT_EQ(TestSupport::MessageOf<EReadError>([&] {
                  listReader.ReadListBegin();
                  while (!listReader.EndOfList())
                      listReader.ReadInteger();
              }),
              "Stream read error");
}

} // namespace
