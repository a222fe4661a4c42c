#pragma once
// The size and colour depth of the screen the programs run on, in the pixels their windows are
// placed in.
#include <memory>

namespace platform {

class TScreen {
public:
    virtual ~TScreen() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual int BitsPerPixel() const = 0; // in one colour plane: colours = 2 ^ BitsPerPixel
};

// The screen of the process: Qt's primary screen unless one was set. SetScreen returns the
// previous one; setting nullptr brings back Qt's.
std::unique_ptr<TScreen> SetScreen(std::unique_ptr<TScreen> screen);

int ScreenWidth();
int ScreenHeight();
int ScreenBitsPerPixel();

// Qt's primary screen; every value is 0 while there is none (no application object, or a
// display without screens).
class TQtScreen : public TScreen {
public:
    int Width() const override;
    int Height() const override;
    int BitsPerPixel() const override;
};

} // namespace platform
