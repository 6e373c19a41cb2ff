#include "platform/WinHelp.h"
#include "platform/FileUtils.h"
#include "platform/Forms.h"
#include "platform/IniFiles.h"
#include "platform/Peer.h"
#include "platform/TestHooks.h"

#include <QCursor>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const char* const IndexSource = "(index)";

String HtmlEscaped(const String& text) {
    String escaped;
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
            break;
        }
    }
    return escaped;
}

String KeywordOf(uintptr_t data) {
    return data ? String(reinterpret_cast<const char*>(data)) : String();
}

// The page file an index entry names, with its anchor; "" when the entry is missing or names
// no file that is there.
String PageFile(const String& folder, const String& entry) {
    if (entry.empty())
        return "";
    size_t hash = entry.find('#');
    String file = folder + entry.substr(0, hash);
    if (!FileExists(file))
        return "";
    return hash == String::npos ? file : file + entry.substr(hash);
}

String FileLink(const String& pageFile) {
    size_t hash = pageFile.find('#');
    QUrl url = QUrl::fromLocalFile(QString::fromLocal8Bit(pageFile.substr(0, hash)));
    if (hash != String::npos)
        url.setFragment(QString::fromLocal8Bit(pageFile.substr(hash + 1)));
    return url.toString(QUrl::FullyEncoded).toStdString();
}

// The help set's index page: its contents entries, after a line that says what was asked for.
String IndexPage(TIniFile& index, const String& helpFile, const String& title,
                 const String& asked) {
    String html = "<html><head><title>" + HtmlEscaped(title) + "</title></head><body>\n<h1>" +
                  HtmlEscaped(title) + "</h1>\n";
    if (!asked.empty())
        html += "<p>" + HtmlEscaped(asked) + "</p>\n";
    TStringList entries;
    index.ReadSection("Contents", &entries);
    html += "<ul>\n";
    String folder = ExtractFilePath(helpFile);
    for (int i = 0; i < entries.Count(); ++i) {
        String page = PageFile(folder, index.ReadString("Contents", entries[i], ""));
        if (!page.empty())
            html += "<li><a href=\"" + HtmlEscaped(FileLink(page)) + "\">" +
                    HtmlEscaped(entries[i]) + "</a></li>\n";
    }
    return html + "</ul>\n</body></html>\n";
}

// The index page is shown from an address of its own, so that Back returns to it like any page.
const char* const IndexScheme = "helpindex";

// The page file a link of the viewer names, with its anchor.
QString PageOfLink(const QUrl& url) {
    if (url.scheme() == IndexScheme)
        return IndexSource;
    QString page = url.toLocalFile();
    return url.hasFragment() ? page + "#" + url.fragment() : page;
}

// Escape closes the viewer's window, as it closes any dialog of the program. The page shown is
// kept by its file name, however the viewer came to it (a request, a link, Back).
class THelpBrowser : public QTextBrowser {
public:
    THelpBrowser() {
        connect(this, &QTextBrowser::sourceChanged, this,
                [this](const QUrl& url) { setProperty("helpSource", PageOfLink(url)); });
    }

    // Each index page gets an address of its own: the history keeps the one it was shown with.
    void ShowIndexPage(const String& html) {
        QUrl address(QString("%1:%2").arg(IndexScheme).arg(++FIndexPages));
        FIndexHtml[address.path()] = DisplayText(html);
        setSource(address);
    }

protected:
    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == IndexScheme)
            return FIndexHtml.value(name.path());
        return QTextBrowser::loadResource(type, name);
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
            window()->close();
        else
            QTextBrowser::keyPressEvent(event);
    }

private:
    QHash<QString, QString> FIndexHtml;
    int FIndexPages = 0;
};

QPointer<THelpBrowser> HelpWindow;
QPointer<THelpBrowser> PopupWindow;

// The help window: a Back button over the page, which goes back through the pages shown (Alt+Left
// does the same from the page).
THelpBrowser* MakeHelpWindow() {
    auto* window = new QWidget;
    window->setObjectName("helpWindow");
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* back = new QPushButton(QStringLiteral("&Back"), window);
    back->setEnabled(false);
    back->setFocusPolicy(Qt::NoFocus);
    auto* browser = new THelpBrowser;
    browser->setObjectName("helpBrowser");
    browser->setOpenExternalLinks(true);
    QObject::connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
    QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(back, 0, Qt::AlignLeft);
    layout->addWidget(browser);
    window->resize(640, 560);
    return browser;
}

THelpBrowser* MakePopupWindow() {
    auto* browser = new THelpBrowser;
    browser->setAttribute(Qt::WA_DeleteOnClose);
    browser->setOpenExternalLinks(true);
    browser->setWindowFlags(Qt::Popup);
    browser->resize(380, 220);
    browser->move(QCursor::pos());
    return browser;
}

void ShowTopic(const THelpTopic& topic, bool popup) {
    QPointer<THelpBrowser>& window = popup ? PopupWindow : HelpWindow;
    if (!window)
        window = popup ? MakePopupWindow() : MakeHelpWindow();
    window->window()->setWindowTitle(DisplayText(topic.Title));
    if (topic.Page.empty()) {
        window->ShowIndexPage(topic.Html);
    } else {
        window->setSource(QUrl(QString::fromStdString(FileLink(topic.Page))));
    }
    window->window()->show();
    window->window()->raise();
    window->window()->activateWindow();
    window->setFocus();
}

void CloseViewerWindows() {
    for (QPointer<THelpBrowser>* window : {&HelpWindow, &PopupWindow})
        if (*window)
            delete (*window)->window();
}

} // namespace

bool FindHelpTopic(const String& helpFile, UINT command, uintptr_t data, THelpTopic& topic) {
    if (!FileExists(helpFile))
        return false;
    TIniFile index(helpFile);
    String folder = ExtractFilePath(helpFile);
    String entry;
    String asked;
    switch (command) {
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP:
        entry = index.ReadString("Topics", IntToStr(static_cast<int>(data)), "");
        asked = "There is no page yet for help topic " + IntToStr(static_cast<int>(data)) + ".";
        break;
    case HELP_KEY:
    case HELP_PARTIALKEY:
        entry = index.ReadString("Keywords", KeywordOf(data), "");
        asked = "There is no page yet for the keyword \"" + KeywordOf(data) + "\".";
        break;
    case HELP_HELPONHELP:
        entry = index.ReadString("Options", "HelpOnHelp", "");
        asked = "There is no page yet on using help.";
        break;
    case HELP_FINDER:
    case HELP_CONTENTS:
        // A help set with a contents page of its own shows it; any other, its index page.
        entry = index.ReadString("Options", "Contents", "");
        break;
    default:
        return false;
    }
    topic.Title = index.ReadString("Options", "Title", ExtractFileName(helpFile));
    topic.Page = PageFile(folder, entry);
    topic.Html = topic.Page.empty() ? IndexPage(index, helpFile, topic.Title, asked) : String();
    return true;
}

bool RunHelpViewer(const String& helpFile, UINT command, uintptr_t data) {
    if (command == HELP_QUIT) {
        CloseViewerWindows();
        return true;
    }
    if (!FileExists(helpFile)) {
        MessageBox(nullptr, "Cannot find the help file " + helpFile + ".", "Help",
                   MB_OK | MB_ICONERROR);
        return false;
    }
    THelpTopic topic;
    if (!FindHelpTopic(helpFile, command, data, topic))
        return false;
    ShowTopic(topic, command == HELP_CONTEXTPOPUP);
    return true;
}

bool OpenHelpViewer(const String& helpFile) {
    if (!helpFile.empty() && !FileExists(helpFile))
        return false;
    if (TestHooks::RecordHelpRequest(helpFile, HELP_FINDER, 0))
        return true;
    THelpTopic topic;
    if (helpFile.empty())
        topic.Title = "Help";
    else if (!FindHelpTopic(helpFile, HELP_FINDER, 0, topic))
        return false;
    ShowTopic(topic, false);
    return true;
}

String HelpWindowSource(bool popup) {
    const QPointer<THelpBrowser>& window = popup ? PopupWindow : HelpWindow;
    if (!window || !window->isVisible())
        return "";
    return window->property("helpSource").toString().toLocal8Bit().toStdString();
}

BOOL WinHelp(HWND /*owner*/, const String& helpFile, UINT command, uintptr_t data) {
    if (TestHooks::RecordHelpRequest(helpFile, command, data))
        return 1;
    return RunHelpViewer(helpFile, command, data) ? 1 : 0;
}
