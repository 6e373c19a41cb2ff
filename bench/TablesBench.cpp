// How long the table tools take: reading back a table of 100 columns and 1,000 rows, loading it
// into the designer and writing it again; and table from text on 1 MB of marked lines.

#include "generators/HTMLTable.h"
#include "generators/HTMLTextToTable.h"
#include "generators/TableHTML.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

String BigTable() {
    TTableDesign design = TTableDesign::Blank(100, 1000);
    for (int r = 0; r < 1000; ++r)
        for (int c = 0; c < 100; ++c)
            design.Rows[r][c].Text = "cell " + IntToStr(c) + "," + IntToStr(r);
    design.Rows[0][1].Align = TMyAlign::alRight;
    design.Rows[2][3].Hint = "valign=top";
    return WriteTable(design, false, "\t");
}

void ReadAndRewriteTable(benchmark::State& state) {
    const String html = BigTable();
    for (auto _ : state) {
        TTableReading reading = ReadTable(html);
        benchmark::DoNotOptimize(WriteTable(reading.Design, false, "\t"));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(html.size()));
}
BENCHMARK(ReadAndRewriteTable)->Unit(benchmark::kMillisecond);

void ReadThroughTheDesigner(benchmark::State& state) {
    const String html = BigTable();
    for (auto _ : state) {
        THTMLTableForm form(nullptr);
        form.LoadDesign(ReadTable(html).Design);
        benchmark::DoNotOptimize(WriteTable(form.Design(), false, "\t"));
    }
}
BENCHMARK(ReadThroughTheDesigner)->Unit(benchmark::kMillisecond);

void TableFromText(benchmark::State& state) {
    const String text =
        RepeatedPage("", "#Item]Price[Note\r\nTea]2.50[green and black\r\n", "", 1 << 20);
    TTextTableOptions options;
    for (auto _ : state) {
        String source = TableSourceText(text);
        benchmark::DoNotOptimize(
            ReadTable(TableFromMarkedText(MarkedText(source, options), options, "\t")));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(TableFromText)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
