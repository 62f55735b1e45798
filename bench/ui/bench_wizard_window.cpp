// The wizard window: opening it (its 92 fields and glyph labels, shown and
// painted), and Create Mode with every field filled, all four options and
// an order (825 clauses) into a mode of 100,000 clauses, the grid's refresh
// included. Runs on the offscreen platform unless another one is asked for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QPixmap>
#include <QRadioButton>

#include "dialogs/ByteLineEdit.h"
#include "editing/MainWindow.h"
#include "editing/ModeGrid.h"
#include "mode/ModeModel.h"
#include "wizard/WizardGenerate.h"
#include "wizard/WizardWindow.h"

namespace {

constexpr int kClauses = 100000;

std::vector<vel::Clause> MakeClauses() {
    std::vector<vel::Clause> clauses;
    clauses.reserve(kClauses);
    for (int i = 0; i < kClauses; ++i)
        clauses.push_back(vel::MakeClause("r" + std::to_string(i), std::string(1, char(0xA0 + i % 90))));
    return clauses;
}

vel::frmModeWizard* OpenWizard(vel::Form1& w) {
    w.ShowWizard();
    return w.findChild<vel::frmModeWizard*>();
}

// Every field filled, both carriers, s-curls, under-bars, the following tengwa.
void FillEverything(vel::frmModeWizard& z) {
    vel::WizardFields f;
    for (int i = 0; i < vel::kTengwaFieldCount; ++i) f.txtRoman[size_t(i)] = "t" + std::to_string(i);
    for (int j = 0; j < vel::kTehtaFieldCount; ++j) {
        f.txtTehta[size_t(j)] = "v" + std::to_string(j);
        f.txtLongCarrier[size_t(j)] = "l" + std::to_string(j);
    }
    f.optTehtaOrder = vel::TehtaOrder::Following;
    f.chkShortCarrier = f.chkLongCarrier = f.chkSCurls = f.chkDoubleTengwar = vel::kChecked;
    z.SetFields(f);
}

void BM_OpenWizard(benchmark::State& state) {
    vel::Form1 w;
    w.resize(900, 700);
    w.show();
    QApplication::processEvents();
    for (auto _ : state) {
        vel::frmModeWizard* z = OpenWizard(w);
        const QPixmap painted = z->grab();  // lays out and paints every control once
        benchmark::DoNotOptimize(painted.cacheKey());
        state.PauseTiming();
        z->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    w.close();
}
BENCHMARK(BM_OpenWizard)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_CreateMode825Into100k(benchmark::State& state) {
    vel::Form1 w;
    w.resize(900, 700);
    w.Model().LoadClauses(MakeClauses());
    w.show();
    QApplication::processEvents();
    size_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.Model().MoveCursor({50000, 0, 0});
        vel::frmModeWizard* z = OpenWizard(w);
        FillEverything(*z);
        QApplication::processEvents();
        const int before = w.Table().RowCount();
        state.ResumeTiming();
        z->CreateMode();
        // The grid's repaint of the rows now in view.
        w.grdMode->viewport()->repaint();
        state.PauseTiming();
        added = size_t(w.Table().RowCount() - before);
        w.Model().Undo();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["clauses"] = double(added);
    w.Model().ClearMode();
    w.close();
}
BENCHMARK(BM_CreateMode825Into100k)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
