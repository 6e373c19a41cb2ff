// The window's size, place and panel widths, kept in the registry between runs. What was stored
// is checked against the screens as they are now: a window that would open off every screen, at
// a size no one could use, or panels of widths that make no sense come up where a first start
// puts them instead.

#include "tags/WindowLayout.h"

#include "platform/Registry.h"
#include "services/ProgramSettings.h"
#include "site/FilePane.h"
#include "widgets/QmToolbars.h"

#include <algorithm>

namespace {

const char* const FormStateKey = "Form State";
// The narrowest file pane that still shows its lists, and the width it takes instead.
const int NarrowestFilePane = 50;
const int RestoredFilePaneWidth = 150;
// Smaller than this, a window shows nothing to work with.
const int SmallestWindowWidth = 200;
const int SmallestWindowHeight = 150;
// How much of the window must lie on a screen for the user to reach its caption.
const int VisibleEdge = 50;

// A stored integer, or none when it is missing or damaged.
bool ReadStoredInteger(const TRegistry& reg, const char* name, int& value) {
    int stored = 0;
    if (!ReadSetting(reg, name, stored))
        return false;
    value = stored;
    return true;
}

bool SizeFits(int width, int height, const TRect& desktop) {
    return width >= SmallestWindowWidth && height >= SmallestWindowHeight &&
           width <= desktop.Width() && height <= desktop.Height();
}

bool MeetsDesktop(const TRect& window, const TRect& desktop) {
    return window.Left <= desktop.Right - VisibleEdge &&
           window.Top <= desktop.Bottom - VisibleEdge &&
           window.Right >= desktop.Left + VisibleEdge && window.Top >= desktop.Top;
}

} // namespace

void TWindowLayout::RestoreWindowState() {
    LoadFormState();
}

void TWindowLayout::ReadSettings() {
    LoadFormState();
}

bool TWindowLayout::CanClose() {
    SaveFormState();
    return true;
}

void TWindowLayout::SaveFormState() {
    Form.SaveToolbarPlaces();
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey(FormStateKey), true)) {
        const bool maximized = Form.WindowState() == wsMaximized;
        reg.WriteBool("Maximized", maximized);
        if (!maximized) {
            reg.WriteInteger("Left", std::max(0, Form.Left()));
            reg.WriteInteger("Top", std::max(0, Form.Top()));
            reg.WriteInteger("Height", Form.Height());
            reg.WriteInteger("Width", Form.Width());
        }
        reg.WriteInteger("Panel2 Width", Form.LeftPanel->Width());
        reg.WriteInteger("Panel11 Width", Form.ToolbarPanel->Width());
        reg.WriteBool("Panel11 Visible", Form.ToolbarPanel->Visible());
    }
    if (Form.FilePane)
        Form.FilePane->StoreLastMask();
}

void TWindowLayout::LoadFormState() {
    TRegistry reg;
    if (reg.OpenKey(ProductSubKey(FormStateKey), false)) {
        Form.SetWindowState(wsNormal);
        Form.LeftPanelVisible = true;
        ReadSetting(reg, "LeftPanelVisible", Form.LeftPanelVisible);
        Form.LeftPanel->SetVisible(Form.LeftPanelVisible);
        RestoreWindowBounds(reg);
        bool maximized = false;
        if (ReadSetting(reg, "Maximized", maximized) && maximized)
            Form.SetWindowState(wsMaximized);
        RestorePanelWidths(reg);
    }
    Form.TopPanel->Show();
    Form.LoadToolbarPlaces();
    DockToolbarsOutOfView();
}

// A toolbar left out of view by its stored place comes back to the dock the window starts it in.
void TWindowLayout::DockToolbarsOutOfView() {
    const std::pair<TQmToolbar*, TQmDock*> homes[] = {{Form.StdToolbar, Form.DockStd},
                                                      {Form.EditToolbar, Form.DockEdit}};
    for (const auto& [toolbar, dock] : homes)
        if (toolbar->Left() < 0)
            toolbar->SetDockedTo(dock);
}

// A place or size that the screens cannot show is left as the window has it.
void TWindowLayout::RestoreWindowBounds(const TRegistry& reg) {
    int left = Form.Left();
    int top = Form.Top();
    int width = Form.Width();
    int height = Form.Height();
    ReadStoredInteger(reg, "Left", left);
    ReadStoredInteger(reg, "Top", top);
    ReadStoredInteger(reg, "Height", height);
    ReadStoredInteger(reg, "Width", width);
    left = std::max(0, left);
    top = std::max(0, top);
    const TRect desktop = Screen->DesktopRect();
    if (!SizeFits(width, height, desktop)) {
        width = Form.Width();
        height = Form.Height();
    }
    if (!MeetsDesktop(Bounds(left, top, width, height), desktop)) {
        left = Form.Left();
        top = Form.Top();
    }
    Form.SetBounds(left, top, width, height);
}

// A file pane too narrow to use gets a usable width; a width that leaves no room for the pages
// or the tag bar is not taken.
void TWindowLayout::RestorePanelWidths(const TRegistry& reg) {
    int paneWidth = Form.LeftPanel->Width();
    if (ReadStoredInteger(reg, "Panel2 Width", paneWidth) && paneWidth < Form.Width())
        Form.LeftPanel->SetWidth(paneWidth < NarrowestFilePane ? RestoredFilePaneWidth : paneWidth);
    int toolbarWidth = Form.ToolbarPanel->Width();
    if (ReadStoredInteger(reg, "Panel11 Width", toolbarWidth) && toolbarWidth > 0 &&
        toolbarWidth < Form.Width())
        SetToolbarWidth(toolbarWidth);
}
