#pragma once
// The utility's built-in pictures (":/lexorim/..."), registered once before the first window.

namespace utility {

void InitUtilityResources();

} // namespace utility
