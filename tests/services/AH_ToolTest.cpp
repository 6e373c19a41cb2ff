#include "services/AH_Tool.h"

#include "platform/Clipbrd.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TCounted : public TObject {
public:
    TCounted(std::vector<int>& freed, int id) : FFreed(freed), FId(id) {}
    ~TCounted() override { FFreed.push_back(FId); }

private:
    std::vector<int>& FFreed;
    int FId;
};

TEST(ObjectListTest, OwnsItsObjectsAndFreesThemLastFirst) {
    std::vector<int> freed;
    {
        TObjectList list;
        for (int id = 0; id < 4; ++id)
            list.Add(new TCounted(freed, id));
        TObject* second = list.Items(1);
        EXPECT_EQ(list.Remove(second), 1);
        EXPECT_EQ(list.Remove(second), -1);
        list.Delete(0);
        EXPECT_EQ(freed, (std::vector<int>{1, 0}));
    }
    EXPECT_EQ(freed, (std::vector<int>{1, 0, 3, 2}));
}

// A handler that notes its name and the hint it was given, then adds its name to the hint.
class TNoting {
public:
    TNoting(std::vector<String>& log, String name) : FLog(log), FName(std::move(name)) {}
    void Hook(String& hint, bool&, THintInfo&) {
        FLog.push_back(FName + " saw '" + hint + "'");
        hint += FName;
    }

private:
    std::vector<String>& FLog;
    String FName;
};

class ShowHintMulticastTest : public testing::Test {
protected:
    void TearDown() override {
        EndShowHintMulticast();
        Application->OnShowHint = nullptr;
    }
    String Dispatch() {
        String hint;
        bool canShow = true;
        THintInfo info;
        Application->OnShowHint(hint, canShow, info);
        return hint;
    }
    std::vector<String> Log;
};

TEST_F(ShowHintMulticastTest, LaterHandlersRunFirstAndTheApplicationsOwnRunsLast) {
    Application->OnShowHint = [this](String& hint, bool&, THintInfo&) {
        Log.push_back("own saw '" + hint + "'");
    };
    TNoting a(Log, "a");
    TNoting b(Log, "b");
    AddShowHintHandler(MethodOf<&TNoting::Hook>(&a));
    AddShowHintHandler(MethodOf<&TNoting::Hook>(&b));
    EXPECT_EQ(Dispatch(), "ba");
    EXPECT_EQ(Log, (std::vector<String>{"b saw ''", "a saw 'b'", "own saw 'ba'"}));
    EndShowHintMulticast();
    Log.clear();
    Dispatch();
    EXPECT_EQ(Log, (std::vector<String>{"own saw ''"})) << "the own handler is back alone";
}

TEST_F(ShowHintMulticastTest, RemovingAHandlerAddedTwiceRemovesBoth) {
    TNoting a(Log, "a");
    TNoting b(Log, "b");
    AddShowHintHandler(MethodOf<&TNoting::Hook>(&a));
    AddShowHintHandler(MethodOf<&TNoting::Hook>(&b));
    AddShowHintHandler(MethodOf<&TNoting::Hook>(&a));
    RemoveShowHintHandler(MethodOf<&TNoting::Hook>(&a));
    EXPECT_EQ(Dispatch(), "b");
}

TEST_F(ShowHintMulticastTest, WithNoHandlerAddedTheApplicationsEventIsLeftAlone) {
    TNoting b(Log, "b");
    RemoveShowHintHandler(MethodOf<&TNoting::Hook>(&b));
    EXPECT_FALSE(Application->OnShowHint);
}

TEST(ClipboardStreamTest, AStreamReachesTheClipboardWholeFollowedByOneZero) {
    for (int size : {1, 32768, 32769}) {
        TMemoryStream stream;
        String text(size, 'q');
        text[size - 1] = 'z';
        WriteString(stream, text);
        CopyStreamToClipboard(stream, CF_TEXT);
        String block;
        ASSERT_TRUE(GetClipboardData(CF_TEXT, block));
        EXPECT_EQ(block, text + '\0') << size;

        TMemoryStream back;
        PasteClipboardToStream(back, CF_TEXT);
        EXPECT_EQ(back.Size(), size);
        EXPECT_EQ(static_cast<const char*>(back.Memory())[size - 1], 'z');
    }
}

} // namespace
