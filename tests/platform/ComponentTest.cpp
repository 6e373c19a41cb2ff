#include "platform/Component.h"

#include <gtest/gtest.h>

#include <vector>

// A component that writes what happens to it into a shared log.
class ComponentProbe : public TComponent {
public:
    ComponentProbe(TComponent* owner, const String& name, std::vector<String>& log)
        : TComponent(owner), Log(log) {
        SetName(name);
    }
    ~ComponentProbe() override { Log.push_back("free " + Name()); }
    void Watch(TComponent* other, bool askToBeTold) {
        Watched = other;
        if (askToBeTold)
            FreeNotification(other);
    }
    void SetValue() {
        Log.push_back(Name() +
                      (ComponentState().Contains(csLoading) ? " set while loading" : " set"));
    }
    TComponent* Watched = nullptr;
    std::vector<String>& Log;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == Watched) {
            Log.push_back(Name() + " told " + component->Name() + " went");
            Watched = nullptr;
        }
    }
    void Loaded() override {
        TComponent::Loaded();
        Log.push_back("loaded " + Name());
    }
};

TEST(ComponentTest, OwnerFreesWhatItOwnsLatestFirst) {
    std::vector<String> log;
    auto* root = new ComponentProbe(nullptr, "root", log);
    new ComponentProbe(root, "a", log);
    new ComponentProbe(root, "b", log);
    auto* c = new ComponentProbe(root, "c", log);
    new ComponentProbe(c, "d", log);
    ASSERT_EQ(root->ComponentCount(), 3);
    EXPECT_EQ(root->Components(2), c);
    EXPECT_EQ(c->Owner(), root);

    root->Free();
    EXPECT_EQ(log, (std::vector<String>{"free root", "free c", "free d", "free b", "free a"}));
}

TEST(ComponentTest, FreedComponentIsLeftOutOfItsOwnersList) {
    std::vector<String> log;
    ComponentProbe root(nullptr, "root", log);
    auto* a = new ComponentProbe(&root, "a", log);
    auto* b = new ComponentProbe(&root, "b", log);
    a->Free();
    ASSERT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(root.Components(0), b);
    EXPECT_EQ(b->ComponentIndex(), 0);
}

TEST(ComponentTest, ComponentsAreToldWhenOneTheyReferToIsFreed) {
    std::vector<String> log;
    ComponentProbe form(nullptr, "form", log);
    ComponentProbe other(nullptr, "other", log);
    auto* sibling = new ComponentProbe(&form, "sibling", log);
    auto* watcher = new ComponentProbe(&form, "watcher", log);
    auto* outsider = new ComponentProbe(&other, "outsider", log);

    // A sibling is told through its owner without asking; a component of another owner only
    // when it asked with FreeNotification.
    watcher->Watch(sibling, false);
    sibling->Free();
    watcher->Watch(outsider, true);
    outsider->Free();
    EXPECT_EQ(log, (std::vector<String>{"free sibling", "watcher told sibling went",
                                        "free outsider", "watcher told outsider went"}));

    // The link goes both ways: a watcher freed first is not told anything afterwards.
    auto* second = new ComponentProbe(&other, "second", log);
    watcher->Watch(second, true);
    watcher->Free();
    log.clear();
    second->Free();
    EXPECT_EQ(log, (std::vector<String>{"free second"}));
}

TEST(ComponentTest, NamesAreUniqueWithinAnOwnerWithoutRegardToCase) {
    std::vector<String> log;
    ComponentProbe form(nullptr, "form", log);
    auto* button = new ComponentProbe(&form, "OkButton", log);
    EXPECT_EQ(form.FindComponent("okbutton"), button);
    EXPECT_EQ(form.FindComponent("Missing"), nullptr);
    EXPECT_THROW(new ComponentProbe(&form, "OKBUTTON", log), EComponentError);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(button->ClassName(), "ComponentProbe");
}

TEST(ComponentTest, LoadingSetsEveryPropertyBeforeAnyLoaded) {
    std::vector<String> log;
    ComponentProbe form(nullptr, "form", log);
    ComponentProbe* a = nullptr;
    form.LoadComponents([&] {
        a = new ComponentProbe(&form, "a", log);
        a->SetValue();
        auto* b = new ComponentProbe(&form, "b", log);
        b->SetValue();
        a->SetValue();
    });
    EXPECT_EQ(log,
              (std::vector<String>{"a set while loading", "b set while loading",
                                   "a set while loading", "loaded form", "loaded a", "loaded b"}));
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    EXPECT_FALSE(a->ComponentState().Contains(csReading));
    log.clear();
    (new ComponentProbe(&form, "late", log))->SetValue();
    EXPECT_EQ(log, (std::vector<String>{"late set"}));
}

TEST(ComponentTest, FailedLoadingEndsTheLoadingStateWithoutLoaded) {
    std::vector<String> log;
    ComponentProbe form(nullptr, "form", log);
    ComponentProbe* a = nullptr;
    EXPECT_THROW(form.LoadComponents([&] {
        a = new ComponentProbe(&form, "a", log);
        throw EInvalidOperation("broken");
    }),
                 EInvalidOperation);
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    EXPECT_FALSE(a->ComponentState().Contains(csLoading));
    EXPECT_TRUE(log.empty());
}
