#pragma once
// A section of running text: its characters, the font runs that style them, the pictures and
// form controls standing in it as one-character markers, and after layout its lines. Line
// breaking, painting and hit testing read the same line records.
#include "htmlview/Cell.h"
#include "htmlview/FontRuns.h"
#include "htmlview/SectionObjects.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace htmlview {

class TAttributeList;

// One laid-out line. It occupies SpaceBefore + TextHeight + SpaceAfter pixels; its baseline lies
// Descent above the bottom of the text part.
struct LineRec {
    int32_t Start = 0;       // position in Text of its first character
    int32_t SpaceBefore = 0; // room above the text for tall pictures and controls
    int32_t SpaceAfter = 0;  // room below the text for top- or middle-aligned pictures
    int32_t TextHeight = 0;  // the tallest run's height plus external leading
    int32_t PaintHeight = 0; // how far below its top it may paint (floats included)
    int32_t Count = 0;       // characters, trailing spaces included
    int32_t Descent = 0;
    int32_t Left = 0;      // X of the text from the column's left edge, alignment applied
    int32_t PaintLeft = 0; // screen X of the first character at the last paint
    int32_t PaintTop = 0;  // document Y of the text's top at the last paint

    int32_t FullHeight() const { return SpaceBefore + TextHeight + SpaceAfter; }
};

class TSection : public TSectionBase {
public:
    static constexpr unsigned char ControlMarker = 2;
    static constexpr unsigned char ImageMarker = 4;
    static constexpr int32_t MaxLength = INT32_MAX; // what character positions can number
    static constexpr int32_t LevelIndent = 35;  // pixels per list level
    static constexpr uint8_t AlignLeft = 1;
    static constexpr uint8_t AlignCenter = 2;
    static constexpr uint8_t AlignRight = 3;
    static constexpr uint8_t NoMarker = 0;
    static constexpr uint8_t NumberMarker = 1; // ordered item
    static constexpr uint8_t BulletMarker = 2; // unordered item
    static constexpr uint8_t IndentOnly = 3;   // definition item

    // Run 0 takes a copy of Font with Style added and the link of LinkTarget (none: no link).
    // The builder resets its script position to normal when it starts a section.
    TSection(TSectionList& document, int32_t listLevel, uint8_t alignment, const TUrlTarget* linkTarget,
             const TMyFont& font, platform::TFontStyles style);

    static bool IsObjectMarker(unsigned char c) { return c == ControlMarker || c == ImageMarker; }

    std::string Text; // Length characters; markers only where an object was added
    TFontList FontRuns;
    TFreeList<TInlinePicture> Images;
    std::vector<TInlineControl*> Controls; // not owned: their form owns them
    int32_t ListLevel = 0;
    int32_t Indent = 0;     // LevelIndent x ListLevel
    int32_t ItemNumber = 0; // of an ordered item
    std::vector<LineRec> Lines;
    TMyFont MarkerFont; // a copy of run 0's font
    uint8_t MarkerKind = NoMarker;
    // Set by the list-item sections: the TYPE letter of an ordered item, and an unordered item
    // of a PLAIN list, which shows no bullet.
    char NumberingType = '1';
    bool Plain = false;
    uint8_t Alignment = AlignLeft;
    uint8_t ClearMode = 0; // 0 none, 1 left, 2 right, 3 both
    int32_t FirstLineLeft = 0; // left edge at the section's top at the last layout

    // Building.
    // Page text: a space at the seam with earlier text is dropped, and bytes that would read as
    // object markers become "?".
    virtual void AppendText(std::string_view text);
    // Gives an empty section one space; returns Alignment.
    uint8_t EnsureText();
    // Style and ScriptPosition (ScriptNormal, ScriptSubscript or ScriptSuperscript) are those in
    // force in the builder.
    void ChangeFont(TSectionList& document, const TMyFont& font, platform::TFontStyles style,
                    uint8_t scriptPosition);
    // ChangeFont, then the run's link: LinkStart's URL and target, or none at a link end.
    void ChangeFontAndLink(TSectionList& document, const TMyFont& font, platform::TFontStyles style,
                           uint8_t scriptPosition, const TUrlTarget* linkStart);
    // Takes the picture, places it at the end of the text and appends its marker.
    TInlinePicture* AddImage(std::unique_ptr<TInlinePicture> picture, TCell* cell);
    // Places a form control at the end of the text and appends its marker (hidden inputs and
    // image inputs are not added here: the first have no place, the second are a picture).
    void AddControl(TInlineControl& control);
    // From the CLEAR attribute, when present.
    void SetClear(const TAttributeList& attributes);

    // Measuring.
    // Width of Count characters from P; with TrimTrailing, trailing spaces are left out but at
    // least one character is measured.
    int32_t TextWidth(platform::TCanvas& canvas, int32_t p, int32_t count, bool trimTrailing);
    // How many of Count characters from P fit in Width (floating pictures take no width).
    int32_t FitChars(platform::TCanvas& canvas, int32_t width, int32_t p, int32_t count);

    // The section's slots.
    int32_t Layout(platform::TCanvas& canvas, int32_t y, IndentManager& indentMgr, int32_t& maxWidth,
                   int32_t& charIndex) override;
    void MeasureWidths(platform::TCanvas& canvas, int32_t& minWidth, int32_t& maxWidth) override;
    void RefreshFonts() override;
    void MoveBy(int32_t dy, int32_t dIndex) override;
    int32_t Paint(platform::TCanvas& canvas, const platform::TRect& clipRect, IndentManager& indentMgr,
                  int32_t x, int32_t y) override;
    bool LinkAt(platform::TCanvas& canvas, int32_t x, int32_t y, TUrlTarget& target,
                TFormControlObj*& formControl) override;
    bool ImageAt(int32_t x, int32_t y, TImageObj*& image, int32_t& imageX, int32_t& imageY) override;
    int32_t IndexAtPoint(platform::TCanvas& canvas, int32_t x, int32_t y, int32_t& caretX, int32_t& lineTop,
                         int32_t& lineHeight, TCell*& cell, bool& inLine) override;
    int32_t FindText(int32_t fromIndex, const std::string& text, bool matchCase) override;
    bool PointOfIndex(platform::TCanvas& canvas, int32_t index, int32_t& x, int32_t& y) override;
    bool CharAt(int32_t index, unsigned char& ch, TSectionBase*& section) override;
    void AddSelectedText() override;

protected:
    // Preformatted text never wraps and is clipped to the column when painted.
    virtual bool Preformatted() const { return false; }
    // Appends Text as it stands, except that marker bytes become "?".
    void AppendBytes(std::string_view text);

private:
    struct TLineBreaker;
    struct TPaintFrame;

    // Pictures and controls are kept in text order, so their markers are found by position.
    int FirstImageFrom(int32_t p) const;
    int FirstControlFrom(int32_t p) const;
    TInlinePicture* PictureAt(int32_t position) const;
    TInlineControl* ControlAt(int32_t position) const;
    // Position of the first object marker at or after P; Length when there is none.
    int32_t NextMarker(int32_t p) const;
    // Characters from P to the next object marker (at P: 0), at most Limit.
    int32_t CharsToNextMarker(int32_t p, int32_t limit) const;
    // The stretch line fitting measures at once from P: at most Limit, up to the next picture
    // and up to the next control, each kind counting 9999 characters when none lies ahead.
    int32_t FitStretch(int32_t p, int32_t limit) const;
    // The fitting walk of line breaking (with Breaker: floats met at the line's start are placed,
    // later ones deferred) and of hit testing (without: floats take no width).
    int32_t FitWalk(platform::TCanvas& canvas, int32_t width, int32_t p, int32_t count,
                    TLineBreaker* breaker);
    // The font of the run holding P, selected on Canvas; the run is returned.
    TFontObj& SelectRunFont(platform::TCanvas& canvas, int32_t p) const;
    int32_t ExtentOf(platform::TCanvas& canvas, int32_t p, int32_t count) const;
    int32_t ClearSpace(const IndentManager& indentMgr, int32_t y) const;
    void PaintLine(TPaintFrame& frame, size_t index);
    void PaintMarker(TPaintFrame& frame, const LineRec& line, int32_t mx);
    // With DrawText false the line's text is only measured: its pictures are still drawn and
    // its controls placed.
    void PaintRun(TPaintFrame& frame, LineRec& line, bool drawText);
    // The canvas left as drawing the text of the lines passed since the last drawn one would.
    void FinishPassedLines(TPaintFrame& frame);
    // The line holding Y (from the section's top), the characters before it and its top; none
    // below the last line.
    LineRec* LineAtY(int32_t y, int32_t& charsBefore, int32_t& lineTop);
};

// The text of an ordered list's marker: "3." or "c." or "iii." by the TYPE letter.
std::string ListMarkerText(char numberingType, int32_t itemNumber);

} // namespace htmlview
