// How long the aligned grid takes with 200 columns and 2,000 rows: drawing a screenful (with
// records of their own on some cells, columns and rows) and sorting its rows by a column, by the
// grid's own sort and by the grid sorter.

#include "platform/Forms.h"
#include "widgets/Aligrid.h"
#include "widgets/SASG.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int Cols = 200;
constexpr int Rows = 2000;

// A shown window filled by the grid, as the table designer shows it.
struct TGridWindow {
    TGridWindow() : Form(std::make_unique<TForm>(nullptr)) {
        Form->SetBounds(0, 0, 1024, 768);
        Grid = new TStringAlignGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetAlign(alClient);
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows);
        for (int row = 0; row < Rows; ++row)
            for (int col = 0; col < Cols; ++col)
                Grid->SetCells(col, row, "cell " + IntToStr(col) + "," + IntToStr(row));
        for (int col = 1; col < Cols; col += 3)
            Grid->SetAlignCol(col, TMyAlign::alRight);
        for (int row = 1; row < Rows; row += 7)
            Grid->BrushRow(row).SetColor(clYellow);
        for (int row = 1; row < Rows; row += 5)
            Grid->SetAlignCell(2, row, TMyAlign::alCenter);
        Grid->SetWordwrap(ww_ellipsis);
        Form->Show();
        Application->ProcessMessages();
    }
    void ShuffleKeys(int col, std::mt19937& random) {
        for (int row = 1; row < Rows; ++row)
            Grid->SetCells(col, row, "key " + IntToStr(static_cast<int>(random() % 100000)));
    }
    std::unique_ptr<TForm> Form;
    TStringAlignGrid* Grid = nullptr;
};

// Made once for all the benchmarks and left to the end of the program.
TGridWindow& Window() {
    static TGridWindow* window = new TGridWindow;
    return *window;
}

void DrawScreenful(benchmark::State& state) {
    TGridWindow& window = Window();
    window.Grid->SetTopRow(1000);
    window.Grid->SetLeftCol(100);
    for (auto _ : state)
        window.Grid->Repaint();
}
BENCHMARK(DrawScreenful)->Unit(benchmark::kMillisecond);

void SortRowsByColumn(benchmark::State& state) {
    TGridWindow& window = Window();
    std::mt19937 random(19);
    for (auto _ : state) {
        state.PauseTiming();
        window.ShuffleKeys(5, random);
        state.ResumeTiming();
        window.Grid->SortRange(5, 1, Rows - 1, true, false);
    }
}
BENCHMARK(SortRowsByColumn)->Unit(benchmark::kMillisecond);

void SorterRowsByColumn(benchmark::State& state) {
    TGridWindow& window = Window();
    TSortAStringGrid sorter(nullptr);
    sorter.SetGridToSort(window.Grid);
    sorter.StartIndex = 1;
    sorter.EndIndex = Rows - 1;
    sorter.SortIndex = 5;
    std::mt19937 random(23);
    for (auto _ : state) {
        state.PauseTiming();
        window.ShuffleKeys(5, random);
        state.ResumeTiming();
        sorter.Execute();
    }
}
BENCHMARK(SorterRowsByColumn)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
