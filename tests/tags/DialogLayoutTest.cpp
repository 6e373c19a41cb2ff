// Every form of the program lays its controls out so that each can be seen and read, in the fonts
// of this machine: each control lies within its parent's client area, no two visible controls
// of one parent cover each other, and every caption fits its control.
//
// The forms are listed below, one row each; the list is checked against the form classes
// declared in the sources, so a new form cannot go unchecked.

#include "ElementDialogSupport.h"
#include "editor/AboutForm.h"
#include "editor/ChangeCaseForm.h"
#include "editor/FindReplaceForm.h"
#include "editor/GlobalProgressForm.h"
#include "editor/GlobalReplaceForm.h"
#include "editor/HTMLLocationForm.h"
#include "editor/HTMLMarginForm.h"
#include "editor/HTMLSplash.h"
#include "editor/TabSetForm.h"
#include "editor/TagColourForm.h"
#include "editor/TextFilesForm.h"
#include "generators/CSSMain.h"
#include "generators/HTMLColumn.h"
#include "generators/HTMLDate.h"
#include "generators/HTMLDropLink.h"
#include "generators/HTMLMouseOverForm.h"
#include "generators/HTMLNewButtonScript.h"
#include "generators/HTMLTable.h"
#include "generators/HTMLTextToTable.h"
#include "generators/HTML_TD.h"
#include "generators/IMGMap.h"
#include "generators/IMURLForm.h"
#include "generators/ImageSelect.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Controls.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "platform/Win32Draw.h"
#include "publish/AnimPubForm.h"
#include "publish/AppCmdForm.h"
#include "publish/Ferrydock95Main.h"
#include "publish/HTMLFolderSelect.h"
#include "publish/HTMLISPSelect.h"
#include "publish/HTMLPublishTo.h"
#include "publish/HTMLSelDir.h"
#include "services/RichPreview.h"
#include "site/HTMLCustomAmendedForm.h"
#include "site/HTMLDetailsForm.h"
#include "site/HTMLDownload.h"
#include "site/HTMLMaskForm.h"
#include "site/HTMLMessageForm.h"
#include "site/TagCheckForm.h"
#include "tags/HTMLAppletForm.h"
#include "tags/HTMLAttForm.h"
#include "tags/HTMLBodyForm.h"
#include "tags/HTMLDivForm.h"
#include "tags/HTMLFontTag.h"
#include "tags/HTMLFormForm.h"
#include "tags/HTMLFrameWizForm1.h"
#include "tags/HTMLGlossary.h"
#include "tags/HTMLIFrame.h"
#include "tags/HTMLImage.h"
#include "tags/HTMLLink.h"
#include "tags/HTMLListForm.h"
#include "tags/HTMLMailToForm.h"
#include "tags/HTMLMeta.h"
#include "tags/HTMLRuleForm.h"
#include "tags/HTMLSelectForm.h"
#include "tags/HTMLSizeForm.h"
#include "tags/HTMLSoundForm.h"
#include "tags/UserDefForm.h"
#include "widgets/JLLabel.h"
#include "widgets/PickDate.h"
#include "widgets/QmToolbars.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>

using namespace ElementDialogSupport;

namespace {

using TMake = std::unique_ptr<TForm> (*)();

template <typename TDialog> std::unique_ptr<TForm> Make() {
    return std::make_unique<TDialog>(nullptr);
}

// The main window is the one the fixture makes, with its features.
std::unique_ptr<TForm> TheMainWindow() {
    return nullptr;
}

// The tag checker loads the page the shared routines form names as it is made.
std::unique_ptr<TForm> MakeTagCheckForm() {
    GlobalForm->ResultText = TestSupport::Sandbox("checked.htm");
    TestSupport::PlantFile(GlobalForm->ResultText, "<html><body><p>text</p></body></html>\r\n");
    return std::make_unique<TTagCheckForm>(nullptr);
}

struct TFormRow {
    const char* ClassName;
    TMake MakeForm;
};

// Every form class of the program: a new form is one more row.
const TFormRow Forms[] = {
    {"THTMLEMainForm", TheMainWindow},
    {"TAboutForm", Make<TAboutForm>},
    {"TChangeCaseForm", Make<TChangeCaseForm>},
    {"TFindReplaceForm", Make<TFindReplaceForm>},
    {"TGlobalProgressForm", Make<TGlobalProgressForm>},
    {"TGlobalReplaceForm", Make<TGlobalReplaceForm>},
    {"TLocationForm", Make<TLocationForm>},
    {"THTMLMarginForm", Make<THTMLMarginForm>},
    {"TSplash", Make<TSplash>},
    {"TTabSetForm", Make<TTabSetForm>},
    {"TTagColourForm", Make<TTagColourForm>},
    {"TTextFilesForm", Make<TTextFilesForm>},
    {"THTMLTableForm", Make<THTMLTableForm>},
    {"THTMLColumnForm", Make<THTMLColumnForm>},
    {"THTMLTDForm", Make<THTMLTDForm>},
    {"TTextToTableForm", Make<TTextToTableForm>},
    {"TDateForm", Make<TDateForm>},
    {"TDropLinkForm", Make<TDropLinkForm>},
    {"TNewButtonScriptForm", Make<TNewButtonScriptForm>},
    {"TMouseOverForm", Make<TMouseOverForm>},
    {"TImageSelectForm", Make<TImageSelectForm>},
    {"TIMMainForm", Make<TIMMainForm>},
    {"TIMURLForm", Make<TIMURLForm>},
    {"TCSSMainForm", Make<TCSSMainForm>},
    {"TAnimPub", Make<TAnimPub>},
    {"TAppCmdForm", Make<TAppCmdForm>},
    {"TFerrydock95Form", Make<TFerrydock95Form>},
    {"TFolderSelectForm", Make<TFolderSelectForm>},
    {"TISPSelectForm", Make<TISPSelectForm>},
    {"THTMLPublishToForm", Make<THTMLPublishToForm>},
    {"TSelDirForm", Make<TSelDirForm>},
    {"TRichPreviewForm", Make<TRichPreviewForm>},
    {"TCustomAmendedForm", Make<TCustomAmendedForm>},
    {"TDetailsForm", Make<TDetailsForm>},
    {"THTMLDownloadForm", Make<THTMLDownloadForm>},
    {"TMaskForm", Make<TMaskForm>},
    {"TMessageForm", Make<TMessageForm>},
    {"TTagCheckForm", MakeTagCheckForm},
    {"TLinkForm", Make<TLinkForm>},
    {"TImageForm", Make<TImageForm>},
    {"THTMLFontTagForm", Make<THTMLFontTagForm>},
    {"TMailToForm", Make<TMailToForm>},
    {"TRuleForm", Make<TRuleForm>},
    {"THTMLMetaForm", Make<THTMLMetaForm>},
    {"TListForm", Make<TListForm>},
    {"TAttForm", Make<TAttForm>},
    {"TAppletForm", Make<TAppletForm>},
    {"TSoundForm", Make<TSoundForm>},
    {"TDivForm", Make<TDivForm>},
    {"TGlossaryForm", Make<TGlossaryForm>},
    {"THTMLEUserDefForm", Make<THTMLEUserDefForm>},
    {"TFormForm", Make<TFormForm>},
    {"TSizeForm", Make<TSizeForm>},
    {"TSelectForm", Make<TSelectForm>},
    {"TBodyForm", Make<TBodyForm>},
    {"TFrameWizForm", Make<TFrameWizForm>},
    {"TIFrameForm", Make<TIFrameForm>},
    {"TGlobalForm", Make<TGlobalForm>},
    {"TSelectDateDlg", Make<TSelectDateDlg>},
};

void PrintTo(const TFormRow& row, std::ostream* os) {
    *os << row.ClassName;
}

// A control that passes its parent's area on purpose.
struct TDeliberateCut {
    const char* Form;
    const char* Control;
    const char* Reason;
};

const TDeliberateCut DeliberateCuts[] = {
    {"TSplash", "Image1", "the product picture is 201 pixels high in a window 198 high"},
    {"TFerrydock95Form", "WorkingDirGroup", "kept below the client area, out of view"},
    {"THTMLEMainForm", "NOBRButton", "a tag bar page scrolls its buttons into view"},
    {"THTMLEMainForm", "ASPButton", "a tag bar page scrolls its buttons into view"},
    {"THTMLEMainForm", "GlossaryButton", "a tag bar page scrolls its buttons into view"},
    {"THTMLEMainForm", "AppletButton", "a tag bar page scrolls its buttons into view"},
    {"THTMLEMainForm", "SoundButton", "a tag bar page scrolls its buttons into view"},
    {"TDateForm", "ActualMemo", "it shows only when Expand makes the dialog tall enough"},
};

// Two controls of one parent that share space on purpose.
struct TDeliberateOverlap {
    const char* Form;
    const char* First;
    const char* Second;
    const char* Reason;
};

const TDeliberateOverlap DeliberateOverlaps[] = {
    {"TSplash", "Image1", "Bevel2", "the bevel frames the picture"},
    {"TSplash", "Image1", "VersionLabel", "the version is written on the picture"},
    {"TSplash", "Image1", "StateLabel", "the progress is written on the picture"},
    {"TSplash", "Bevel2", "VersionLabel", "the bevel frames the picture"},
    {"TSplash", "Bevel2", "StateLabel", "the bevel frames the picture"},
    {"TGlobalReplaceForm", "OKButton", "YesButton", "OK shows alone, Yes and No when asking"},
    {"TGlobalReplaceForm", "OKButton", "NoButton", "OK shows alone, Yes and No when asking"},
    {"TIMMainForm", "Image1", "Bevel1", "the bevel frames the picture"},
    {"TIMMainForm", "Image1", "PaintBox1", "the areas are drawn over the picture"},
    {"TIMMainForm", "Bevel1", "PaintBox1", "the bevel frames the drawing surface"},
};

// The form classes the sources declare.
std::set<String> DeclaredFormClasses() {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(QM_SOURCE_DATA).parent_path();
    const std::regex declaration(R"(class\s+(T\w+)\s*(?:final\s*)?:\s*public\s+TForm\b)");
    std::set<String> classes;
    for (const char* folder :
         {"app", "editor", "tags", "generators", "site", "publish", "widgets", "services"})
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            if (entry.path().extension() != ".h")
                continue;
            std::ifstream file(entry.path());
            std::stringstream text;
            text << file.rdbuf();
            const String source = text.str();
            for (std::sregex_iterator it(source.begin(), source.end(), declaration), end; it != end;
                 ++it)
                classes.insert((*it)[1]);
        }
    return classes;
}

// The controls the form itself made, as its resource would list them.
std::vector<TControl*> OwnControls(const TForm& form) {
    std::vector<TControl*> controls;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(form.Components(i));
            control && control->Parent())
            controls.push_back(control);
    return controls;
}

// A control as a failure names it: its name and bounds.
String Described(const TControl& control) {
    return Format("%s(%d,%d %dx%d) ", control.Name().c_str(), control.Left(), control.Top(),
                  control.Width(), control.Height());
}

bool DeliberatelyCut(const TForm& form, const TControl& control) {
    return std::any_of(std::begin(DeliberateCuts), std::end(DeliberateCuts),
                       [&](const TDeliberateCut& cut) {
                           return form.ClassName() == cut.Form && control.Name() == cut.Control;
                       });
}

// On an aligned pane that is hidden: the pane takes its size from the window, and lays out its
// controls, only as it shows.
bool OnHiddenPane(const TControl& control) {
    for (const TWinControl* pane = control.Parent(); pane; pane = pane->Parent())
        if (!pane->Visible() && pane->Align() != alNone)
            return true;
    return false;
}

// The controls that pass their parent's client area.
String ControlsCutOff(const TForm& form) {
    String cut;
    for (const TControl* control : OwnControls(form)) {
        const TWinControl* parent = control->Parent();
        if (DeliberatelyCut(form, *control) || OnHiddenPane(*control))
            continue;
        if (control->Left() < 0 || control->Top() < 0 ||
            control->Left() + control->Width() > parent->ClientWidth() ||
            control->Top() + control->Height() > parent->ClientHeight())
            cut += Described(*control) +
                   Format("in %dx%d ", parent->ClientWidth(), parent->ClientHeight());
    }
    return cut;
}

bool Deliberate(const TForm& form, const TControl& a, const TControl& b) {
    return std::any_of(std::begin(DeliberateOverlaps), std::end(DeliberateOverlaps),
                       [&](const TDeliberateOverlap& overlap) {
                           return form.ClassName() == overlap.Form &&
                                  ((a.Name() == overlap.First && b.Name() == overlap.Second) ||
                                   (a.Name() == overlap.Second && b.Name() == overlap.First));
                       });
}

bool Overlap(const TControl& a, const TControl& b) {
    return std::max(a.Left(), b.Left()) < std::min(a.Left() + a.Width(), b.Left() + b.Width()) &&
           std::max(a.Top(), b.Top()) < std::min(a.Top() + a.Height(), b.Top() + b.Height());
}

// The pairs of visible controls of one parent that cover each other. The pages of a page
// control share its area by design: only one shows at a time.
String OverlappingControls(const TForm& form) {
    std::vector<TControl*> controls = OwnControls(form);
    String overlapping;
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const TControl& a = *controls[i];
            const TControl& b = *controls[j];
            if (a.Parent() != b.Parent() || !a.Visible() || !b.Visible() || OnHiddenPane(a) ||
                dynamic_cast<const TTabSheet*>(&a) || !Overlap(a, b) || Deliberate(form, a, b))
                continue;
            overlapping += Described(a) + "/ " + Described(b);
        }
    return overlapping;
}

// The room a control leaves beside its caption: the box of a check box or radio button, a
// button's edges, the indents of a group box's title, a panel's bevels. Negative: the control
// draws no caption that must fit on one line.
int CaptionMargin(const TControl& control) {
    if (dynamic_cast<const TCheckBox*>(&control) || dynamic_cast<const TRadioButton*>(&control))
        return 20;
    if (dynamic_cast<const TButton*>(&control))
        return 8;
    // A flat button draws its caption straight on its face.
    if (dynamic_cast<const TSpeedButton*>(&control) ||
        dynamic_cast<const TQmToolbarButton*>(&control))
        return 2;
    if (dynamic_cast<const TGroupBox*>(&control))
        return 16;
    if (const auto* panel = dynamic_cast<const TPanel*>(&control)) {
        const int bevels = (panel->BevelOuter() != bvNone) + (panel->BevelInner() != bvNone);
        return 2 * (bevels * panel->BevelWidth() + panel->BorderWidth());
    }
    if (const auto* label = dynamic_cast<const TLabel*>(&control))
        return label->WordWrap() ? -1 : 0;
    return -1;
}

// A label turned upright reads along its height.
int CaptionRoom(const TControl& control) {
    const auto* rotated = dynamic_cast<const TRotateLabel*>(&control);
    return rotated && rotated->Escapement() % 180 != 0 ? control.Height() : control.Width();
}

int WidestLine(TCanvas& canvas, const String& text) {
    int widest = 0;
    std::istringstream lines(text);
    for (String line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        widest = std::max(widest, canvas.TextWidth(line));
    }
    return widest;
}

// The controls whose caption, in the control's font, is wider than the room it has.
String CaptionsCutOff(const TForm& form) {
    String cut;
    for (const TControl* control : OwnControls(form)) {
        const int margin = CaptionMargin(*control);
        if (margin < 0 || control->Caption().empty())
            continue;
        TCanvas canvas;
        canvas.Font().Assign(control->Font());
        const int needed = WidestLine(canvas, WithoutAccelerator(control->Caption())) + margin;
        if (needed > CaptionRoom(*control))
            cut += Described(*control) + Format("needs %d ", needed);
    }
    return cut;
}

class DialogLayoutTest : public ElementDialogTest, public testing::WithParamInterface<TFormRow> {};

TEST_P(DialogLayoutTest, ControlsLieInsideTheirParentsApartAndCaptionsFit) {
    std::unique_ptr<TForm> made = GetParam().MakeForm();
    const TForm& form = made ? *made : *Main;
    ASSERT_EQ(form.ClassName(), GetParam().ClassName);
    EXPECT_EQ(ControlsCutOff(form), "") << "controls passing their parent's client area";
    EXPECT_EQ(OverlappingControls(form), "") << "visible controls covering each other";
    EXPECT_EQ(CaptionsCutOff(form), "") << "captions wider than their controls";
}

INSTANTIATE_TEST_SUITE_P(EveryForm, DialogLayoutTest, testing::ValuesIn(Forms),
                         [](const testing::TestParamInfo<TFormRow>& info) {
                             return String(info.param.ClassName);
                         });

TEST(FormListTest, EveryFormClassOfTheSourcesIsChecked) {
    std::set<String> listed;
    for (const TFormRow& row : Forms)
        listed.insert(row.ClassName);
    const std::set<String> declared = DeclaredFormClasses();
    ASSERT_FALSE(declared.empty());
    std::vector<String> unlisted;
    std::set_difference(declared.begin(), declared.end(), listed.begin(), listed.end(),
                        std::back_inserter(unlisted));
    EXPECT_EQ(unlisted, std::vector<String>{}) << "form classes missing from the layout list";
}

} // namespace
