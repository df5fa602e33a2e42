// CString: construction, searching, slicing, trimming, formatting and buffers.
#include <gtest/gtest.h>

#include "CString.h"

TEST(AfxString, ConstructsAndCompares)
{
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(static_cast<LPCSTR>(nullptr)).IsEmpty());
    EXPECT_EQ(CString("abc"), CString("abcdef", 3));
    EXPECT_EQ(CString("xxx"), CString('x', 3));
    EXPECT_EQ(3, CString("abc").GetLength());
    EXPECT_EQ(4, CString("照相").GetLength()) << "lengths count GBK bytes";
    EXPECT_TRUE(CString("abc") == "abc");
    EXPECT_TRUE("abd" != CString("abc"));
    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_EQ(0, CString("ABC").CompareNoCase("abc"));
    EXPECT_STREQ("abc", static_cast<LPCSTR>(CString("abc")));

    CString text = "a";
    text += "b";
    text += 'c';
    text += CString("d");
    EXPECT_EQ(CString("abcd"), text);
    EXPECT_EQ(CString("xabcdy"), "x" + text + 'y');
}

TEST(AfxString, SlicesAndSearchesWithClampedBounds)
{
    const CString text = "photo.2009.bmp";
    struct Case {
        CString actual;
        const char* expected;
    };
    const Case cases[] = {
        {text.Left(5), "photo"},      {text.Left(99), "photo.2009.bmp"}, {text.Left(-1), ""},
        {text.Right(3), "bmp"},       {text.Right(99), "photo.2009.bmp"}, {text.Mid(6), "2009.bmp"},
        {text.Mid(6, 4), "2009"},     {text.Mid(12, 10), "mp"},          {text.Mid(99), ""},
        {text.Mid(-3, 5), "photo"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.expected), c.actual);

    EXPECT_EQ(5, text.Find('.'));
    EXPECT_EQ(10, text.Find('.', 6));
    EXPECT_EQ(-1, text.Find('x'));
    EXPECT_EQ(6, text.Find("2009"));
    EXPECT_EQ(-1, text.Find("2009", 7));
    EXPECT_EQ(10, text.ReverseFind('.'));
    EXPECT_EQ(-1, text.ReverseFind('x'));
}

TEST(AfxString, ChangesCaseTrimsAndReplaces)
{
    CString mixed = "Ab照相Zz";
    mixed.MakeUpper();
    EXPECT_EQ(CString("AB照相ZZ"), mixed) << "double-byte characters untouched";
    mixed.MakeLower();
    EXPECT_EQ(CString("ab照相zz"), mixed);

    CString padded = " \t value \r\n";
    padded.TrimLeft();
    EXPECT_EQ(CString("value \r\n"), padded);
    padded.TrimRight();
    EXPECT_EQ(CString("value"), padded);
    CString slashes = "\\\\dir\\";
    slashes.TrimRight('\\');
    EXPECT_EQ(CString("\\\\dir"), slashes);
    slashes.TrimLeft("\\");
    EXPECT_EQ(CString("dir"), slashes);

    CString path = "a/b/c";
    EXPECT_EQ(2, path.Replace('/', '\\'));
    EXPECT_EQ(CString("a\\b\\c"), path);
    CString words = "one two one";
    EXPECT_EQ(2, words.Replace("one", "three"));
    EXPECT_EQ(CString("three two three"), words);
    EXPECT_EQ(0, words.Replace("", "x"));
}

TEST(AfxString, FormatsAndLendsItsBuffer)
{
    CString text;
    text.Format("%s%02d%c%d", "clip", 7, 'f', 10);
    EXPECT_EQ(CString("clip07f10"), text);
    CString longer;
    longer.Format("%0300d", 5);
    EXPECT_EQ(300, longer.GetLength());

    CString buffer;
    char* raw = buffer.GetBuffer(MAX_PATH);
    lstrcpyA(raw, "C:\\video");
    buffer.ReleaseBuffer();
    EXPECT_EQ(CString("C:\\video"), buffer);
    raw = buffer.GetBuffer(0);
    buffer.ReleaseBuffer(2);
    EXPECT_EQ(CString("C:"), buffer);

    CString missing;
    EXPECT_FALSE(missing.LoadString(54321));
}
