#pragma once
// The time counter's eleven pictures of 12 x 26: the digits 0 to 9 and, as the eleventh (index
// 10), the colon. The counter lays them edge to edge at x 0, 14, 28 (colon), 32 and 46 without
// clearing, so the colon's dots sit in its first four columns and the next digit covers the rest.
#include <QImage>

namespace resources {

inline constexpr int DigitPictureCount = 11;
inline constexpr int DigitWidth = 12;
inline constexpr int DigitHeight = 26;

QImage DigitPicture(int index); // 0..9 the digits, 10 the colon

} // namespace resources
