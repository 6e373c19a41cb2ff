// Opening the files chosen in the file pane: text files become pages (or are shown by a browser
// that is open), an image is shown in the browser on a small page of its own, or as the
// background of a page of sample texts.

#include "site/FilePane.h"

#include "editor/CorvaletForm.h"
#include "editor/Documents.h"
#include "editor/HelpPointer.h"
#include "platform/Events.h"
#include "platform/FileListBox.h"
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

void TFilePane::BuildFileOpening() {
    ViewasBackground2 = InsertItem(&Form, Form.File1, Details2->MenuIndex() + 1,
                                   "ViewasBackground2", "View as &Background");
}

void TFilePane::BindFileOpening() {
    FileListBox1->OnDblClick = Handler(this, &TFilePane::FileListBox1DblClick);
    Open2->OnClick = Handler(this, &TFilePane::FileListBox1DblClick);
    ViewasBackground1->OnClick = Handler(this, &TFilePane::FileListBox1DblClick);
    ViewasBackground2->OnClick = Handler(this, &TFilePane::ViewasBackground2Click);
}

bool TFilePane::IsImageFile(const String& fileName) {
    return ImageSizeReaderFor(LowerCase(fileName)) != nullptr;
}

String TFilePane::ImagePageText(const String& path, bool sizeKnown) {
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

String TFilePane::BackgroundPageText(const String& path) {
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

void TFilePane::ViewasBackground2Click(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::ViewasBackground2Click))
        return;
    FileListBox1DblClick(Sender);
}

void TFilePane::FileListBox1DblClick(TObject* Sender) {
    if (Form.HandleHelpPointer(HelpContexts::FileListBox1DblClick))
        return;
    Form.ReportPane->CloseReportView();
    Form.AbortRequested = false;
    const std::vector<int> selected = SelectedFileIndexes(20);
    for (int index : selected) {
        const String path = FileListFolder() + FileListBox1->Items()[index];
        if (Form.Documents->IsTextFile(path)) {
            if (Form.InternalBrowser->IntBrowser->Visible() &&
                LowerCase(path).find(".txt") == String::npos)
                Form.InternalBrowser->RunPreviewCommand(path);
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
                Form.Handle(), "May not be able to display this file. Treat it as a text file?",
                "Quiltmarker", MB_YESNOCANCEL | MB_ICONSTOP);
            if (answer == IDNO) {
                ShowFileInBrowser(path, false, false);
                return;
            }
            if (answer == IDYES && !OpenFromPane(path, true))
                return;
        }
    }
    Form.AbortRequested = false;
}

bool TFilePane::OpenFromPane(const String& path, bool anyExtension) {
    if (!Form.AbortRequested) {
        Form.Documents->OpenDocument(path, false, true, anyExtension);
        Application->ProcessMessages();
    }
    if (Form.AbortRequested) {
        Form.AbortRequested = false;
        return false;
    }
    Form.UpdateDocumentCommands();
    return true;
}

void TFilePane::ShowFileInBrowser(const String& path, bool asBackground, bool sizeKnown) {
    const String pageFile = TempFolder() + ShownPageName;
    DeleteFile(pageFile);
    const bool background = asBackground && IsImageFile(path);
    try {
        WriteFileAtomic(pageFile,
                        background ? BackgroundPageText(path) : ImagePageText(path, sizeKnown));
    } catch (const std::exception&) {
        Application->HandleException(&Form); // the browser shows what it finds there
    }
    if (background) {
        if (!Form.InternalBrowser->IntBrowser->Visible()) {
            if (Form.InternalBrowser->BrowserFullSize)
                Form.LeftPanel->SetVisible(false);
            Form.InternalBrowser->ShowInternalBrowser();
        }
        Form.InternalBrowser->AddURLToHistory(pageFile);
    } else {
        Form.InternalBrowser->ImagePreviewShown = true;
        Form.InternalBrowser->ShowInternalBrowser();
        Form.InternalBrowser->SizeBrowserToScreen();
        Form.InternalBrowser->AddURLToHistory(path);
    }
    Form.InternalBrowser->IntBrowser->Navigate(pageFile);
}
