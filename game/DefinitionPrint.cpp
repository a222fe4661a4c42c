#include "game/DefinitionPrint.h"

#include "platform/Windows1252.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace game {

namespace {

constexpr int TextPoints = 10;
constexpr int HeaderPoints = 14;
constexpr double MillimetresPerInch = 25.4;
constexpr int TopMarginMillimetres = 30;
constexpr int MarginCharacters = 9;
constexpr int64_t LineSpacingFifths = 6; // lines are 1.2 line heights apart
constexpr int FirstTextLine = 3; // lines 1 and 2 of a page stay empty under the header
const char* const ContinuedText = "(suite...)";

QFont PrintFont(const QString& face, int points, bool bold)
{
    QFont font(face);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// Writes one page's text at the top of a line, the header at the top margin.
class TPagePrinter {
public:
    TPagePrinter(QPainter& painter, const TPrintGeometry& geometry, const QString& fontFace, const QString& header)
        : painter_(painter), geometry_(geometry), fontFace_(fontFace), header_(header)
    {
    }

    void Header()
    {
        painter_.setFont(PrintFont(fontFace_, HeaderPoints, true));
        Write(geometry_.TopMargin, header_);
        painter_.setFont(PrintFont(fontFace_, TextPoints, false));
    }

    void Line(int32_t line, const QString& text) { Write(PrintLineTop(geometry_, line), text); }

private:
    void Write(int32_t top, const QString& text)
    {
        painter_.drawText(geometry_.LeftMargin, top + painter_.fontMetrics().ascent(), text);
    }

    QPainter& painter_;
    const TPrintGeometry& geometry_;
    QString fontFace_;
    QString header_;
};

} // namespace

TPrintGeometry MeasurePrintGeometry(int32_t pixelsPerInch, int32_t pageWidth, int32_t charWidth, int32_t lineHeight)
{
    TPrintGeometry geometry;
    geometry.CharWidth = std::max(1, charWidth);
    geometry.LineHeight = lineHeight;
    geometry.TopMargin = static_cast<int32_t>(pixelsPerInch / MillimetresPerInch * TopMarginMillimetres);
    geometry.LeftMargin = MarginCharacters * geometry.CharWidth;
    // A page too narrow for its margins still prints, one character a line, rather than never
    // getting past the first character.
    geometry.LineLength = std::max(1, pageWidth / geometry.CharWidth - 2 * MarginCharacters);
    return geometry;
}

int32_t PrintLineTop(const TPrintGeometry& geometry, int32_t line)
{
    // n x 1.2 x height, cut to whole pixels, in integers so that 3 x 1.2 x 100 stays 360.
    return geometry.TopMargin + static_cast<int32_t>(int64_t{line} * LineSpacingFifths * geometry.LineHeight / 5);
}

std::vector<std::string> CutPrintLines(const std::string& text, int32_t lineLength)
{
    std::vector<std::string> lines;
    const size_t length = text.size();
    const size_t step = static_cast<size_t>(std::max(1, lineLength));
    size_t p = 0; // 0-based: the next character to print
    while (p < length) {
        const std::string looked = text.substr(p, step + 1);
        const size_t space = looked.rfind(' ');
        if (space != std::string::npos && space > 0) {
            if (p + step < length - 1) {
                lines.push_back(text.substr(p, space));
                p += space + 1;
            } else {
                lines.push_back(text.substr(p));
                p = length;
            }
        } else {
            lines.push_back(text.substr(p, step));
            p += step;
        }
    }
    return lines;
}

bool PrintText(QPrinter& printer, const TPrintJob& job)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(PrintFont(job.FontFace, TextPoints, false));
    const QFontMetrics metrics(painter.font(), &printer);
    const TPrintGeometry geometry = MeasurePrintGeometry(printer.resolution(), printer.width(),
                                                         metrics.horizontalAdvance(QLatin1Char('A')),
                                                         metrics.height());
    TPagePrinter page(painter, geometry, job.FontFace, platform::AnsiToUnicode(job.Header));
    page.Header();
    int32_t line = FirstTextLine;
    for (const std::string& cut : CutPrintLines(job.Text, geometry.LineLength)) {
        // A line that would not fit whole above the page's bottom goes to the next page.
        if (PrintLineTop(geometry, line) + geometry.LineHeight > printer.height()) {
            printer.newPage();
            page.Header();
            page.Line(1, QString::fromLatin1(ContinuedText));
            line = FirstTextLine;
        }
        page.Line(line, platform::AnsiToUnicode(cut));
        ++line;
    }
    return painter.end();
}

} // namespace game

bool garvo_print_on_default_printer(const game::TPrintJob& job)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull())
        return false;
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    return game::PrintText(printer, job);
}
