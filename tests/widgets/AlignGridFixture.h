#pragma once
// A shown form with an aligned grid of 5 x 5 cells (one fixed column and row) whose scrollable
// cells hold their coordinates as "col,row".

#include "widgets/Aligrid.h"

#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

class AlignGridTestBase : public testing::Test {
protected:
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 600, 400);
        Grid = NewControl<TStringAlignGrid>(Form, Form, "Grid", 0, 0, 400, 200);
        Other = NewControl<TEdit>(Form, Form, "Other", 0, 250, 100, 24);
        for (int col = 0; col < 5; ++col)
            for (int row = 0; row < 5; ++row)
                Grid->SetCells(col, row, IntToStr(col) + "," + IntToStr(row));
        Form->Show();
        Grid->SetFocus();
    }
    void TearDown() override {
        Form->Free();
        Application->ProcessMessages();
    }
    static String Cell(int col, int row) { return IntToStr(col) + "," + IntToStr(row); }
    TForm* Form = nullptr;
    TStringAlignGrid* Grid = nullptr;
    TEdit* Other = nullptr;
};
