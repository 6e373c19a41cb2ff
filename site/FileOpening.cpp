// Opening the files chosen in the file pane: text files become pages (or are shown by a browser
// that is open), an image is shown in the browser on a small page of its own, or as the
// background of a page of sample texts.

#include "editor/CorvaletForm.h"

#include "editor/HelpPointer.h"
#include "platform/Events.h"
#include "platform/FileUtils.h"
#include "platform/SHDocVw.h"
#include "publish/InternalBrowser.h"
#include "site/ReportPane.h"
#include "tags/HTMLGlobal.h"

namespace {

const String ShownPageName = "htmltmp.htm";

String PageHead(const String& path) {
    return "<HTML>\r\n<HEAD>\r\n<TITLE>" + path + "</TITLE>\r\n</HEAD>\r\n\n";
}

// An unreadable size counts as none; the reader has said why.
String ImageSizePart(TImageSizeReader reader, const String& path, char selector) {
    return reader && GlobalForm ? (GlobalForm->*reader)(path, selector) : String("0");
}

} // namespace

void THTMLEMainForm::BuildFileOpening() {
    ViewasBackground2 = InsertItem(this, File1, Details2->MenuIndex() + 1, "ViewasBackground2",
                                   "View as &Background");
}

void THTMLEMainForm::BindFileOpening() {
    FileListBox1->OnDblClick = Handler(this, &THTMLEMainForm::FileListBox1DblClick);
    Open2->OnClick = Handler(this, &THTMLEMainForm::FileListBox1DblClick);
    ViewasBackground1->OnClick = Handler(this, &THTMLEMainForm::FileListBox1DblClick);
    ViewasBackground2->OnClick = Handler(this, &THTMLEMainForm::ViewasBackground2Click);
}

bool THTMLEMainForm::IsImageFile(const String& fileName) {
    return ImageSizeReaderFor(LowerCase(fileName)) != nullptr;
}

String THTMLEMainForm::ImagePageText(const String& path, bool sizeKnown) {
    const TImageSizeReader reader = sizeKnown ? ImageSizeReaderFor(LowerCase(path)) : nullptr;
    const String height = ImageSizePart(reader, path, 'H');
    const String width = ImageSizePart(reader, path, 'W');
    String page =
        PageHead(path) + "<BODY><TABLE><TR><TD ALIGN=CENTER><IMG SRC=\"" + FileURL(path) + "\"";
    if (StrToIntDef(width, 0) > 0)
        page += " WIDTH=" + width;
    if (StrToIntDef(height, 0) > 0)
        page += " HEIGHT=" + height;
    return page + "></TD></TR><TR><TD ALIGN=CENTER>" + ExtractFileName(path) +
           "<BR><I>Click Internal Browser button<BR>to return to Editor</I></TD></TR></TABLE>"
           "</BODY></HTML>";
}

String THTMLEMainForm::BackgroundPageText(const String& path) {
    return PageHead(path) + "<BODY BACKGROUND=\"" + FileURL(path) + "\">\r\n<P>\r\n<CENTER><H1>" +
           path +
           "</H1></CENTER><BR>\r\n<BR>\r\nBlack text"
           "<BR>\r\n<FONT COLOR=white>White text</FONT><BR>\r\n"
           "<FONT COLOR=yellow>Yellow text</FONT><BR>\r\n"
           "<FONT COLOR=blue>Blue text</FONT><BR>\r\n"
           "<FONT COLOR=green>Green text</FONT><BR>\r\n<BR>\r\n"
           "<FONT SIZE=1>Font size 1</FONT><BR>\r\n<FONT SIZE=2>"
           "Font size 2</FONT><BR>\r\n<FONT SIZE=3>Font size 3"
           "</FONT><BR>\r\n<FONT SIZE=4>Font size 4</FONT><BR>\r\n"
           "<FONT SIZE=5>Font size 5</FONT><BR>\r\n<FONT SIZE=6>"
           "Font size 6</FONT><BR>\r\n<FONT SIZE=7>Font size 7"
           "</FONT><BR>\r\n<BR>\r\n<B>Bold text</B><BR>\r\n<I>Italic text</I>"
           "\r\n</BODY>\r\n</HTML>";
}

void THTMLEMainForm::ViewasBackground2Click(TObject* Sender) {
    if (HandleHelpPointer(HelpContexts::ViewasBackground2Click))
        return;
    FileListBox1DblClick(Sender);
}

void THTMLEMainForm::FileListBox1DblClick(TObject* Sender) {
    if (HandleHelpPointer(HelpContexts::FileListBox1DblClick))
        return;
    ReportPane->CloseReportView();
    AbortRequested = false;
    const std::vector<int> selected = SelectedFileIndexes(20);
    for (int index : selected) {
        const String path = FileListFolder() + FileListBox1->Items()[index];
        if (IsTextFile(path)) {
            if (InternalBrowser->IntBrowser->Visible() &&
                LowerCase(path).find(".txt") == String::npos)
                InternalBrowser->RunPreviewCommand(path);
            else if (!OpenFromPane(path, false))
                return;
        } else if (IsImageFile(path)) {
            if (selected.size() > 1)
                continue;
            ShowFileInBrowser(path, Sender == ViewasBackground1 || Sender == ViewasBackground2,
                              true);
            return;
        } else {
            const int answer = MessageBox(
                Handle(), "May not be able to display this file. Treat it as a text file?",
                "Quiltmarker", MB_YESNOCANCEL | MB_ICONSTOP);
            if (answer == IDNO) {
                ShowFileInBrowser(path, false, false);
                return;
            }
            if (answer == IDYES && !OpenFromPane(path, true))
                return;
        }
    }
    AbortRequested = false;
}

bool THTMLEMainForm::OpenFromPane(const String& path, bool anyExtension) {
    if (!AbortRequested) {
        OpenDocument(path, false, true, anyExtension);
        Application->ProcessMessages();
    }
    if (AbortRequested) {
        AbortRequested = false;
        return false;
    }
    UpdateDocumentCommands();
    return true;
}

void THTMLEMainForm::ShowFileInBrowser(const String& path, bool asBackground, bool sizeKnown) {
    const String pageFile = TempFolder() + ShownPageName;
    DeleteFile(pageFile);
    const bool background = asBackground && IsImageFile(path);
    try {
        WriteFileAtomic(pageFile,
                        background ? BackgroundPageText(path) : ImagePageText(path, sizeKnown));
    } catch (const std::exception&) {
        Application->HandleException(this); // the browser shows what it finds there
    }
    if (background) {
        if (!InternalBrowser->IntBrowser->Visible()) {
            if (InternalBrowser->BrowserFullSize)
                LeftPanel->SetVisible(false);
            InternalBrowser->ShowInternalBrowser();
        }
        InternalBrowser->AddURLToHistory(pageFile);
    } else {
        InternalBrowser->ImagePreviewShown = true;
        InternalBrowser->ShowInternalBrowser();
        InternalBrowser->SizeBrowserToScreen();
        InternalBrowser->AddURLToHistory(path);
    }
    InternalBrowser->IntBrowser->Navigate(pageFile);
}
