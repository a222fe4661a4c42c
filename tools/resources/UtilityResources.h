#pragma once
// The dictionary utility's built-in pictures, listed in lexorim.qrc.
#include <QString>

namespace resources {

void MakeUtilityResources(const QString& folder);

} // namespace resources
