#pragma once
// A screen for tests, of the size and depth the test sets.
#include "platform/Screen.h"
#include "tests/support/FakeService.h"

namespace platform {

class TFakeScreen : public TScreen {
public:
    int Width() const override { return ScreenWidth; }
    int Height() const override { return ScreenHeight; }
    int BitsPerPixel() const override { return ScreenBitsPerPixel; }

    int ScreenWidth = 1024;
    int ScreenHeight = 768;
    int ScreenBitsPerPixel = 32;
};

using TScopedFakeScreen = TScopedFake<TFakeScreen, TScreen, &SetScreen>;

} // namespace platform
