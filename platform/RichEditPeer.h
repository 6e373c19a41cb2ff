#pragma once
// The rich edit's window, for the platform's own .cpp files: QScintilla with the rich edit's
// keyboard, drawing and clipboard. After every event the widget handled, the control raises the
// notifications that the event caused.

#include "platform/Peer.h"
#include "platform/SciCalls.h"

class TRichEdit;
struct TPagePrint;
class TSciWidget;
class TPageTarget;
class QPainter;
class QRect;

class TRichEditPeer : public TControlPeer {
public:
    explicit TRichEditPeer(TControl& control);

    TRichEdit& Edit() const;
    TSciCalls& Calls() { return FCalls; }

    // The widget's events reach the control only from the end of its construction to the start
    // of its destruction.
    void Start();
    void Detach() override;

    // The control keeps the text; the caption never reaches the widget.
    void SetText(const String&) override {}
    // The text shown as UTF-8, or as single bytes with the Windows-1252 glyphs of 0x80-0x9F,
    // which Scintilla's single-byte mode would show as control codes, painted by the widget.
    void ShowAsUtf8(bool utf8);
    void SetUpdatesEnabled(bool enabled);
    // Ctrl+Home and Ctrl+End, extending the selection with Shift, without waiting for the lines
    // above the caret to be wrapped.
    void GoToTextEdge(bool end, bool extend);
    // Brings the caret into view, the lines shown with it wrapped.
    void ScrollCaret();
    // Tab without WantTabs: the focus moves to the next or the previous control.
    void MoveFocus(bool next);
    // The clipboard's text as the control's bytes, and back: UTF-8 for a text shown as UTF-8,
    // else Windows-1252 with '?' for what it cannot hold.
    String ClipboardBytes() const;
    void SetClipboardBytes(const String& bytes);
    void Print(const String& title);
    void PrintPages(const TPagePrint& job);
    void RecordPreviewPages(const TPagePrint& job);

private:
    void RenderPages(const TPagePrint& job, TPageTarget& target);
    // Draws the text from start on one page's area and returns where the next page starts.
    long FormatRange(QPainter& painter, const QRect& area, long start, long end);
    long FormatLength() const;
    void BindKeys();
    void Modified(int position, int type, int length);

    TSciWidget* FSci;
    TSciCalls FCalls;
};

// The UTF-8 bytes of the character a Windows-1252 byte stands for.
String Windows1252ToUtf8(unsigned char code);
