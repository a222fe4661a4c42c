#pragma once
// The one look every picture of the Standard theme shares: its colours and its type.
#include <QColor>
#include <QFont>

namespace pictures {

namespace look {
inline const QColor ParchmentLight{0xF1, 0xE4, 0xC6};
inline const QColor ParchmentDark{0xDC, 0xC2, 0x95};
inline const QColor Walnut{0x45, 0x2C, 0x18};      // frame lines and the text on parchment
inline const QColor WalnutLight{0x8A, 0x62, 0x3E};
inline const QColor Slate{0x24, 0x38, 0x4A};       // dark bands and the tool keys
inline const QColor SlateLight{0x3E, 0x62, 0x80};
inline const QColor SlateDeep{0x15, 0x22, 0x2E};
inline const QColor Gold{0xFF, 0xD8, 0x4D};        // the masked word, titles, icons
inline const QColor GoldDeep{0xC8, 0x96, 0x1E};
inline const QColor Cream{0xFB, 0xF3, 0xDF};       // letter keys and captions on slate
inline const QColor CreamShade{0xE3, 0xCF, 0xA6};
inline const QColor Brick{0x9A, 0x33, 0x24};       // the stop key
inline const QColor BrickDeep{0x62, 0x1C, 0x12};
inline const QColor TrayFill{0xE6, 0xD2, 0xAA};    // flat trays behind keys and buttons
inline const QColor PanelFill{0xF5, 0xEA, 0xD0};   // lighter panels that hold labels
} // namespace look

// Registers the Liberation fonts so every machine draws the same letters.
void LoadFonts();
QFont SansFont(int pixelSize, bool bold);
QFont SerifFont(int pixelSize, bool bold, bool italic);

} // namespace pictures
