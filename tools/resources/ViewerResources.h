#pragma once
// The viewer's built-in pictures and cursors, listed in viewer.qrc under their resource numbers.
#include <QString>

namespace resources {

void MakeViewerResources(const QString& folder);

} // namespace resources
