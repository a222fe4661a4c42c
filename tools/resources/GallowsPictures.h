#pragma once
// The gallows of the round: eight stages of 290 x 385, from the bare gallows (0) to the hanged
// man (7), each miss adding one part. The bare scene also serves the start-up pictures.
#include <QImage>

namespace resources {

inline constexpr int GallowsStages = 8;
inline constexpr int GallowsWidth = 290;
inline constexpr int GallowsHeight = 385;

QImage GallowsStage(int stage); // 0..7

} // namespace resources
