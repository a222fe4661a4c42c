#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    // The viewer measures and paints with real fonts and the word list drives a real progress bar,
    // which need a widget application; no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
