#pragma once
// The game's built-in pictures and cursors, listed in garvo.qrc.
#include <QString>

namespace resources {

// Writes them under Folder (resources/) and Folder/garvo.qrc.
void MakeGameResources(const QString& folder);

} // namespace resources
