#pragma once
// Font runs: a run styles a section's text from its Start up to the next run. Sizes are kept
// relative to the document's default size, so a new default size refreshes every font of the
// page without parsing it again; each run keeps the metrics line breaking and painting need.
#include "htmlview/HtmlUtils.h"
#include "platform/Canvas.h"

#include <cstdint>
#include <memory>

namespace htmlview {

class TSectionList;

// Where a run's text stands against the line's baseline.
constexpr uint8_t ScriptNormal = 0;
constexpr uint8_t ScriptSubscript = 1;
constexpr uint8_t ScriptSuperscript = 2;

class TMyFont : public platform::TFont {
public:
    int32_t RelativeSize = 12; // twelfths of the document's FontSize
    bool Preformatted = false; // takes the document's preformatted face

    // Also takes RelativeSize and Preformatted when Source is a TMyFont.
    void Assign(const platform::TFont& source) override;
    void SetRelativeSize(const TSectionList& document, int32_t n);
    // Face, charset and size from the document; Color with the palette-relative flag.
    void ApplyDefaults(const TSectionList& document, platform::TColor color);
};

class TFontObj {
public:
    // Takes Font; its metrics are read on Screen now and after every change of the font.
    // Screen must outlive the run.
    TFontObj(std::unique_ptr<TMyFont> font, int32_t start, platform::TCanvas& screen);
    TFontObj(const TFontObj&) = delete;
    TFontObj& operator=(const TFontObj&) = delete;

    int32_t Start;
    const std::unique_ptr<TMyFont> Font;
    int32_t TextHeight = 0; // height + external leading
    int32_t Height = 0;
    int32_t Overhang = 0; // taken off every measured extent, half of it off every drawing X
    int32_t Descent = 0;
    uint8_t ScriptPosition = ScriptNormal;
    TUrlTarget Target;          // the link the run belongs to; empty URL outside links

    void UpdateMetrics();
    // The link colour inside a link, else the text colour.
    void ApplyDefaults(const TSectionList& document);

private:
    platform::TCanvas& Screen_;
};

// The runs of one section, by increasing Start, the first at 0.
class TFontList : public TFreeList<TFontObj> {
public:
    void ApplyDefaults(const TSectionList& document);
    // The last run starting at or before Index (the first run for an Index before it), and its
    // place in the list; none for an empty list.
    TFontObj* RunAt(int32_t index, int& position) const;
    TMyFont* FontAt(int32_t index, int32_t& overhang) const;
    // Characters from Index up to the next run's start, or to Length when no run follows.
    int32_t RunCharsLeft(int32_t index, int32_t length) const;
};

} // namespace htmlview
