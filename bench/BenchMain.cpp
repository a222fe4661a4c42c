#include <QGuiApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    // The viewer measures and paints with real fonts, which need a GUI application; no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
