#include "platform/Classes.h"
#include "platform/FileUtils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using TestSupport::MessageOf;

namespace {

std::vector<String> LinesOf(const TStrings& list) {
    std::vector<String> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

TStringList ListOf(const std::vector<String>& lines) {
    TStringList list;
    for (const String& line : lines)
        list.Add(line);
    return list;
}

// The least a list of texts can be: the four primitives over a vector, no objects. The helpers
// of TStrings must work on it exactly as on a string list.
class VectorLines : public TStrings {
public:
    int Count() const override { return static_cast<int>(Lines.size()); }
    String Get(int index) const override { return Lines.at(index); }
    void Insert(int index, const String& s) override { Lines.insert(Lines.begin() + index, s); }
    void Delete(int index) override { Lines.erase(Lines.begin() + index); }
    void Clear() override { Lines.clear(); }
    std::vector<String> Lines;
};

struct TextCase {
    String Text;
    std::vector<String> Lines;
};

class TextSplitting : public testing::TestWithParam<TextCase> {};

TEST_P(TextSplitting, SplitsAtEveryLineEndAndJoinsWithCrLf) {
    const TextCase& c = GetParam();
    TStringList list;
    list.SetText(c.Text);
    EXPECT_EQ(LinesOf(list), c.Lines);
    String joined;
    for (const String& line : c.Lines)
        joined += line + "\r\n";
    EXPECT_EQ(list.Text(), joined);
}

INSTANTIATE_TEST_SUITE_P(ClassesTest, TextSplitting,
                         testing::Values(TextCase{"", {}}, TextCase{"a\r\nb\r\n", {"a", "b"}},
                                         TextCase{"a\nb", {"a", "b"}},
                                         TextCase{"a\rb\r", {"a", "b"}},
                                         TextCase{"a\r\n\r\nb", {"a", "", "b"}},
                                         TextCase{"a\n\rb", {"a", "", "b"}}, TextCase{"\n", {""}},
                                         TextCase{String("a\0b\nc", 5), {String("a\0b", 3), "c"}},
                                         TextCase{"\xA7\xE9\r\n", {"\xA7\xE9"}}));

TEST(ClassesTest, FileRoundTripKeepsBytesAndWritesCrLf) {
    String name = TestSupport::Sandbox("page.htm");
    WriteFileAtomic(name, String("one\n\0two\x95\nlast", 14));
    TStringList list;
    list.LoadFromFile(name);
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"one", String("\0two\x95", 5), "last"}));
    list.SaveToFile(name);
    EXPECT_EQ(ReadFileBytes(name), String("one\r\n\0two\x95\r\nlast\r\n", 18));
}

TEST(ClassesTest, FileErrorsNameTheFileAndGiveTheReason) {
    String missing = TestSupport::Sandbox("missing.htm");
    TStringList list;
    list.Add("kept");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { list.LoadFromFile(missing); }),
              "Cannot open file \"" + missing + "\". No such file or directory");
    EXPECT_EQ(LinesOf(list), std::vector<String>{"kept"});

    String inMissingFolder = TestSupport::Sandbox("no-folder/page.htm");
    EXPECT_EQ(MessageOf<EFCreateError>([&] { list.SaveToFile(inMissingFolder); }),
              "Cannot create file \"" + inMissingFolder + "\". No such file or directory");
}

TEST(ClassesTest, LargeFileLoadsAndRoundTrips) {
    String line(98, 'x');
    String bytes;
    bytes.reserve(50 << 20);
    for (int i = 0; bytes.size() < (50u << 20); ++i)
        bytes += IntToStr(i) + line.substr(IntToStr(i).size()) + "\r\n";
    String name = TestSupport::Sandbox("large.htm");
    WriteFileAtomic(name, bytes);

    TStringList list;
    list.LoadFromFile(name);
    EXPECT_EQ(list.Count(), static_cast<int>(bytes.size() / 100));
    EXPECT_EQ(list[12345].substr(0, 6), "12345x");
    list.SaveToFile(name);
    EXPECT_TRUE(ReadFileBytes(name) == bytes);
}

struct DuplicateCase {
    TDuplicates Duplicates;
    std::vector<String> Expected;
};

class SortedDuplicates : public testing::TestWithParam<DuplicateCase> {};

TEST_P(SortedDuplicates, AreHandledWithoutRegardToCase) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(GetParam().Duplicates);
    list.Add("pear");
    list.Add("Apple");
    EXPECT_EQ(list.Add("apple"), 0);
    EXPECT_EQ(LinesOf(list), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(ClassesTest, SortedDuplicates,
                         testing::Values(DuplicateCase{dupIgnore, {"Apple", "pear"}},
                                         DuplicateCase{dupAccept, {"apple", "Apple", "pear"}}));

TEST(ClassesTest, SortedListRefusesDuplicatesAndPositionalChanges) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupError);
    list.Add("b");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Add("B"); }),
              "String list does not allow duplicates");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, "a"); }),
              "Operation not allowed on sorted list");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Put(0, "a"); }),
              "Operation not allowed on sorted list");
    EXPECT_EQ(LinesOf(list), std::vector<String>{"b"});
}

TEST(ClassesTest, SortingKeepsObjectsWithTheirTexts) {
    TObject one, two, three;
    TStringList list;
    list.AddObject("cherry", &one);
    list.AddObject("apple", &two);
    list.AddObject("Banana", &three);
    list.SetSorted(true);
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"apple", "Banana", "cherry"}));
    EXPECT_EQ(list.GetObject(0), &two);
    EXPECT_EQ(list.GetObject(1), &three);
    EXPECT_EQ(list.GetObject(2), &one);

    TObject other;
    EXPECT_EQ(list.AddObject("APPLE", &other), 0); // ignored duplicate: its object stays
    EXPECT_EQ(list.GetObject(0), &two);
    EXPECT_EQ(list.IndexOfObject(&three), 1);
}

TEST(ClassesTest, SearchIgnoresCaseUnlessAsked) {
    for (bool sorted : {false, true}) {
        SCOPED_TRACE(sorted ? "sorted" : "unsorted");
        TStringList list = ListOf({"b", "\xC9t\xE9", "Alpha"});
        list.SetSorted(sorted);
        EXPECT_GE(list.IndexOf("ALPHA"), 0);
        EXPECT_EQ(list.IndexOf("\xE9T\xE9"), -1); // only ASCII letters fold
        list.SetCaseSensitive(true);
        EXPECT_EQ(list.IndexOf("ALPHA"), -1);
        EXPECT_GE(list.IndexOf("Alpha"), 0);
    }
}

TEST(ClassesTest, FindGivesTheInsertionPlace) {
    TStringList list = ListOf({"d", "b", "f"});
    list.SetSorted(true);
    int index = -1;
    EXPECT_TRUE(list.Find("D", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("c", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("z", index));
    EXPECT_EQ(index, 3);
}

TEST(ClassesTest, CaseSensitiveSortedListIsResorted) {
    TStringList list = ListOf({"b", "B", "a"});
    list.SetSorted(true);
    list.SetCaseSensitive(true);
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"B", "a", "b"}));
    EXPECT_EQ(list.IndexOf("b"), 2);
}

TEST(ClassesTest, CustomSortComparesByIndexAndKeepsEqualItemsInOrder) {
    TStringList list = ListOf({"ccc", "a", "bb", "x", "yy"});
    list.CustomSort([](TStringList& l, int a, int b) {
        return static_cast<int>(l[a].size()) - static_cast<int>(l[b].size());
    });
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"a", "x", "bb", "yy", "ccc"}));
}

struct IndexErrorCase {
    const char* Operation;
    std::function<void(TStringList&)> Action;
    String Message;
};

TEST(ClassesTest, BadIndexesRaiseTheFrameworkMessage) {
    std::vector<IndexErrorCase> cases = {
        {"Get", [](TStringList& l) { l.Get(2); }, "List index out of bounds (2)"},
        {"Get negative", [](TStringList& l) { l.Get(-1); }, "List index out of bounds (-1)"},
        {"Put", [](TStringList& l) { l.Put(2, "x"); }, "List index out of bounds (2)"},
        {"Delete", [](TStringList& l) { l.Delete(2); }, "List index out of bounds (2)"},
        {"Insert", [](TStringList& l) { l.Insert(3, "x"); }, "List index out of bounds (3)"},
        {"Objects", [](TStringList& l) { l.GetObject(5); }, "List index out of bounds (5)"},
    };
    for (const IndexErrorCase& c : cases) {
        SCOPED_TRACE(c.Operation);
        TStringList list = ListOf({"a", "b"});
        EXPECT_EQ(MessageOf<EStringListError>([&] { c.Action(list); }), c.Message);
        EXPECT_EQ(LinesOf(list), (std::vector<String>{"a", "b"}));
    }
    TStringList list = ListOf({"a", "b"});
    list.Insert(2, "c"); // the end itself is a place to insert
    EXPECT_EQ(list[2], "c");
}

TEST(ClassesTest, NamesAndValues) {
    TStringList list = ListOf({"Colour=red", "plain", "Path=a=b", "Empty="});
    EXPECT_EQ(list.Names(0), "Colour");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.ValueFromIndex(1), "");
    EXPECT_EQ(list.Values("colour"), "red");
    EXPECT_EQ(list.Values("path"), "a=b");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.IndexOfName("EMPTY"), 3);
    EXPECT_EQ(list.IndexOfName("plain"), -1);

    list.SetValues("colour", "blue");
    list.SetValues("Size", "10");
    list.SetValues("Path", "");
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"colour=blue", "plain", "Empty=", "Size=10"}));
}

struct CommaCase {
    std::vector<String> Items;
    String Text;
};

class CommaTextWriting : public testing::TestWithParam<CommaCase> {};

TEST_P(CommaTextWriting, QuotesWhatWouldSplitAndReadsItBack) {
    TStringList list = ListOf(GetParam().Items);
    EXPECT_EQ(list.CommaText(), GetParam().Text);
    TStringList back;
    back.SetCommaText(GetParam().Text);
    EXPECT_EQ(LinesOf(back), GetParam().Items);
}

INSTANTIATE_TEST_SUITE_P(
    ClassesTest, CommaTextWriting,
    testing::Values(CommaCase{{}, ""}, CommaCase{{""}, "\"\""}, CommaCase{{"a", "b"}, "a,b"},
                    CommaCase{{"a b", "c,d", "say \"hi\"", "", "e"},
                              "\"a b\",\"c,d\",\"say \"\"hi\"\"\",,e"},
                    CommaCase{{"tab\there", "end", ""}, "\"tab\there\",end,"}));

struct CommaReadCase {
    String Text;
    std::vector<String> Items;
};

class CommaTextReading : public testing::TestWithParam<CommaReadCase> {};

TEST_P(CommaTextReading, SplitsAtCommasAndUnquotedBlanks) {
    TStringList list;
    list.Add("old");
    list.SetCommaText(GetParam().Text);
    EXPECT_EQ(LinesOf(list), GetParam().Items);
}

INSTANTIATE_TEST_SUITE_P(ClassesTest, CommaTextReading,
                         testing::Values(CommaReadCase{"  a b , c  ", {"a", "b", "c"}},
                                         CommaReadCase{",a,,b,", {"", "a", "", "b", ""}},
                                         CommaReadCase{"\"x, y\" z", {"x, y", "z"}},
                                         CommaReadCase{"\"unclosed, text", {"unclosed, text"}},
                                         CommaReadCase{"   ", {}}));

TEST(ClassesTest, ChangeEventsComeOncePerChangeOrBatch) {
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changing;
    };
    list.OnChange = [&](TObject*) { ++changed; };
    list.Add("a");
    EXPECT_EQ(changed, 1);
    list.SetText("x\r\ny\r\nz\r\n");
    list.SetCommaText("1,2,3");
    EXPECT_EQ(changed, 3);
    list.BeginUpdate();
    list.Add("b");
    list.Delete(0);
    EXPECT_EQ(changed, 3);
    list.EndUpdate();
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(changing, changed);
}

// The helpers of TStrings must need nothing but the primitives: other lists derive from it.
TEST(ClassesTest, HelpersWorkOnAnyListOfTexts) {
    VectorLines lines;
    lines.SetText("one\r\ntwo\nk=v\rfour");
    lines.Put(0, "ONE");
    lines.Move(3, 0);
    lines.Exchange(1, 2);
    EXPECT_EQ(lines.Lines, (std::vector<String>{"four", "two", "ONE", "k=v"}));
    EXPECT_EQ(lines.IndexOf("one"), 2);
    EXPECT_EQ(lines.Values("K"), "v");
    lines.SetValues("k", "w");
    EXPECT_EQ(lines.Text(), "four\r\ntwo\r\nONE\r\nk=w\r\n");

    TStringList copy;
    copy.Add("dropped");
    copy.Assign(lines);
    lines.AddStrings(copy);
    EXPECT_EQ(LinesOf(copy), (std::vector<String>{"four", "two", "ONE", "k=w"}));
    EXPECT_EQ(lines.Count(), 8);
    lines.AddStrings(lines);
    EXPECT_EQ(lines.Count(), 16);
}

TEST(ClassesTest, PointerListOperations) {
    int a = 1, b = 2, c = 3;
    TList list;
    list.Add(&c);
    list.Add(&a);
    list.Insert(1, &b);
    list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Last(), &c);
    list.Move(0, 2);
    list.Exchange(0, 1);
    EXPECT_EQ(list.Items(0), &c);
    EXPECT_EQ(list.Items(1), &b);
    EXPECT_EQ(list.Remove(&b), 1);
    EXPECT_EQ(list.Remove(&b), -1);
    EXPECT_EQ(list.IndexOf(&a), 1);
    EXPECT_EQ(MessageOf<EListError>([&] { list.Items(2); }), "List index out of bounds (2)");
    EXPECT_EQ(MessageOf<EListError>([&] { list.Move(0, 2); }), "List index out of bounds (2)");
    list.Clear();
    EXPECT_EQ(MessageOf<EListError>([&] { list.Last(); }), "List index out of bounds (-1)");
}

TEST(ClassesTest, FileStreamReadsWritesAndSeeks) {
    String name = TestSupport::Sandbox("stream.bin");
    {
        TFileStream out(name, fmCreate);
        out.WriteBuffer("hello world", 11);
        out.SetPosition(6);
        out.WriteBuffer("W", 1);
        EXPECT_EQ(out.Size(), 11);
        EXPECT_EQ(out.Position(), 7);
    }
    TFileStream in(name, fmOpenRead | fmShareDenyWrite);
    char buffer[16] = {};
    EXPECT_EQ(in.Read(buffer, 16), 11);
    EXPECT_EQ(String(buffer, 11), "hello World");
    EXPECT_EQ(in.Seek(-5, soFromEnd), 6);
    EXPECT_THROW(in.ReadBuffer(buffer, 6), EReadError);
}

TEST(ClassesTest, FileStreamOpenErrorsNameTheFile) {
    String folder = TestSupport::Sandbox("");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream s(folder, fmOpenRead); }),
              "Cannot open file \"" + folder + "\". Is a directory");
    String missing = TestSupport::Sandbox("none/x.bin");
    EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream s(missing, fmCreate); }),
              "Cannot create file \"" + missing + "\". No such file or directory");
}

TEST(ClassesTest, MemoryStreamGrowsAndCopies) {
    TMemoryStream memory;
    memory.WriteBuffer("abc", 3);
    memory.SetPosition(5);
    memory.WriteBuffer("z", 1);
    EXPECT_EQ(memory.Size(), 6);
    EXPECT_EQ(String(static_cast<char*>(memory.Memory()), 6), String("abc\0\0z", 6));
    EXPECT_EQ(memory.Seek(-1, soFromBeginning), -1);
    EXPECT_EQ(memory.Position(), 6);

    String name = TestSupport::Sandbox("memory.bin");
    memory.SaveToFile(name);
    TFileStream file(name, fmOpenRead);
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(file, 0), 6);
    copy.SetPosition(0);
    char buffer[8] = {};
    EXPECT_EQ(copy.Read(buffer, 8), 6);
    EXPECT_EQ(String(buffer, 6), String("abc\0\0z", 6));
    EXPECT_EQ(copy.Read(buffer, 8), 0);

    TMemoryStream loaded;
    loaded.LoadFromFile(name);
    EXPECT_EQ(loaded.Seek(0, soFromEnd), 6);
    loaded.SetSize(2);
    EXPECT_EQ(loaded.Position(), 2);
}

} // namespace
