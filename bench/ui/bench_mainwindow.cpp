// The main window with a mode of 100,000 clauses: opening it (file bytes to
// a painted window), Add at row 1, and Optimize through the model.
// Runs on the offscreen platform unless another one is asked for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <algorithm>
#include <random>

#include "dialogs/ByteLineEdit.h"
#include "editing/MainWindow.h"
#include "editing/RowCommands.h"
#include "mode/ModeModel.h"
#include "mode/ModeFile.h"

namespace {

constexpr int kClauses = 100000;

std::vector<vel::Clause> MakeClauses() {
    std::vector<vel::Clause> clauses;
    clauses.reserve(kClauses);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> letter('a', 'z'), length(1, 6), fields(0, 3);
    for (int i = 0; i < kClauses; ++i) {
        std::string roman;
        for (int n = length(random); n > 0; --n) roman += char(letter(random));
        const int filled = fields(random);
        clauses.push_back(vel::MakeClause(roman, std::string(1, char(0xA0 + i % 90)), filled > 0 ? "e" : "",
                                          filled > 1 ? "\r" : "", filled > 2 ? "1" : ""));
    }
    return clauses;
}

// The bytes of a saved mode, as a file load reads them.
const std::string& ModeBytes() {
    static const std::string bytes = [] {
        vel::ModeTable table;
        table.SetComment("benchmark");
        table.AppendClauses(MakeClauses());
        return vel::SerializeMode(table);
    }();
    return bytes;
}

void Load(vel::Form1& w, const std::string& bytes) {
    w.Model().LoadClauses(std::move(vel::ParseModeBytes(bytes).clauses));
}

void BM_OpenAndFirstPaint(benchmark::State& state) {
    const std::string& bytes = ModeBytes();
    for (auto _ : state) {
        vel::Form1 w;
        w.resize(900, 700);
        Load(w, bytes);
        w.show();
        const QPixmap painted = w.grab();  // paints every widget once
        benchmark::DoNotOptimize(painted.cacheKey());
        state.PauseTiming();
        w.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_AddRowAtRow1(benchmark::State& state) {
    vel::Form1 w;
    w.resize(900, 700);
    Load(w, ModeBytes());
    w.show();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        w.Model().MoveCursor({1, 0, 0});
        w.txtEditField[0]->setText(QStringLiteral("abc"));
        w.txtEditField[1]->setText(QStringLiteral("xyz"));
        state.ResumeTiming();
        w.AddRow();
    }
    w.Model().ClearMode();
    w.close();
}
BENCHMARK(BM_AddRowAtRow1)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_Optimize(benchmark::State& state) {
    vel::Form1 w;
    w.resize(900, 700);
    w.show();
    const std::string& bytes = ModeBytes();
    for (auto _ : state) {
        state.PauseTiming();
        Load(w, bytes);  // the order of the file, not yet optimized
        QApplication::processEvents();
        state.ResumeTiming();
        w.Rows().Optimize();
    }
    w.Model().ClearMode();
    w.close();
}
BENCHMARK(BM_Optimize)->Unit(benchmark::kMillisecond)->Iterations(10);

// An undo and a redo of Optimize through the model, with the grid following.
void BM_UndoRedoOptimize(benchmark::State& state) {
    vel::Form1 w;
    w.resize(900, 700);
    w.show();
    Load(w, ModeBytes());
    w.Rows().Optimize();
    QApplication::processEvents();
    for (auto _ : state) {
        w.Model().Undo();
        w.Model().Redo();
    }
    w.Model().ClearMode();
    w.close();
}
BENCHMARK(BM_UndoRedoOptimize)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_UndoRemoveAtRow1(benchmark::State& state) {
    vel::Form1 w;
    w.resize(900, 700);
    w.show();
    Load(w, ModeBytes());
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        w.Model().RemoveRow(1, "Remove");
        state.ResumeTiming();
        w.Model().Undo();
    }
    w.Model().ClearMode();
    w.close();
}
BENCHMARK(BM_UndoRemoveAtRow1)->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace
