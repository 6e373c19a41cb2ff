#include "tags/HTMLSoundForm.h"

#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/CommonDialogs.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/StdCtrls.h"
#include "tags/DialogAttributes.h"
#include "tags/DialogLayout.h"

TSoundForm* SoundForm = nullptr;

namespace {

const char* const MediaFilter =
    "Midi files (*.mid*,*.rmi)|*.mid*;*.rmi|Wave files (*.wav)|*.wav|MPEG Audio files "
    "(*.mp2;*.mp3;*.abs;*.mpega)|*.mp2;*.mp3;*.abs;*.mpega|Real Audio files "
    "(*.ra;*.ram;*.rmm)|*.ra;*.ram;*.rmm|Audio files (*.au, .*aif*;*.asf;*.asx)|*.au;*.aif*;*.asf;"
    "*.asx|Video files (*.avi;*.ivf;*.mov;*.vdo)|*.avi;*.ivf;*.mov;*.vdo|MPEG Video files "
    "(*.mpv*;*.mp2v)|*.mpv*;*.mp2v|Real Video files(*.rm;*.rv;*.ram)|*.rm;*.rv;*.ram|All files "
    "(*.*)|*.*";

String TrueOrFalse(const TCheckBox* box) {
    return box->Checked() ? "TRUE" : "FALSE";
}

// A typed or browsed name that is already relative (or a bare file name) is the URL as it
// stands; only a full path is made relative to the page, so a relative URL is never taken for a
// path a second time.
String SourceURL(const String& text, const String& pageFolder) {
    return !text.empty() && text[0] == PathDelim ? URLFromPage(text, pageFolder) : text;
}

} // namespace

TSoundForm::TSoundForm(TComponent* AOwner) : TForm(AOwner) {
    BuildForm([this] {
        SetName("SoundForm");
        SetCaption("Quiltmarker - Insert Multimedia File");
        SetBorderStyle(bsDialog);
        SetBorderIcons({biSystemMenu});
        SetClientWidth(360);
        SetClientHeight(196);
        BuildControls();
    });
}

TEdit* TSoundForm::AddNumberBox(const String& name, const String& caption, int left,
                                TUpDown*& upDown, const String& upDownName, int max, int step,
                                int position) {
    TEdit* edit = AddLabelledBox<TEdit>(this, this, name, name + "Label", caption, left, 84, 50);
    upDown = NewControl<TUpDown>(this, this, upDownName, left + 50, 100, 15, 21);
    upDown->SetMax(max);
    upDown->SetIncrement(step);
    upDown->SetAssociate(edit);
    upDown->SetPosition(position);
    return edit;
}

TCheckBox* TSoundForm::AddCheck(const String& name, const String& caption, int left, bool checked) {
    auto* box = NewControl<TCheckBox>(this, this, name, left, 56, 100, 17);
    box->SetCaption(caption);
    box->SetChecked(checked);
    return box;
}

void TSoundForm::BuildControls() {
    FileEdit =
        AddLabelledBox<TEdit>(this, this, "FileEdit", "FileLabel", "Multimedia file", 8, 8, 300);
    BrowseButton = NewControl<TSpeedButton>(this, this, "BrowseButton", 312, 23, 23, 22);
    BrowseButton->SetCaption("...");
    BrowseButton->OnClick = Handler(this, &TSoundForm::BrowseButtonClick);
    OpenDialog = NewComponent<TOpenDialog>(this, "OpenDialog");
    OpenDialog->SetFilter(MediaFilter);

    HiddenCheck = AddCheck("HiddenCheck", "Hidden", 8, false);
    HiddenCheck->OnClick = Handler(this, &TSoundForm::HiddenCheckClick);
    AutoStartCheck = AddCheck("AutoStartCheck", "Autostart", 120, false);
    AutoStartCheck->OnClick = Handler(this, &TSoundForm::AutoStartCheckClick);
    ContinuousCheck = AddCheck("ContinuousCheck", "Continuous", 232, true);
    ContinuousCheck->OnClick = Handler(this, &TSoundForm::ContinuousCheckClick);

    WidthEdit = AddNumberBox("WidthEdit", "Width", 8, WidthUD, "WidthUD", 1200, 5, 200);
    HeightEdit = AddNumberBox("HeightEdit", "Height", 100, HeightUD, "HeightUD", 1200, 5, 50);
    LoopEdit = AddNumberBox("LoopEdit", "Loop", 192, LoopUD, "LoopUD", 100, 1, 1);
    ContinuousCheckClick(ContinuousCheck);

    OKButton = NewControl<TButton>(this, this, "OKButton", 190, 160, 75, 25);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);
    CancelButton = NewControl<TButton>(this, this, "CancelButton", 274, 160, 75, 25);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
}

void TSoundForm::BrowseButtonClick(TObject* /*Sender*/) {
    if (OpenDialog->Execute())
        FileEdit->SetText(URLFromPage(OpenDialog->FileName(), PageFolder));
}

void TSoundForm::ContinuousCheckClick(TObject* /*Sender*/) {
    const bool counted = !ContinuousCheck->Checked();
    LoopEdit->SetEnabled(counted);
    LoopUD->SetEnabled(counted);
}

void TSoundForm::HiddenCheckClick(TObject* /*Sender*/) {
    if (HiddenCheck->Checked())
        AutoStartCheck->SetChecked(true);
}

void TSoundForm::AutoStartCheckClick(TObject* /*Sender*/) {
    if (!AutoStartCheck->Checked())
        HiddenCheck->SetChecked(false);
}

String TSoundForm::EmbedTag() const {
    const String loop = ContinuousCheck->Checked() ? String("\"-1\"") : LoopEdit->Text();
    return "<EMBED SRC=\"" + QuotedValue(SourceURL(FileEdit->Text(), PageFolder)) +
           "\" HIDDEN=" + TrueOrFalse(HiddenCheck) + " AUTOSTART=" + TrueOrFalse(AutoStartCheck) +
           " WIDTH=" + WidthEdit->Text() + " HEIGHT=" + HeightEdit->Text() + " LOOP=" + loop + ">";
}
