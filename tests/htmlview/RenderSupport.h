#pragma once
// Builds a page into a document, lays it out at a width and paints it on the Qt canvas into a
// picture that is also saved beside the test program, to be looked at.
#include "htmlview/HtmlBuilder.h"
#include "htmlview/SectionList.h"
#include "platform/QtCanvas.h"

#include <QCoreApplication>
#include <QImage>

namespace htmlview {

// Returns the laid-out height; Image gets Margin white pixels below it.
inline int32_t RenderPage(TSectionList& document, platform::TCanvas& screen, const char* page, int width,
                          int margin, const QString& pngName, QImage& image)
{
    document.SetDefaults("Times New Roman", "Courier New", 12, platform::clBlack, platform::clBlue, platform::clWhite);
    TAnchorList anchors;
    TParsedHead head;
    ParseHtmlBuffer(document, anchors, page, head);
    int32_t maxWidth = 0;
    int32_t charIndex = 0;
    const int32_t height = document.Layout(screen, 0, width, maxWidth, charIndex);
    image = QImage(width, height + margin, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::TQtCanvas canvas(image);
        document.Paint(canvas, {0, 0, width, image.height()}, width, 0, 0);
    }
    image.save(QCoreApplication::applicationDirPath() + "/" + pngName);
    return height;
}

} // namespace htmlview
