// The floor of a start: a program that links Qt Widgets alone and shows a bare frameless
// window, reporting its first paint as the other probes do.
//
//   garvo_bare_window_probe WIDTH HEIGHT
#include "FirstPaint.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
        return EXIT_FAILURE;
    }
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(std::atoi(argv[1]), std::atoi(argv[2]));
    probe::TFirstPaint report(&window, [] { return true; });
    window.show();
    return QApplication::exec();
}
