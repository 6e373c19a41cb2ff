#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/SHDocVw.h"
#include "platform/TestHooks.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <thread>

namespace {

// Every event the browser raises, in order, with its text.
struct EventLog {
    std::vector<String> Events;

    void Watch(TWebBrowser& browser) {
        browser.OnDownloadBegin = [this](TObject*) { Events.push_back("DownloadBegin"); };
        browser.OnNavigateComplete2 = [this](TObject*, const String& URL) {
            Events.push_back("NavigateComplete2 " + URL);
        };
        browser.OnDownloadComplete = [this](TObject*) { Events.push_back("DownloadComplete"); };
        browser.OnTitleChange = [this](TObject*, const String& text) {
            Events.push_back("TitleChange " + text);
        };
        browser.OnStatusTextChange = [this](TObject*, const String& text) {
            Events.push_back("StatusTextChange " + text);
        };
    }
    // The events logged since the last call.
    std::vector<String> Take() { return std::exchange(Events, {}); }
};

class FakeBrowserTest : public testing::Test {
protected:
    void SetUp() override {
        TestHooks::UseFakeBrowser("Sample page");
        Log.Watch(Browser);
    }
    // The events of what the browser was asked, once the event loop has run.
    std::vector<String> EventsAfterLoop() {
        Application->ProcessMessages();
        return Log.Take();
    }

    TWebBrowser Browser{nullptr};
    EventLog Log;
};

} // namespace

TEST_F(FakeBrowserTest, ALoadRaisesItsEventsFromTheEventLoopInOrder) {
    Browser.Navigate("/srv/site/index.htm");
    EXPECT_TRUE(Log.Events.empty()) << "no event before the event loop runs";
    EXPECT_EQ(EventsAfterLoop(),
              (std::vector<String>{"DownloadBegin", "TitleChange Sample page",
                                   "NavigateComplete2 /srv/site/index.htm", "DownloadComplete"}));
    EXPECT_EQ(TestHooks::BrowserNavigations(), std::vector<String>{"/srv/site/index.htm"});
}

TEST_F(FakeBrowserTest, AddressesAreReportedAsTheBrowserShowsThem) {
    struct Case {
        String Asked;
        String Reported;
    };
    const Case cases[] = {
        {"/srv/my site/a page.htm", "/srv/my site/a page.htm"},
        {"file:///srv/site/b.htm", "/srv/site/b.htm"},
        {"www.example.com", "http://www.example.com"},
        {"http://example.com/x?q=1", "http://example.com/x?q=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Asked);
        Browser.Navigate(c.Asked);
        std::vector<String> events = EventsAfterLoop();
        ASSERT_EQ(events.size(), 4u);
        EXPECT_EQ(events[2], "NavigateComplete2 " + c.Reported);
        EXPECT_EQ(TestHooks::BrowserNavigations().back(), c.Reported);
    }
}

TEST_F(FakeBrowserTest, WithoutATitleThePageIsNamedByItsAddress) {
    TestHooks::UseFakeBrowser();
    Browser.Navigate("/srv/site/untitled.htm");
    EXPECT_EQ(EventsAfterLoop()[1], "TitleChange /srv/site/untitled.htm");
}

TEST_F(FakeBrowserTest, BackAndForwardMoveThroughTheHistoryAndRaiseAtItsEnds) {
    EXPECT_EQ(TestSupport::MessageOf<EOleException>([&] { Browser.GoBack(); }),
              "Unspecified error");
    Browser.Navigate("/srv/one.htm");
    Browser.Navigate("/srv/two.htm");
    EventsAfterLoop();
    EXPECT_EQ(TestSupport::MessageOf<EOleException>([&] { Browser.GoForward(); }),
              "Unspecified error");

    Browser.GoBack();
    EXPECT_EQ(EventsAfterLoop()[2], "NavigateComplete2 /srv/one.htm");
    EXPECT_THROW(Browser.GoBack(), EOleException);
    Browser.GoForward();
    EXPECT_EQ(EventsAfterLoop()[2], "NavigateComplete2 /srv/two.htm");

    // A new page after going back drops the pages that were ahead.
    Browser.GoBack();
    Browser.Navigate("/srv/three.htm");
    EventsAfterLoop();
    EXPECT_THROW(Browser.GoForward(), EOleException);
    Browser.GoBack();
    EXPECT_EQ(EventsAfterLoop()[2], "NavigateComplete2 /srv/one.htm");
}

TEST_F(FakeBrowserTest, RefreshLoadsTheShownPageAgain) {
    Browser.Refresh();
    EXPECT_TRUE(EventsAfterLoop().empty()) << "nothing shown, nothing to refresh";
    Browser.Navigate("/srv/page.htm");
    EventsAfterLoop();
    Browser.Refresh();
    EXPECT_EQ(EventsAfterLoop()[2], "NavigateComplete2 /srv/page.htm");
    EXPECT_EQ(TestHooks::BrowserNavigations().size(), 1u) << "a refresh is no new navigation";
}

TEST_F(FakeBrowserTest, ALinkUnderThePointerIsTheStatusText) {
    TestHooks::HoverBrowserLink(Browser, "http://example.com/next.htm");
    TestHooks::HoverBrowserLink(Browser, "");
    EXPECT_EQ(Log.Take(), (std::vector<String>{"StatusTextChange http://example.com/next.htm",
                                               "StatusTextChange "}));
}

TEST(WebBrowserTest, AFreedBrowserRaisesNoMoreEvents) {
    TestHooks::UseFakeBrowser();
    bool raised = false;
    {
        TWebBrowser browser(nullptr);
        browser.OnNavigateComplete2 = [&](TObject*, const String&) { raised = true; };
        browser.Navigate("/srv/page.htm");
    }
    Application->ProcessMessages();
    EXPECT_FALSE(raised);
}

// The engine starts when the browser is first shown or asked to navigate, not when it is made: a
// browser made while the real engine is in use and shown afterwards still gets the one chosen
// then, and keeps it.
TEST(WebBrowserTest, TheEngineStartsWhenTheBrowserIsFirstShown) {
    TForm form(nullptr);
    auto* browser = new TWebBrowser(&form);
    browser->SetParent(&form);
    TestHooks::UseFakeBrowser();
    form.Show();
    Application->ProcessMessages();
    TestHooks::Reset();
    browser->Navigate("/srv/page.htm");
    EXPECT_EQ(TestHooks::BrowserNavigations(), std::vector<String>{"/srv/page.htm"});
}

// Without its engine's module the browser still shows, empty, and says why when it is asked for a
// page; it tries the engine again at each request.
TEST(WebBrowserTest, AMissingEngineIsToldWhenAPageIsAskedFor) {
    const String missing = TestSupport::Sandbox("no-such-engine.so");
    TestHooks::UseBrowserModule(missing);
    TForm form(nullptr);
    auto* browser = new TWebBrowser(&form);
    browser->SetParent(&form);
    form.Show();
    Application->ProcessMessages();

    const String message =
        TestSupport::MessageOf<Exception>([&] { browser->Navigate("/srv/a.htm"); });
    EXPECT_EQ(Pos("The browser cannot show pages: ", message), 1) << message;
    EXPECT_NE(Pos(missing, message), 0) << message;
    EXPECT_THROW(browser->Refresh(), Exception);

    TestHooks::UseFakeBrowser();
    browser->Navigate("/srv/b.htm");
    EXPECT_EQ(TestHooks::BrowserNavigations(), std::vector<String>{"/srv/b.htm"});
}

namespace {

// Runs the event loop until done says so; false when it did not within a generous time.
bool LoopUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void WriteFile(const String& path, const String& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The page engine under AddressSanitizer: see the reason given below.
bool EngineUnderAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#else
    return false;
#endif
}

class RealBrowserTest : public testing::Test {
protected:
    void SetUp() override {
        if (EngineUnderAddressSanitizer())
            GTEST_SKIP() << "Chromium inside the page engine is not built for AddressSanitizer, "
                            "which stops the run at a new-delete size mismatch in the engine's "
                            "own code when a page is closed";
        Browser.SetParent(&Form);
        Browser.SetBounds(0, 0, 400, 300);
        Form.SetBounds(0, 0, 400, 300);
        Log.Watch(Browser);
        Form.Show();
    }
    // Navigates and waits until the page is loaded.
    void Load(const String& address) {
        Log.Take();
        Browser.Navigate(address);
        ASSERT_TRUE(LoopUntil([&] {
            return !Log.Events.empty() && Log.Events.back() == "DownloadComplete";
        })) << address
            << " never finished loading";
    }
    bool Logged(const String& event) const {
        return std::find(Log.Events.begin(), Log.Events.end(), event) != Log.Events.end();
    }

    TForm Form{nullptr};
    TWebBrowser Browser{&Form};
    EventLog Log;
};

} // namespace

TEST_F(RealBrowserTest, LoadsALocalPageAndRunsScriptsInIt) {
    const String page = TestSupport::Sandbox("quilt page.htm");
    WriteFile(page, "<HTML><HEAD><TITLE>Quilt test</TITLE></HEAD>\r\n"
                    "<BODY><P>one</P><P>two</P><P>three</P></BODY></HTML>\r\n");
    Load(page);
    EXPECT_EQ(Log.Events.front(), "DownloadBegin");
    EXPECT_TRUE(Logged("NavigateComplete2 " + page));
    EXPECT_TRUE(LoopUntil([&] { return Logged("TitleChange Quilt test"); }));
    EXPECT_EQ(TestHooks::RunBrowserScript(Browser, "document.title"), "Quilt test");
    EXPECT_EQ(TestHooks::RunBrowserScript(Browser, "document.getElementsByTagName('p').length"),
              "3");
    EXPECT_TRUE(TestHooks::BrowserNavigations().empty()) << "the fake engine was not used";
}

TEST_F(RealBrowserTest, BackAndForwardFollowTheEnginesHistory) {
    EXPECT_THROW(Browser.GoBack(), EOleException);
    const String first = TestSupport::Sandbox("first.htm");
    const String second = TestSupport::Sandbox("second.htm");
    WriteFile(first, "<TITLE>First</TITLE>");
    WriteFile(second, "<TITLE>Second</TITLE>");
    Load(first);
    Load(second);
    EXPECT_THROW(Browser.GoForward(), EOleException);
    Log.Take();
    Browser.GoBack();
    ASSERT_TRUE(LoopUntil([&] { return Logged("NavigateComplete2 " + first); }));
    EXPECT_EQ(TestHooks::RunBrowserScript(Browser, "document.title"), "First");
}
