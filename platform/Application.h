#pragma once
// What both programs need of their application object: the X11 choice made before it exists,
// the guard that keeps exceptions out of event handlers, and the command line and program folder
// as the programs carry paths.
#include <QApplication>

#include <string>
#include <vector>

namespace platform {

// Windows are placed where the programs put them, which X11 allows and Wayland does not: xcb
// is chosen when a display is set and no platform was chosen.
void PreferX11(int argc, char** argv);

// No exception leaves an event handler: the error is shown in the error box and the program
// goes on.
class TGuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

// The command line after the program's name, each argument carried as a path
// (PathFromUnicode), so that a file named in any letters reaches the file calls as it is.
std::vector<std::string> ProgramArguments();

// The folder of the running program as a path, its case kept, without a trailing "/".
std::string ProgramFolderPath();

} // namespace platform
