#include "widgets/WebButton.h"
#include "widgets/WebConnect.h"
#include "widgets/WebLabel.h"

#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/Registry.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

namespace {

const String Classes = "Software\\Classes\\";

void Register(const String& key, const String& value) {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(Classes + key, true));
    reg.WriteString("", value);
}

void Unregister(const String& key) {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.DeleteKey(Classes + key));
}

TestHooks::TLaunch OnlyLaunch() {
    const auto& launches = TestHooks::Launches();
    EXPECT_EQ(1u, launches.size());
    return launches.empty() ? TestHooks::TLaunch{} : launches.back();
}

TEST(WebLinksTest, TheDesktopsHandlersAreRegisteredForEveryService) {
    TWebConnect connect(nullptr);
    connect.GoToURL("http://example.org/a b.html");
    connect.GoToURL("mailto:me@example.org", stMail);
    connect.GoToURL("news:comp.lang", stNews);
    connect.GoToURL("ftp://example.org/", stFtp);
    const auto& launches = TestHooks::Launches();
    ASSERT_EQ(4u, launches.size());
    const String targets[] = {"http://example.org/a b.html", "me@example.org", "news:comp.lang",
                              "ftp://example.org/"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ("xdg-open", launches[i].Program) << i;
        EXPECT_EQ(std::vector<String>{targets[i]}, launches[i].Arguments) << i;
    }
}

TEST(WebLinksTest, OnlyTheFirstPercentOneTakesTheTargetAsOneArgument) {
    Register("mailto\\Shell\\open\\command", "\"/opt/mail client/mail\" --to=%1 %1");
    TWebLabel label(nullptr);
    label.SetServiceType(svMAIL);
    label.SetURL("me@example.org");
    label.SetSubject("Quiltmarker \"2\"");
    label.SetBody("Line one|say \"hi\"");
    label.Click();
    const TestHooks::TLaunch launch = OnlyLaunch();
    EXPECT_EQ("/opt/mail client/mail", launch.Program);
    EXPECT_EQ((std::vector<String>{"--to=mailto:me@example.org?subject=Quiltmarker %222%22"
                                   "&body=Line one%0D%0Asay %22hi%22",
                                   "%1"}),
              launch.Arguments);
}

TEST(WebLinksTest, ACommandWithoutPercentOneGetsTheTargetAppended) {
    Register(".html", "webpage");
    Register("webpage\\shell\\open\\command", "/usr/bin/browser --new-window");
    TWebButton button(nullptr);
    button.SetURL("http://example.org/");
    button.Click();
    const TestHooks::TLaunch launch = OnlyLaunch();
    EXPECT_EQ("/usr/bin/browser", launch.Program);
    EXPECT_EQ((std::vector<String>{"--new-window", "http://example.org/"}), launch.Arguments);
}

TEST(WebLinksTest, MailTargetsOfLabelsAndButtons) {
    struct Case {
        String Address, Subject, Body, Target;
    };
    const Case cases[] = {
        {"me@x.org", "", "", "mailto:me@x.org"},
        {"mailto:me@x.org", "Hi", "", "mailto:me@x.org?subject=Hi"},
        {"Write to mailto:me@x.org", "", "", "Write to mailto:me@x.org"},
        {"me@x.org", "", "a|b", "mailto:me@x.org?body=a%0D%0Ab"},
        {"MAILTO:me@x.org", "", "", "mailto:MAILTO:me@x.org"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Target, MailTarget(c.Address, c.Subject, c.Body)) << c.Address;
}

TEST(WebLinksTest, TheConnectorOpensTheDefaultAddressAndDropsMailtoFromMail) {
    TWebConnect connect(nullptr);
    connect.GoToURL();
    connect.SetDefaultURL("http://example.org/home");
    connect.GoToURL("*");
    connect.GoToURL("Mail: mailto:me@x.org", stMail);
    const auto& launches = TestHooks::Launches();
    ASSERT_EQ(3u, launches.size());
    EXPECT_EQ(std::vector<String>{""}, launches[0].Arguments);
    EXPECT_EQ(std::vector<String>{"http://example.org/home"}, launches[1].Arguments);
    EXPECT_EQ(std::vector<String>{"me@x.org"}, launches[2].Arguments);
}

TEST(WebLinksTest, AMissingRegistrationIsReportedAndStartsNothing) {
    struct Case {
        TServiceType Service;
        const char* Key; // removed before the call
        const char* Message;
    };
    const Case cases[] = {
        {stWeb, ".html", "Can't find default browser."},
        {stWeb, "htmlfile\\shell\\open\\command", "Can't find default browser."},
        {stMail, "mailto", "Can't find default e-mail program."},
        {stNews, "news\\Shell\\open", "Can't find default newsreader."},
        {stFtp, "ftp\\Shell\\open\\command", "Can't find default ftp program."},
    };
    TWebConnect connect(nullptr);
    for (const Case& c : cases) {
        TestHooks::Reset();
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.DeleteKey(Classes + c.Key);
        TestHooks::AnswerMessageBox(IDOK);
        connect.GoToURL("x", c.Service);
        ASSERT_EQ(1u, TestHooks::Prompts().size()) << c.Key;
        EXPECT_EQ(c.Message, TestHooks::Prompts()[0].Text);
        EXPECT_TRUE(TestHooks::Launches().empty()) << c.Key;
    }
}

TEST(WebLinksTest, TheLabelsHandlerRunsFirstAndTheClickedColourStaysWithoutAProgram) {
    TWebLabel label(nullptr);
    EXPECT_EQ(clBlue, label.Font().Color());
    EXPECT_TRUE(label.Font().Style().Contains(fsUnderline));
    EXPECT_EQ(crWebLabelHand, label.Cursor());
    label.SetURL("http://old.example.org/");
    label.OnClick = [&](TObject*) { label.SetURL("http://new.example.org/"); };
    label.Click();
    EXPECT_EQ(std::vector<String>{"http://new.example.org/"}, OnlyLaunch().Arguments);
    EXPECT_EQ(clRed, label.Font().Color());

    TestHooks::Reset();
    Unregister("htmlfile");
    label.SetFontClickedColor(clGreen);
    TestHooks::AnswerMessageBox(IDOK);
    label.GoToURL("http://example.org/");
    EXPECT_EQ(clGreen, label.Font().Color());
    EXPECT_TRUE(TestHooks::Launches().empty());
}

TEST(WebLinksTest, AWebButtonShowsTheGlobeOrTheLetterOfItsService) {
    SetShippedDataFolder(QM_SOURCE_DATA);
    TWebButton button(nullptr);
    EXPECT_EQ(crWebButtonHand, button.Cursor());
    TBitmap globe, letter;
    globe.LoadFromFile(String(QM_SOURCE_DATA) + "/glyphs/WEBIMAGE.bmp");
    letter.LoadFromFile(String(QM_SOURCE_DATA) + "/glyphs/MAILIMAGE.bmp");
    const auto samePicture = [](const TBitmap& a, const TBitmap& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height() || a.Empty())
            return false;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.PixelAt(x, y) != b.PixelAt(x, y))
                    return false;
        return true;
    };
    EXPECT_TRUE(samePicture(globe, button.Glyph()));
    button.SetServiceType(svMAIL);
    EXPECT_TRUE(samePicture(letter, button.Glyph()));
    SetShippedDataFolder("");
}

TEST(WebLinksTest, OnlyAPlainLabelTakesTheLookOfALink) {
    TWebConnect connect(nullptr);
    TLabel plain(nullptr);
    TWebLabel web(nullptr);
    TWebButton button(nullptr);
    web.Font().SetColor(clGreen);
    for (TControl* control : std::initializer_list<TControl*>{&plain, &web, &button}) {
        connect.SetWebCursor(control);
        EXPECT_EQ(crWebHand, control->Cursor()) << control->ClassName();
        EXPECT_TRUE(control->ShowHint()) << control->ClassName();
    }
    EXPECT_EQ(clBlue, plain.Font().Color());
    EXPECT_TRUE(plain.Font().Style().Contains(fsUnderline));
    EXPECT_EQ(clGreen, web.Font().Color());
}

} // namespace
