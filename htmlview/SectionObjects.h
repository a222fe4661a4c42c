#pragma once
// What a text section asks of the pictures and form controls that stand in its text as
// one-character markers. The picture and form units implement these; the section only measures,
// places, paints and hit-tests them through this face.
#include "htmlview/HtmlUtils.h"
#include "platform/Canvas.h"

#include <cstdint>

namespace htmlview {

class TCell;
class TFontObj;
class TFormControlObj;
class TImageObj;
class TSectionList;

// What a picture under a point says about links (see TInlinePicture::LinkHit).
struct TPictureLinkHit {
    // The image input the picture belongs to; it has recorded the click point itself.
    TFormControlObj* FormControl = nullptr;
    bool HasMap = false;  // USEMAP named a map of the page
    bool AreaHit = false; // an area of that map lies under the point
    TUrlTarget AreaTarget;
    bool IsMap = false; // ISMAP: the click point is added to the link's URL
    int32_t X = 0;      // the point relative to the picture
    int32_t Y = 0;
};

class TInlinePicture {
public:
    static constexpr uint8_t AlignTop = 0;
    static constexpr uint8_t AlignMiddle = 1;
    static constexpr uint8_t AlignBottom = 2;
    static constexpr uint8_t AlignLeft = 3; // floats left
    static constexpr uint8_t AlignRight = 4; // floats right

    TInlinePicture() = default;
    TInlinePicture(const TInlinePicture&) = delete;
    TInlinePicture& operator=(const TInlinePicture&) = delete;
    virtual ~TInlinePicture() = default;

    int32_t Position = 0; // index of its marker in the section's text
    TCell* Cell = nullptr; // the column it lives in
    uint8_t Align = AlignBottom;
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;
    int32_t HSpace = 0;
    int32_t FloatX = 0; // set when the indent manager places it as a float
    bool WidthIsPercent = false;

    bool Floats() const { return Align == AlignLeft || Align == AlignRight; }

    // Fixes ImageWidth and ImageHeight for a column of AvailableWidth (0 when widths are measured).
    virtual void MeasureImage(TSectionList* document, platform::TCanvas& canvas, const TFontObj& run,
                              int32_t availableWidth) = 0;
    // Draws with its left edge at screen X; Top is the top of its line's text (or of its float)
    // and Baseline its line's baseline, both document Y: the picture takes off the document's
    // ScrollTop itself and keeps where it stands for the hit tests.
    virtual void PaintImage(platform::TCanvas& canvas, int32_t x, int32_t top, int32_t baseline,
                            const TFontObj& run) = 0;
    // Whether the document point (X, Y) lies on the picture as last painted; the point relative to
    // the picture.
    virtual bool ImageHit(int32_t x, int32_t y, int32_t& pictureX, int32_t& pictureY) = 0;
    virtual bool LinkHit(int32_t x, int32_t y, TPictureLinkHit& hit) = 0;
    // The picture object handed to the control's callers.
    virtual TImageObj* Image() = 0;
};

// A form control; its form owns it, the section only points to it.
class TInlineControl {
public:
    virtual ~TInlineControl() = default;

    int32_t Position = 0;  // index of its marker in the section's text
    int32_t YPosition = 0; // document Y of its line's top at the last layout
    bool Placed = false;   // placed by the current paint

    virtual int32_t ControlWidth() const = 0;
    virtual int32_t ControlHeight() const = 0;
    // Check boxes and radio buttons sit on the baseline, the others on the bottom of the text.
    virtual bool RaiseByDescent() const = 0;
    // Hidden inputs and image inputs have no window control.
    virtual bool HasWindowControl() const = 0;
    // Shows the window control with its top left corner at (Left, Top) of the paint panel.
    virtual void ShowAt(int32_t left, int32_t top) = 0;
    virtual TFormControlObj* FormControl() = 0;
};

} // namespace htmlview
