#include "platform/SingleInstance.h"

#include "TestSupport.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

TEST(SingleInstanceTest, LockIsHeldUntilItsHandleIsClosed) {
    HANDLE first = CreateMutex(nullptr, false, "TestMutex");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(ERROR_SUCCESS, GetLastError());

    HANDLE second = CreateMutex(nullptr, false, "TestMutex");
    EXPECT_NE(nullptr, second);
    EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
    // The later copy letting go of its handle leaves the first one's lock in place.
    CloseHandle(second);
    CloseHandle(CreateMutex(nullptr, false, "TestMutex"));
    EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());

    CloseHandle(first);
    HANDLE third = CreateMutex(nullptr, false, "TestMutex");
    EXPECT_EQ(ERROR_SUCCESS, GetLastError());
    CloseHandle(third);
}

// Only a handle that took the lock holds it; looking at the lock leaves it free.
TEST(SingleInstanceTest, LockIsSeenHeldWhileAHandleThatTookItIsOpen) {
    EXPECT_FALSE(MutexHeld("TestMutex"));
    EXPECT_FALSE(MutexHeld("TestMutex"));
    HANDLE first = CreateMutex(nullptr, false, "TestMutex");
    ASSERT_EQ(ERROR_SUCCESS, GetLastError());
    EXPECT_TRUE(MutexHeld("TestMutex"));
    HANDLE second = CreateMutex(nullptr, false, "TestMutex");
    ASSERT_EQ(ERROR_ALREADY_EXISTS, GetLastError());

    CloseHandle(first);
    EXPECT_FALSE(MutexHeld("TestMutex"));
    CloseHandle(second);
}

TEST(SingleInstanceTest, LockThatCannotBeTakenIsNotAnotherCopy) {
    ASSERT_TRUE(ForceDirectories(TempFolder() + "TestMutex.lock"));
    EXPECT_EQ(nullptr, CreateMutex(nullptr, false, "TestMutex"));
    EXPECT_NE(ERROR_SUCCESS, GetLastError());
    EXPECT_NE(ERROR_ALREADY_EXISTS, GetLastError());
    EXPECT_FALSE(MutexHeld("TestMutex"));
}

TEST(SingleInstanceTest, NoRunningCopyAnswersNothing) {
    EXPECT_TRUE(RunningCopyWindows().empty());
    EXPECT_EQ(0, RunningCopyReady());
    EXPECT_EQ(0, ShowWindow(TRunningCopyWindow{1, "Quiltmarker", false}, SW_SHOW));
}

// A running copy in this process, and a later copy's calls made from another thread while this
// one handles the requests as the running copy's message loop would.
class RunningCopyTest : public testing::Test {
protected:
    void SetUp() override {
        Temp.emplace();
        OldTitle = Application->Title();
        Application->SetTitle("Quiltmarker v.3.0d");
        Main = new TForm(Application);
        Main->SetCaption("Quiltmarker");
        Hidden = new TForm(Application);
        Hidden->SetCaption("Quiltmarker - Publisher");
        Main->Show();
        Lock = CreateMutex(nullptr, false, "TestMutex");
    }
    void TearDown() override {
        CloseHandle(Lock);
        Hidden->Free();
        Main->Free();
        Application->SetTitle(OldTitle);
        Temp.reset();
    }

    template <typename Calls> void AsLaterCopy(Calls calls) {
        std::atomic<bool> done = false;
        std::thread later([&] {
            calls();
            done = true;
        });
        while (!done) {
            Application->ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        later.join();
    }

    static uintptr_t HandleOf(TForm* form) { return reinterpret_cast<uintptr_t>(form->Handle()); }

    std::optional<TestSupport::ShortTempFolder> Temp;
    String OldTitle;
    TForm* Main = nullptr;
    TForm* Hidden = nullptr;
    HANDLE Lock = nullptr;
};

TEST_F(RunningCopyTest, SaysItIsReadyOnlyOnceTheProgramHasSaidSo) {
    BOOL before = 1;
    BOOL after = 0;
    AsLaterCopy([&] { before = RunningCopyReady(); });
    SetRunningCopyReady();
    AsLaterCopy([&] { after = RunningCopyReady(); });

    EXPECT_EQ(0, before);
    EXPECT_EQ(1, after);
}

TEST_F(RunningCopyTest, ListsItsWindowsInWindowOrderWithTheApplicationWindowLast) {
    Main->SetWindowState(wsMinimized);
    std::vector<TRunningCopyWindow> windows;
    AsLaterCopy([&] { windows = RunningCopyWindows(); });

    std::vector<TRunningCopyWindow> expected = {
        {HandleOf(Main), "Quiltmarker", true, true},
        {HandleOf(Hidden), "Quiltmarker - Publisher", false, false},
        {0, "Quiltmarker v.3.0d", false, false},
    };
    // Forms of other tests may still be alive: only ours are compared, in their order.
    std::erase_if(windows, [&](const TRunningCopyWindow& window) {
        return std::find(expected.begin(), expected.end(), window) == expected.end();
    });
    EXPECT_EQ(expected, windows);
}

TEST_F(RunningCopyTest, RestoresRaisesAndSendsMessagesToTheWindowAsked) {
    std::vector<TMessage> received;
    TWndMethod passOn = Main->WindowProc();
    Main->SetWindowProc([&](TMessage& message) {
        if (message.Msg != WM_USER + 244)
            return passOn(message);
        received.push_back(message);
        message.Result = 42;
    });
    Main->SetWindowState(wsMinimized);
    TRunningCopyWindow window{HandleOf(Main), "Quiltmarker", true, true};
    TRunningCopyWindow popup;
    LRESULT result = 0;
    AsLaterCopy([&] {
        ShowWindow(window, SW_SHOWDEFAULT);
        SetForegroundWindow(window);
        popup = GetLastActivePopup(window);
        result = SendMessage(window, WM_USER + 244, 7, 0);
    });

    EXPECT_EQ(wsNormal, Main->WindowState());
    EXPECT_EQ(window, popup);
    EXPECT_EQ(42, result);
    ASSERT_EQ(1u, received.size());
    EXPECT_EQ(7u, received[0].WParam);
    EXPECT_EQ(0, received[0].LParam);
    Main->SetWindowProc(nullptr);
}
