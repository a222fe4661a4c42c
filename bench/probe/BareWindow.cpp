// The floor of a start: a program that links Qt Widgets alone and shows a bare frameless
// window, reporting its first paint as the other probes do, or with "--stay" keeping it shown
// until it is ended, for a parent that watches the window's map itself.
//
//   garvo_bare_window_probe WIDTH HEIGHT [--stay]
#include "FirstPaint.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <optional>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const bool stay = argc == 4 && std::strcmp(argv[3], "--stay") == 0;
    if (argc != 3 && !stay) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT [--stay]\n", argv[0]);
        return EXIT_FAILURE;
    }
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(std::atoi(argv[1]), std::atoi(argv[2]));
    std::optional<probe::TFirstPaint> report;
    if (!stay)
        report.emplace(&window, [] { return true; });
    window.show();
    return QApplication::exec();
}
