// A command's dialog: made when its pointer is empty (a failure is reported and the next use tries
// again), centred on the work area, given the flat-button preference, shown, and released with
// its pointer cleared.

#include "editor/DialogGuard.h"
#include "MainWindowSupport.h"
#include "TestSupport.h"
#include "platform/ExtCtrls.h"
#include "platform/TestHooks.h"
#include "widgets/QmToolbars.h"

#include <gtest/gtest.h>

#include <new>

using namespace MainWindowSupport;

namespace {

int ProbesAlive = 0;

// A dialog with a toolbar button of its own and one that belongs to a panel.
class TProbeForm : public TForm {
public:
    explicit TProbeForm(TComponent* AOwner) : TForm(AOwner) {
        BuildForm([this] {
            SetBounds(0, 0, 300, 200);
            OwnButton = new TQmToolbarButton(this);
            OwnButton->SetParent(this);
            Panel = new TPanel(this);
            Panel->SetParent(this);
            PanelButton = new TQmToolbarButton(Panel);
            PanelButton->SetParent(Panel);
        });
        ++ProbesAlive;
    }
    ~TProbeForm() override { --ProbesAlive; }

    TQmToolbarButton* OwnButton = nullptr;
    TPanel* Panel = nullptr;
    TQmToolbarButton* PanelButton = nullptr;
};

TProbeForm* ProbeForm = nullptr;

const char* const CreationFailure =
    "Not enough memory to show this form.\r\nClose some windows and try again";

} // namespace

TEST(DialogGuard, FailedCreationIsReportedKeepsTheCursorAndTheNextUseTriesAgain) {
    Screen->SetCursor(crHelp); // as help-pointer mode leaves it
    int attempts = 0;
    TCursor cursorWhileMaking = crDefault;
    TestHooks::AnswerMessageBox(IDOK);
    {
        TDialogGuard<TProbeForm> dialog(ProbeForm, TButtonLook::FromSetting, [&]() -> TProbeForm* {
            ++attempts;
            cursorWhileMaking = Screen->Cursor();
            throw std::bad_alloc();
        });
        EXPECT_FALSE(dialog);
    }
    EXPECT_EQ(cursorWhileMaking, crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHelp);
    EXPECT_EQ(ProbeForm, nullptr);
    const auto& prompts = TestHooks::Prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].Text, CreationFailure);
    EXPECT_EQ(prompts[0].Caption, Application->Title());
    EXPECT_EQ(prompts[0].Buttons(), static_cast<UINT>(MB_OK));
    EXPECT_EQ(prompts[0].Icon(), 0u);

    {
        TDialogGuard<TProbeForm> dialog(ProbeForm, TButtonLook::Unchanged, [&] {
            ++attempts;
            return new TProbeForm(nullptr);
        });
        ASSERT_TRUE(dialog);
        EXPECT_EQ(ProbeForm, &*dialog);
    }
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(Screen->Cursor(), crHelp);
    Screen->SetCursor(crDefault);
}

TEST(DialogGuard, UseShowsTheDialogAndReleasesItWithItsPointerCleared) {
    TestHooks::SetWorkArea({0, 0, 1024, 738});
    TestHooks::AnswerModal([](TForm& form) { form.SetModalResult(mrOk); });
    {
        TDialogGuard<TProbeForm> dialog(ProbeForm, TButtonLook::Unchanged);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->Left(), 362);
        EXPECT_EQ(dialog->Top(), 269);
        EXPECT_EQ(dialog.ShowModal(), mrOk);
    }
    EXPECT_EQ(ProbeForm, nullptr);
    Application->ProcessMessages();
    EXPECT_EQ(ProbesAlive, 0);
}

TEST(DialogGuard, KeptDialogIsUsedAgainWithoutBeingMade) {
    {
        TDialogGuard<TProbeForm> dialog(ProbeForm, TButtonLook::Unchanged);
        dialog.Keep();
    }
    TProbeForm* kept = ProbeForm;
    ASSERT_NE(kept, nullptr);
    int made = 0;
    {
        TDialogGuard<TProbeForm> dialog(ProbeForm, TButtonLook::Unchanged, [&] {
            ++made;
            return new TProbeForm(nullptr);
        });
        EXPECT_EQ(&*dialog, kept);
    }
    EXPECT_EQ(made, 0);
    EXPECT_EQ(ProbeForm, nullptr);
    Application->ProcessMessages();
    EXPECT_EQ(ProbesAlive, 0);
}

TEST(DialogGuard, CentreOnWorkArea) {
    struct TCentreCase {
        const char* Name;
        TRect Area;
        int Width, Height;
        int Left, Top;
    };
    const TCentreCase cases[] = {
        {"panel at the bottom", {0, 0, 1024, 738}, 300, 200, 362, 269},
        {"panel on the left", {100, 0, 1024, 768}, 300, 200, 412, 284},
        {"odd differences truncate", {0, 30, 1024, 768}, 301, 201, 361, 298},
        {"taller than the work area", {0, 30, 1024, 768}, 300, 900, 362, 30},
        {"wider than the work area", {100, 0, 1024, 768}, 1000, 200, 100, 284},
    };
    auto form = std::make_unique<TForm>(nullptr);
    for (const TCentreCase& c : cases) {
        TestHooks::SetWorkArea(c.Area);
        form->SetBounds(5, 5, c.Width, c.Height);
        THTMLEMainForm::CentreOnWorkArea(form.get());
        EXPECT_EQ(form->Left(), c.Left) << c.Name;
        EXPECT_EQ(form->Top(), c.Top) << c.Name;
        EXPECT_EQ(form->Width(), c.Width) << c.Name;
    }
}

TEST(DialogGuard, ApplyButtonStyleFollowsOffice97StyleOnOwnButtonsOnly) {
    struct TStyleCase {
        const char* Name;
        std::optional<TStoredValue> Stored;
        bool Flat;
    };
    const TStyleCase cases[] = {
        {"on", TStoredValue{"Office97Style", 1}, true},
        {"off", TStoredValue{"Office97Style", 0}, false},
        {"missing", std::nullopt, false},
        {"of another type", TStoredValue{"Office97Style", String("1")}, false},
    };
    auto form = std::make_unique<TProbeForm>(nullptr);
    for (const TStyleCase& c : cases) {
        {
            TRegistry reg;
            reg.OpenKey(ProductKey, true);
            reg.DeleteValue("Office97Style");
        }
        if (c.Stored)
            Store(ProductKey, {*c.Stored});
        for (bool panelFlat : {false, true}) {
            form->OwnButton->SetFlat(!c.Flat);
            form->PanelButton->SetFlat(panelFlat);
            THTMLEMainForm::ApplyButtonStyle(form.get());
            EXPECT_EQ(form->OwnButton->Flat(), c.Flat) << c.Name;
            EXPECT_EQ(form->PanelButton->Flat(), panelFlat) << c.Name;
        }
    }
}

TEST(DialogGuard, ButtonLookIsGivenOnlyWhenAsked) {
    Store(ProductKey, {{"Office97Style", 0}});
    for (TButtonLook look : {TButtonLook::Unchanged, TButtonLook::FromSetting}) {
        TDialogGuard<TProbeForm> dialog(ProbeForm, look);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->OwnButton->Flat(), look == TButtonLook::Unchanged);
    }
}
