// String lists: CR LF text, name=value lookups ignoring case, sorted lists with
// their duplicates policy, delimited text and GBK files kept byte for byte.
#include "TStringList.h"

#include "Exception.h"
#include "TMemoryStream.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const TStrings& list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}

using V = std::vector<std::string>;

TEST(TStrings, TextSplitsEveryLineBreakAndJoinsWithCrLf)
{
    struct Case {
        std::string text;
        V lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc\r\n\r\nd", {"a", "b", "c", "", "d"}},
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"照相=录相\r\n", {"照相=录相"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(c.lines, Lines(list)) << c.text;
    }
    TStringList list;
    list.Add("one");
    list.Add("");
    list.Add("three");
    EXPECT_EQ("one\r\n\r\nthree\r\n", list.Text());
}

TEST(TStrings, ValuesByNameIgnoreCaseAndTakeTheFirstMatch)
{
    TStringList list;
    list.SetText("OBJECT_TYPE=FILE\r\nDestination=C:\\a\r\ndestination=C:\\b\r\nnovalue\r\nEmpty=\r\n"
                 "Sum=a=b\r\n 照相 =GBK\r\n");
    EXPECT_EQ("C:\\a", list.Values("DESTINATION"));
    EXPECT_EQ(1, list.IndexOfName("destination"));
    EXPECT_EQ("FILE", list.Values("object_type"));
    EXPECT_EQ("a=b", list.Values("sum")); // the first '=' separates
    EXPECT_EQ("", list.Values("Empty"));
    EXPECT_EQ(4, list.IndexOfName("Empty"));
    EXPECT_EQ(-1, list.IndexOfName("novalue")); // a line without '=' has no name
    EXPECT_EQ("", list.Values("Missing"));
    EXPECT_EQ("GBK", list.Values(" 照相 ")); // names are not trimmed
    EXPECT_EQ("Sum", list.Names(5));
    EXPECT_EQ("a=b", list.ValueFromIndex(5));
    EXPECT_EQ("", list.Names(3));

    list.SetValues("DESTINATION", "D:\\x"); // the first line of that name changes
    EXPECT_EQ("DESTINATION=D:\\x", list.Strings(1));
    EXPECT_EQ("destination=C:\\b", list.Strings(2));
    list.SetValues("New", "1");
    EXPECT_EQ("New=1", list.Strings(list.Count() - 1));
    list.SetValues("object_type", "");
    EXPECT_EQ(-1, list.IndexOfName("OBJECT_TYPE"));
}

TEST(TStrings, NameLookupRespectsDoubleByteCharacters)
{
    // "\x81\x41" is one GBK character whose trail byte is 'A'; folding must not touch it.
    TStringList list;
    list.Add(std::string("\x81\x41") + "=1");
    EXPECT_EQ(-1, list.IndexOfName(std::string("\x81\x61")));
    EXPECT_EQ(0, list.IndexOfName(std::string("\x81\x41")));
}

TEST(TStringList, AddInsertDeleteIndexOfAndObjects)
{
    TStringList list;
    TStringList marker;
    EXPECT_EQ(0, list.Add("b"));
    list.Insert(0, "a");
    EXPECT_EQ(2, list.AddObject("c", &marker));
    EXPECT_EQ(V({"a", "b", "c"}), Lines(list));
    EXPECT_EQ(&marker, list.Objects(2));
    EXPECT_EQ(1, list.IndexOf("B"));
    list.Delete(1);
    EXPECT_EQ(V({"a", "c"}), Lines(list));
    EXPECT_EQ(1, list.IndexOfObject(&marker));
    EXPECT_THROW(list.Delete(2), EListError);
    EXPECT_THROW(list.Strings(-1), EListError);
    EXPECT_THROW(list.Insert(3, "x"), EListError);

    list.SetCaseSensitive(true);
    EXPECT_EQ(-1, list.IndexOf("A"));
}

TEST(TStringList, SortedListsKeepOrderAndApplyTheDuplicatesPolicy)
{
    struct Case {
        TDuplicates policy;
        V expected;
        bool raises;
    } cases[] = {
        {TDuplicates::dupIgnore, {"apple", "Banana", "cherry"}, false},
        {TDuplicates::dupAccept, {"apple", "Banana", "banana", "cherry"}, false},
        {TDuplicates::dupError, {"apple", "Banana", "cherry"}, true},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetSorted(true);
        list.SetDuplicates(c.policy);
        list.Add("cherry");
        list.Add("Banana");
        list.Add("apple");
        if (c.raises)
            EXPECT_THROW(list.Add("banana"), EListError);
        else
            list.Add("banana");
        EXPECT_EQ(c.expected, Lines(list));
        EXPECT_EQ(1, list.IndexOf("BANANA"));
        EXPECT_THROW(list.Insert(0, "zzz"), EListError);
    }
    TStringList unsorted;
    unsorted.SetText("c\r\na\r\nb\r\n");
    unsorted.SetSorted(true);
    EXPECT_EQ(V({"a", "b", "c"}), Lines(unsorted));
}

TEST(TStrings, DelimitedAndCommaText)
{
    TStringList list;
    list.SetCommaText("one, \"two words\",\"say \"\"hi\"\"\",,last");
    EXPECT_EQ(V({"one", "two words", "say \"hi\"", "", "last"}), Lines(list));
    EXPECT_EQ("one,\"two words\",\"say \"\"hi\"\"\",,last", list.CommaText());

    list.SetDelimiter('/');
    list.SetDelimitedText("l:C:\\a b/silent");
    EXPECT_EQ(V({"l:C:\\a", "b", "silent"}), Lines(list)); // a blank also separates unquoted items
}

TEST(TStrings, GbkTextSurvivesFilesAndStreamsByteForByte)
{
    TempFolder folder;
    std::string text = "产品=视频录相\r\n\x81\x7C\xFE\x40=\xA1\xA1\r\n";
    WriteWholeFile(folder / "in.txt", text);
    TStringList list;
    list.LoadFromFile(folder / "in.txt");
    ASSERT_EQ(2, list.Count());
    EXPECT_EQ("视频录相", list.Values("产品"));
    list.SaveToFile(folder / "out.txt");
    EXPECT_EQ(text, ReadWholeFile(folder / "out.txt"));

    TMemoryStream memory;
    list.SaveToStream(memory);
    memory.SetPosition(0);
    TStringList back;
    back.LoadFromStream(memory);
    EXPECT_TRUE(back.Equals(list));
}

TEST(TStringList, ChangeEventsWaitForTheLastEndUpdate)
{
    TStringList list;
    int changes = 0;
    list.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    list.Add("a");
    EXPECT_EQ(1, changes);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.EndUpdate();
    EXPECT_EQ(1, changes);
    list.EndUpdate();
    EXPECT_EQ(2, changes);

    TStringList copy;
    copy.Assign(&list);
    EXPECT_EQ(V({"a", "b", "c"}), Lines(copy));
}

} // namespace
