// The image map's code: the writer's exact lines, the reader of a selected MAP (what it takes,
// what it reports it cannot keep), the two agreeing on a round trip, the search for the map's
// image, and names of pictures made relative to a folder.

#include "generators/ImageMapCode.h"
#include "platform/FileUtils.h"
#include "platform/Graphics.h"
#include "tags/HTMLGlobal.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

class ImageMapCodeTest : public testing::Test {
protected:
    void SetUp() override { GlobalForm = new TGlobalForm(nullptr); }
    void TearDown() override {
        delete GlobalForm;
        GlobalForm = nullptr;
    }
};

// An area as the user sees it, in picture pixels.
TRect PictureRect(int left, int top, int right, int bottom) {
    return Rect(left + PictureOffset, top + PictureOffset, right + PictureOffset,
                bottom + PictureOffset);
}

TImageMap TwoAreas() {
    TImageMap map;
    map.MapName = "nav";
    map.AddArea(PictureRect(0, 0, 10, 20), "a.htm", "", "");
    map.AddArea(PictureRect(5, 6, 70, 80), "b.htm", "Bee", "main");
    return map;
}

String SavedBitmap(const String& name, int width, int height) {
    const String file = TestSupport::Sandbox(name);
    TBitmap bitmap;
    bitmap.SetSize(width, height);
    bitmap.SaveToFile(file);
    return file;
}

} // namespace

TEST_F(ImageMapCodeTest, WriterLines) {
    const String bmp = SavedBitmap("pic.bmp", 120, 45);
    const String png = SavedBitmap("pic.png", 33, 22);
    TImageMap noDefault = TwoAreas();
    TImageMap noHref = TwoAreas();
    noHref.DefaultURL = "";
    TImageMap withDefault;
    withDefault.MapName = "m";
    withDefault.DefaultURL = "home.htm";
    TImageMap quoting;
    quoting.MapName = "say \"hi\"";
    quoting.AddArea(PictureRect(1, 2, 3, 4), "x.cgi?a=1&b=\"2\"", "Tom & \"Jerry\"", "");
    quoting.DefaultURL = "q.cgi?a&b";
    struct Case {
        const char* What;
        TImageMap Map;
        String Image;
        bool WriteImg;
        String Expected;
    };
    const String mapLines =
        "<MAP NAME=\"nav\">\r\n"
        "\t<AREA SHAPE=\"RECT\" COORDS=\"0,0,10,20\" HREF=\"a.htm\" BORDER=1>\r\n"
        "\t<AREA SHAPE=\"RECT\" COORDS=\"5,6,70,80\" HREF=\"b.htm\" TARGET=\"main\" ALT=\"Bee\" "
        "TITLE=\"Bee\" BORDER=1>\r\n";
    const Case cases[] = {
        {"without image", noDefault, "", true, mapLines + "</MAP>\r\n"},
        {"image of a map read from the page", noDefault, bmp, false, mapLines + "</MAP>\r\n"},
        {"bitmap", noDefault, bmp, true,
         "<IMG SRC=\"" + bmp + "\" WIDTH=\"120\" HEIGHT=\"45\" USEMAP=\"#nav\">\r\n\r\n" +
             mapLines + "</MAP>\r\n"},
        {"PNG", noDefault, png, true,
         "<IMG SRC=\"" + png + "\" WIDTH=\"33\" HEIGHT=\"22\" USEMAP=\"#nav\">\r\n\r\n" + mapLines +
             "</MAP>\r\n"},
        {"kind without size reader", noDefault, "pic.tif", true,
         "<IMG SRC=\"pic.tif\" USEMAP=\"#nav\">\r\n\r\n" + mapLines + "</MAP>\r\n"},
        {"default without link", noHref, "", true,
         mapLines + "<AREA SHAPE=\"DEFAULT\" NOHREF>\r\n</MAP>\r\n"},
        {"default link, no areas", withDefault, "", true,
         "<MAP NAME=\"m\">\r\n<AREA SHAPE=\"DEFAULT\" HREF=\"home.htm\">\r\n</MAP>\r\n"},
        {"quotes and ampersands stay inside their attributes", quoting, "", true,
         "<MAP NAME=\"say &quot;hi&quot;\">\r\n"
         "\t<AREA SHAPE=\"RECT\" COORDS=\"1,2,3,4\" HREF=\"x.cgi?a=1&amp;b=&quot;2&quot;\" "
         "ALT=\"Tom &amp; &quot;Jerry&quot;\" TITLE=\"Tom &amp; &quot;Jerry&quot;\" BORDER=1>\r\n"
         "<AREA SHAPE=\"DEFAULT\" HREF=\"q.cgi?a&amp;b\">\r\n</MAP>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(WriteMapCode(c.Map, c.Image, c.WriteImg), c.Expected);
    }
}

TEST_F(ImageMapCodeTest, ReaderTakesAreasAndTellsWhatItCannotKeep) {
    struct Case {
        const char* What;
        String Text;
        bool Read;
        std::vector<TRect> Areas;
        std::vector<String> URLs;
        std::vector<String> Alts;
        std::vector<String> Targets;
        String DefaultURL;
        std::vector<String> Unheld;
    };
    const Case cases[] = {
        {"not a map", "<IMG SRC=\"a.gif\">", false, {}, {}, {}, {}, "*", {}},
        {"too short", "<MAP", false, {}, {}, {}, {}, "*", {}},
        {"a MAP without name",
         "<MAP ID=\"x\"><AREA COORDS=\"1,1,5,5\"></MAP>",
         false,
         {},
         {},
         {},
         {},
         "*",
         {}},
        {"a MAPPING tag", "<MAPPING NAME=\"x\"></MAPPING>", false, {}, {}, {}, {}, "*", {}},
        {"lower case, blanks around equals, later target only",
         "<map name = \"m\">\r\n <area shape=rect coords=\" 1, 2,30,40\" href=a.htm>\r\n"
         " <area shape=\"rect\" coords=\"3,4,5,6\" href=\"b.htm\" target = \"_top\" alt='B'>\r\n"
         "</map>",
         true,
         {PictureRect(1, 2, 30, 40), PictureRect(3, 4, 5, 6)},
         {"a.htm", "b.htm"},
         {"", "B"},
         {"", "_top"},
         "*",
         {}},
        {"reversed corners are ordered",
         "<MAP NAME=\"m\"><AREA COORDS=\"30,40,1,2\" HREF=\"\">",
         true,
         {PictureRect(1, 2, 30, 40)},
         {""},
         {""},
         {""},
         "*",
         {}},
        {"a default area without link is kept",
         "<MAP NAME=\"m\"><AREA SHAPE=\"DEFAULT\" NOHREF></MAP>",
         true,
         {},
         {},
         {},
         {},
         "",
         {}},
        {"a default link",
         "<MAP NAME=\"m\"><AREA SHAPE=DEFAULT HREF=\"h.htm\"></MAP>",
         true,
         {},
         {},
         {},
         {},
         "h.htm",
         {}},
        {"\"rect\" in a circle's URL does not make it a rectangle",
         "<MAP NAME=\"m\"><AREA SHAPE=\"circle\" COORDS=\"5,5,4\" HREF=\"direct.htm\">"
         "<AREA SHAPE=\"poly\" COORDS=\"1,1,5,1,3,4\"></MAP>",
         true,
         {},
         {},
         {},
         {},
         "*",
         {"areas of the shape CIRCLE", "areas of the shape POLY"}},
        {"areas it cannot draw",
         "<MAP NAME=\"m\"><AREA COORDS=\"1,2,3\"><AREA COORDS=\"1,2,3,4,5\">"
         "<AREA COORDS=\"1,2,x3,4\"><AREA COORDS=\"4,4,4,9\"></MAP>",
         true,
         {},
         {},
         {},
         {},
         "*",
         {"areas without four coordinates", "areas without width or height"}},
        {"attributes the editor does not keep",
         "<MAP NAME=\"m\" ID=\"k\"><AREA COORDS=\"1,2,3,4\" HREF=\"a\" ALT=\"x\" TITLE=\"y\" "
         "onMouseOver=\"f()\" BORDER=1><AREA SHAPE=DEFAULT HREF=\"h\" TARGET=\"t\">"
         "<AREA SHAPE=DEFAULT HREF=\"i\"></MAP>",
         true,
         {PictureRect(1, 2, 3, 4)},
         {"a"},
         {"x"},
         {""},
         "h",
         {"the ID attribute of the map", "the TITLE attribute of an area",
          "the ONMOUSEOVER attribute of an area", "the TARGET attribute of the default area",
          "a second default area"}},
        {"other content and text after the map",
         "<MAP NAME=\"m\"><!-- c --><AREA COORDS=\"1,2,3,4\" HREF=\"a\"> x</MAP><P>after",
         true,
         {PictureRect(1, 2, 3, 4)},
         {"a"},
         {""},
         {""},
         "*",
         {"text or tags other than AREA inside the map", "the text after the map's end tag"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const TImageMapReading reading = ReadImageMap(c.Text);
        EXPECT_EQ(reading.Read, c.Read);
        EXPECT_EQ(reading.Map.Areas, c.Areas);
        EXPECT_EQ(reading.Map.AreaURLs, c.URLs);
        EXPECT_EQ(reading.Map.AreaAltTexts, c.Alts);
        EXPECT_EQ(reading.Map.AreaTargets, c.Targets);
        EXPECT_EQ(reading.Map.DefaultURL, c.DefaultURL);
        EXPECT_EQ(reading.Unheld, c.Unheld);
    }
}

TEST_F(ImageMapCodeTest, WhatTheWriterWritesReadsBackWholeAndWritesAgainTheSame) {
    TImageMap quoting;
    quoting.MapName = "say \"hi\" & more";
    quoting.AddArea(PictureRect(1, 2, 3, 4), "x.cgi?a=1&b=\"2\"", "Tom & \"Jerry\"", "t&t");
    quoting.AddArea(PictureRect(0, 0, 9999, 12345), "", "", "");
    TImageMap noHref = TwoAreas();
    noHref.DefaultURL = "";
    TImageMap withDefault = TwoAreas();
    withDefault.DefaultURL = "home.htm";
    for (const TImageMap& map : {TwoAreas(), noHref, withDefault, quoting}) {
        SCOPED_TRACE(map.MapName);
        const String code = WriteMapCode(map, "", false);
        const TImageMapReading reading = ReadImageMap(code);
        ASSERT_TRUE(reading.Read);
        EXPECT_TRUE(reading.Unheld.empty());
        EXPECT_EQ(reading.Map.Areas, map.Areas);
        EXPECT_EQ(reading.Map.DefaultURL.empty(), map.DefaultURL.empty());
        EXPECT_EQ(WriteMapCode(reading.Map, "", false), code);
    }
}

TEST_F(ImageMapCodeTest, TheMapsImageIsTheImgTagThatUsesIt) {
    struct Case {
        const char* What;
        String Page;
        String Name;
        bool Found;
        String Source;
    };
    const Case cases[] = {
        {"quoted, any case", "<p><img usemap=\"#NAV\" src=\"pics/a b.gif\">", "nav", true,
         "pics/a b.gif"},
        {"a link to an anchor of the same name comes first",
         "<A HREF=\"#nav\">top</A><IMG SRC=\"a.gif\" USEMAP = \"#nav\">", "nav", true, "a.gif"},
        {"unquoted values", "<IMG SRC=a.gif USEMAP=#nav>", "nav", true, "a.gif"},
        {"entities in the file name", "<IMG SRC=\"a&amp;b.gif\" USEMAP=\"#nav\">", "nav", true,
         "a&b.gif"},
        {"another map's image", "<IMG SRC=\"a.gif\" USEMAP=\"#navbar\">", "nav", false, ""},
        {"no SRC", "<IMG USEMAP=\"#nav\">", "nav", false, ""},
        {"no image at all", "<P>text", "nav", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        String source;
        EXPECT_EQ(FindMapImage(c.Page, c.Name, source), c.Found);
        if (c.Found) {
            EXPECT_EQ(source, c.Source);
        }
    }
}

TEST_F(ImageMapCodeTest, PictureNamesRelativeToAFolder) {
    struct Case {
        const char* File;
        const char* Folder;
        const char* Expected;
    };
    const Case cases[] = {
        {"/site/pic.gif", "/site", "pic.gif"},
        {"/site/pic.gif", "/site/", "pic.gif"},
        {"/site/img/Pic.GIF", "/site", "img/Pic.GIF"},
        {"/site/pic.gif", "/site/pages/old", "../../pic.gif"},
        {"/img/pic.gif", "/site", "../img/pic.gif"},
        {"/site2/pic.gif", "/site", "../site2/pic.gif"},
        {"/Site/pic.gif", "/site", "../Site/pic.gif"},
        {"pic.gif", "/site", "pic.gif"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeRelativePath(c.File, c.Folder), c.Expected) << c.File << " from " << c.Folder;
    EXPECT_EQ(MakeRelativePath(IncludeTrailingPathDelimiter(GetCurrentDir()) + "x/p.gif", ""),
              "x/p.gif");
}

TEST_F(ImageMapCodeTest, TheLastDrawnAreaHoldingAPointIsFoundEdgesIncluded) {
    TImageMap map;
    map.AddArea(Rect(10, 10, 50, 50), "under", "", "");
    map.AddArea(Rect(30, 30, 60, 60), "over", "", "");
    EXPECT_EQ(map.AreaAtPoint(20, 20), 0);
    EXPECT_EQ(map.AreaAtPoint(40, 40), 1);
    EXPECT_EQ(map.AreaAtPoint(60, 60), 1);
    EXPECT_EQ(map.AreaAtPoint(10, 50), 0);
    EXPECT_EQ(map.AreaAtPoint(61, 40), -1);
    EXPECT_EQ(map.AreaAtPoint(9, 10), -1);
}
