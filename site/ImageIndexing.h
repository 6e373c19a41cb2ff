#pragma once
// Create Image Index: every image of the file pane's folder as a thumbnail in new untitled pages,
// packed into rows no wider than the screen, a new page begun when one grows past the size limit.

#include "editor/MainFormFeature.h"

class TListBox;
class TMenuItem;

class TImageIndex : public TMainFormFeature {
public:
    using TMainFormFeature::TMainFormFeature;
    // The File menu's item comes before Close.
    void Build() override;
    void Bind() override;

    void CreateImageIndex1Click(TObject* Sender);
    // Opens a new blank page and writes the index page's head into it; false when no page could
    // be opened (the user has been told).
    bool StartImageIndexPage(int pageNumber);
    // The image's width and height by its kind, the screen's width when the width is unknown.
    void GetImageSize(const String& fileName, int& height, int& width);
    // Appends the table of the images gathered in ListBox to the index page.
    void WriteImageIndexRow();
    void EndImageIndexPage();

    TMenuItem* CreateImageIndex1 = nullptr;
    // Hidden and sorted: the folder's image names, and those of the row being gathered.
    TListBox* ListBox2 = nullptr;
    TListBox* ListBox = nullptr;
    // The page the index is being written into, -1 when none, and the folder it shows, kept
    // while the index is written since the user may change folders meanwhile.
    int ImageIndexPage = -1;
    String ImageIndexFolder;
};
