// Timings of the window on the offscreen platform: from a click on "Run Test"
// with 19 rows to both charts repainted, and from the program's start to the
// window's first paint.

#include "ControlIds.h"
#include "NumberText.h"
#include "ReducerDlg.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>

using namespace tovarin;
using Clock = std::chrono::steady_clock;

namespace {

Clock::time_point g_programStart;

// Notes the time of the first paint the window receives.
class FirstPaint : public QObject
{
  public:
    std::optional<Clock::time_point> at;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !at)
            at = Clock::now();
        return false;
    }
};

// Runs first and once: the toolkit's start-up plus the window's opening and first paint.
void BM_ProgramStartToFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        FirstPaint paint;
        CReducerDlg dialog;
        dialog.installEventFilter(&paint);
        dialog.OnInitDialog();
        dialog.show();
        while (!paint.at)
            QApplication::processEvents(); // spin: the paint follows the expose at once
        state.SetIterationTime(std::chrono::duration<double>(*paint.at - g_programStart).count());
    }
}
BENCHMARK(BM_ProgramStartToFirstPaint)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_RunTestClickToRepaint19Rows(benchmark::State& state)
{
    CReducerDlg dialog;
    dialog.OnInitDialog();
    dialog.show();
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        const double flow = 2.0 + 21.0 * static_cast<double>(row); // g/s
        dialog.SetFieldText(kRowControls[row].flow, FormatC("%.2f", flow));
        dialog.SetFieldText(kRowControls[row].response,
                            FormatC("%.3f", 1.0 + 0.2 * std::sqrt(flow)));
    }
    QApplication::processEvents();
    for (auto _ : state) {
        QTest::mouseClick(dialog.Button(2), Qt::LeftButton);
        QApplication::processEvents(); // anything still pending is painted too
    }
}
BENCHMARK(BM_RunTestClickToRepaint19Rows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    g_programStart = Clock::now();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window writes its run log and settings file in the working directory.
    const auto dir = std::filesystem::temp_directory_path() / "tovarin-window-bench";
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    Q_INIT_RESOURCE(tovarin);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
