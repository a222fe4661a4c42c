#pragma once
// The viewer's stand-ins for pictures it cannot show, 16 x 16 each.
#include <QImage>

namespace resources {

QImage PendingPicture();     // a picture not shown yet, or pictures switched off
QImage BrokenPicture();      // a picture that could not be read; its corners are white
QImage BrokenPictureMask();  // one bit per pixel: white where the broken picture is transparent

} // namespace resources
