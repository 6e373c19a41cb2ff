#pragma once
// The main window's layout around the pages: the splitters beside the toolbars and the file pane,
// the tag bar's pages scrolled sideways by their scroll buttons, the views of the top area (normal,
// all buttons, toolbars, full screen), and the window's size, place and panel widths kept between
// runs.

#include "editor/CorvaletForm.h"
#include "editor/MainFormFeature.h"

#include <array>

class TCanvas;
class TSpeedButton;
class TSplitIt;

class TWindowLayout : public TMainFormFeature {
public:
    static constexpr int TagPageCount = 13;
    // How far one press of a scroll button moves a page's buttons.
    static constexpr int ShiftStep = 24;

    using TMainFormFeature::TMainFormFeature;
    void Build() override;
    void Bind() override;
    // The window state once more, after the application buttons are read.
    void ReadSettings() override;
    void RestoreWindowState() override;
    void WindowResized() override;
    // The window's state is kept as its closing is asked for, before any page closes.
    bool CanClose() override;

    void SaveFormState();
    void LoadFormState();
    // Moves the buttons of one tag-bar page by offset pixels, hides those outside the scroll
    // buttons and enables each scroll button while buttons are hidden on its side.
    void ShiftTagButtons(TTabSheet* page, int offset);
    // Every page shifted by nothing: scroll buttons re-placed, visibility worked out again.
    void LayoutTagButtonPages();

    void SplitIt2Split(TObject* Sender, int NewPos);
    void SplitIt1Split(TObject* Sender, int NewPos);
    void ToolbarPanelResize(TObject* Sender);
    void SplitIt1DblClick(TObject* Sender);
    void SplitIt1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Enlarge1Click(TObject* Sender);
    void Toolbars1Click(TObject* Sender);
    void FullScreen1Click(TObject* Sender);
    void ShiftButtonsLeft1Click(TObject* Sender);
    void ShiftButtonsRight1Click(TObject* Sender);
    void LeftScroll1Click(TObject* Sender);
    void RightScroll1Click(TObject* Sender);
    void ButtonBarMenuPopup(TObject* Sender);
    void SplitIt2Click(TObject* Sender);
    void SplitIt2Paint(TObject* Sender, TCanvas& Canvas);

    TSplitIt* SplitIt1 = nullptr;
    TSplitIt* SplitIt2 = nullptr;
    // LeftScrolls[n - 1] is LeftScroll<n>, as RightScrolls; pair n serves the page of ScrollPairs.
    std::array<TSpeedButton*, TagPageCount> LeftScrolls{};
    std::array<TSpeedButton*, TagPageCount> RightScrolls{};
    TMenuItem* TagButtonsNormalView1 = nullptr;
    TMenuItem* ViewAllTagButtons1 = nullptr;
    TMenuItem* Toolbars1 = nullptr;
    TMenuItem* FullScreen1 = nullptr;
    TPopupMenu* ButtonBarMenu = nullptr;
    TMenuItem* NormalView1 = nullptr;
    TMenuItem* ViewAllButtons1 = nullptr;
    TMenuItem* ShiftButtonsLeft1 = nullptr;
    TMenuItem* ShiftButtonsRight1 = nullptr;

private:
    // WindowLayout.cpp: the splitters, the views and the menus.
    void BuildSplitters();
    void BuildMenus();
    void ShowTopArea(bool show);
    // The width of the toolbar area, never below one pixel nor past the top area.
    void SetToolbarWidth(int width);
    // WindowLayoutTagBar.cpp: the scroll buttons.
    void BuildScrollButtons();
    TSpeedButton* LeftScrollOf(const TTabSheet* page) const;
    TSpeedButton* RightScrollOf(const TTabSheet* page) const;
    int ScrollPairOf(const TTabSheet* page) const;
    TTabSheet* ActiveTagPage() const;
    void PlaceDropLists();
    // WindowLayoutState.cpp: the stored values brought into the screen and the window.
    void RestoreWindowBounds(const class TRegistry& reg);
    void DockToolbarsOutOfView();
    void RestorePanelWidths(const class TRegistry& reg);
};
