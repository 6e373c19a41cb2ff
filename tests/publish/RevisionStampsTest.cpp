// Revision stamps as multi-publishing writes them and as Show Dates Published reads them, and the
// log block.

#include "publish/RevisionStamps.h"
#include "publish/PublishLog.h"

#include "platform/FileUtils.h"

#include <gtest/gtest.h>

namespace {

const TDateTime First = 45000.5;   // 15 March 2023 12:00
const TDateTime Second = 45001.75; // 16 March 2023 18:00

class RevisionStampsTest : public testing::Test {
protected:
    void TearDown() override { ResetFormatSettingsForTests(); }
};

TEST_F(RevisionStampsTest, StampsFollowTheRevisionKind) {
    const String page = "<html>\r\n<body>x</body>\r\n</html>\r\n";
    const String minorOnce = StampPage(page, TRevisionKind::Minor, First);
    EXPECT_EQ(minorOnce, "<html>\r\n<body>x</body>\r\n</html>\r\n<!-- LR45000.5LR -->\r\n"
                         "<!-- LMR45000.5LMR -->\r\n");

    const String minorAgain = StampPage(minorOnce, TRevisionKind::Minor, Second);
    EXPECT_EQ(minorAgain, "<html>\r\n<body>x</body>\r\n</html>\r\n<!-- LR45001.75LR -->\r\n"
                          "<!-- LMR45000.5LMR -->\r\n");

    const String major = StampPage(minorAgain, TRevisionKind::Major, First);
    EXPECT_EQ(major, "<html>\r\n<body>x</body>\r\n</html>\r\n<!-- LR45000.5LR -->\r\n"
                     "<!-- LMR45000.5LMR -->\r\n");
    EXPECT_EQ(StampPage(major, TRevisionKind::Major, First), major);
}

TEST_F(RevisionStampsTest, EndTagInAnyCaseKeepsOneCharacterAfterIt) {
    EXPECT_EQ(StampPage("<p>\r\n</HTML> trailer", TRevisionKind::Major, First),
              "<p>\r\n</HTML> \r\n<!-- LR45000.5LR -->\r\n<!-- LMR45000.5LMR -->\r\n");
}

TEST_F(RevisionStampsTest, PageWithoutEndTagKeepsItsTextAndGetsTheStampsAtItsEnd) {
    const String page = "<p>one</p>\r\n<p>two, a longer line</p>\r\n";
    const String stamped = StampPage(page, TRevisionKind::Minor, First);
    EXPECT_EQ(stamped, "<p>one</p>\r\n<p>two, a longer line</p>\r\n<!-- LR45000.5LR -->\r\n"
                       "<!-- LMR45000.5LMR -->\r\n");
    EXPECT_EQ(StampPage(stamped, TRevisionKind::Minor, Second),
              "<p>one</p>\r\n<p>two, a longer line</p>\r\n<!-- LR45001.75LR -->\r\n"
              "<!-- LMR45000.5LMR -->\r\n");
}

TEST_F(RevisionStampsTest, StampsAreWrittenWithTheUsersSeparatorAndReadWithEither) {
    FormatSettings.DecimalSeparator = ',';
    const String stamped = StampPage("</html>", TRevisionKind::Major, Second);
    EXPECT_EQ(stamped, "</html>\r\n<!-- LR45001,75LR -->\r\n<!-- LMR45001,75LMR -->\r\n");
    EXPECT_EQ(StampDateAfter(stamped, "<!-- LMR"), Second);
    EXPECT_EQ(StampDateAfter("<!-- LR45001.75LR -->", "<!-- LR"), Second);
    EXPECT_EQ(StampDateAfter("<!-- LR LR -->", "<!-- LR"), std::nullopt);
}

TEST_F(RevisionStampsTest, DatesPublishedShowBothDatesOrNotKnown) {
    EXPECT_EQ(DatesPublishedText("<!-- LR45001,75LR -->\r\n<!-- LMR45000.5LMR -->"),
              "LAST PUBLISHED REVISIONS\r\n\nLast Major Revision: 15 Mar 2023 at 12:00:00\r\n"
              "Last Minor Revision: 16 Mar 2023 at 18:00:00");
    // Without a major stamp neither date counts.
    EXPECT_EQ(DatesPublishedText("<!-- LR45001.75LR -->"),
              "LAST PUBLISHED REVISIONS\r\n\nLast Major Revision: Not known\r\n"
              "Last Minor Revision: Not known");
}

TEST_F(RevisionStampsTest, LogBlockListsFilesAndLastFolderNames) {
    EXPECT_EQ(PublishLogBlock(First, {"/site/a.html", "/site/b.html"}, {"/up/one", "/up/two/"}),
              "===============================\r\nWed 15 March 2023   12:00:00\r\n"
              "      /site/a.html\r\n      /site/b.html\r\nPublished to:\r\n      one\r\n"
              "      \r\n");
}

TEST_F(RevisionStampsTest, LogBlocksAreAppended) {
    AppendToPublishLog("first\r\n");
    AppendToPublishLog("second\r\n");
    EXPECT_EQ(ReadFileBytes(PublishLogFile()), "first\r\nsecond\r\n");
}

} // namespace
