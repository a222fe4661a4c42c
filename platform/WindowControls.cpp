#include "platform/WindowControls.h"

#include "platform/QtCanvas.h"

#include <QLabel>

namespace platform {

QFont WindowFont(const char* face, int pixelSize, bool bold, bool italic)
{
    QFont font(MapFontFace(face));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QLabel* NewLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace platform
