#pragma once
// The programs' icons for the desktop's menus and launchers, in the hicolor theme's layout.
#include <QString>

namespace resources {

// Writes Folder/hicolor/NxN/apps/garvo.png and lexorim.png at every size desktops ask for.
void MakeDesktopIcons(const QString& folder);

} // namespace resources
