// The preview pane and the mode check window over the 100,000-clause mode
// of the benchmarks (its realistic mix): the table's commands with them
// open and closed, a keystroke in the pane, the pane's catching up after a
// change, and a refresh of the findings list.
// Runs on the offscreen platform unless another one is asked for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "bench/BenchModes.h"
#include "check/CheckWindow.h"
#include "dialogs/ByteLineEdit.h"
#include "editing/MainWindow.h"
#include "editing/RowCommands.h"
#include "mode/ModeModel.h"
#include "preview/PreviewPane.h"

namespace {

constexpr int kClauses = 100000;

const std::vector<vel::Clause>& Clauses() {
    static const std::vector<vel::Clause> clauses = vel::bench::RealisticMix(kClauses).Clauses();
    return clauses;
}

// A shown window with the mode; with open, the pane shows a text and the
// findings list is open.
struct Window {
    vel::Form1 w;
    explicit Window(bool open) {
        w.resize(900, 700);
        w.Model().LoadClauses(Clauses());
        w.show();
        if (open) {
            w.mnuVPreview->setChecked(true);
            w.Preview()->Input()->setText(QStringLiteral("the quick brown fox jumps over the lazy dog"));
            w.ShowModeCheck();
        }
        QApplication::processEvents();
    }
    ~Window() {
        w.Model().ClearMode();
        w.close();
    }
};

void Key(QWidget* widget, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

void BM_Optimize(benchmark::State& state) {
    Window win(state.range(0) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        win.w.Model().LoadClauses(Clauses());  // the order of the file, not yet optimized
        QApplication::processEvents();
        state.ResumeTiming();
        win.w.Rows().Optimize();
    }
}
BENCHMARK(BM_Optimize)->ArgName("open")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_AddRowAtRow1(benchmark::State& state) {
    Window win(state.range(0) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        win.w.Model().MoveCursor({1, 0, 0});
        win.w.txtEditField[0]->setText(QStringLiteral("abc"));
        win.w.txtEditField[1]->setText(QStringLiteral("xyz"));
        state.ResumeTiming();
        win.w.AddRow();
    }
}
BENCHMARK(BM_AddRowAtRow1)->ArgName("open")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(200);

// One character typed at the end of the pane's text: the transcription, the
// output, the trace and their painting.
// With paint 0, the handling of the key alone.
void BM_TypeOneCharacter(benchmark::State& state) {
    Window win(true);
    vel::ByteLineEdit* input = win.w.Preview()->Input();
    input->setFocus();
    input->end(false);
    for (auto _ : state) {
        Key(input, Qt::Key_S, QStringLiteral("s"));
        if (state.range(0) != 0) win.w.Preview()->repaint();
        state.PauseTiming();
        Key(input, Qt::Key_Backspace, QString());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypeOneCharacter)->ArgName("paint")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(200);

// What the pane does once the pause after a change is over: the index
// rebuilt for 100,000 clauses and the text read again.
void BM_PaneCatchesUp(benchmark::State& state) {
    Window win(true);
    for (auto _ : state) {
        state.PauseTiming();
        win.w.Model().SetCaseSensitive(!win.w.Table().CaseSensitive());
        state.ResumeTiming();
        win.w.Preview()->Refresh();
    }
}
BENCHMARK(BM_PaneCatchesUp)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_CheckWindowRefresh(benchmark::State& state) {
    Window win(true);
    for (auto _ : state) win.w.ModeCheck()->Refresh();
}
BENCHMARK(BM_CheckWindowRefresh)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
