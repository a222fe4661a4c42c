// Texts of the Standard theme can be read at a glance: every label of the main window stands out
// from the picture behind it by a contrast ratio of at least 4.5:1, and French punctuation stays
// with its word when a message wraps.
#include "content/ContentFolder.h"
#include "platform/IniFile.h"
#include "platform/Windows1252.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using content::ThemeFolder;

double Channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour)
{
    return 0.2126 * Channel(colour.red()) + 0.7152 * Channel(colour.green()) + 0.0722 * Channel(colour.blue());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A theme colour, written 0x00BBGGRR.
QColor ThemeColour(const std::string& section, const std::string& key)
{
    const platform::TIniFile ini((ThemeFolder() / "theme.ini").string());
    const int32_t value = ini.ReadInteger(section, key, -1);
    EXPECT_GE(value, 0) << key;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TEST(Readability, MainWindowLabelsStandOutFromTheirBackground)
{
    QImage background;
    ASSERT_TRUE(background.load(QString::fromStdString((ThemeFolder() / "main.bmp").string()), "BMP"));
    const struct {
        const char* Label;
        QRect Place; // the label's place in the window
        QColor Text;
    } labels[] = {
        // Between timed words the time caption takes the desktop's window-text colour, which no
        // theme can know: it is left out here.
        {"lblWord", {352, 80, 413, 22}, ThemeColour("WindowMain", "TextColor.HighLight")},
        {"lblTimeRemaining counting", {358, 382, 100, 25}, QColor(5, 255, 185)},
        {"lblPlayerName", {358, 412, 404, 34}, QColor(255, 255, 0)},
        {"lblTriesRemaining", {358, 444, 200, 22}, ThemeColour("WindowMain", "TextColor.Normal")},
        {"lblScore", {562, 444, 200, 22}, ThemeColour("WindowMain", "TextColor.Normal")},
    };
    for (const auto& label : labels) {
        // The text is centred in its label: its first and last rows stay clear of the glyphs.
        const QRect area = label.Place.adjusted(0, 3, 0, -3);
        double worst = 21;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                worst = std::min(worst, Contrast(label.Text, background.pixelColor(x, y)));
        EXPECT_GE(worst, 4.5) << label.Label;
    }
}

TEST(Readability, FrenchPunctuationIsHeldToItsWord)
{
    const std::string file = content::ReadBytes(ThemeFolder() / "Francais" / "language.ini");
    for (const char mark : {'?', '!', ':', ';'}) {
        const size_t found = file.find(std::string(" ") + mark);
        EXPECT_EQ(found, std::string::npos) << "a plain space before " << mark << " at "
                                            << file.substr(file.rfind('\n', found) + 1, 60);
    }
    // The no-break space of Windows-1252 reaches the screen as one, and a line is never broken
    // there, however narrow the label.
    const std::string message = "Vous connaissez le dictionnaire par c\x9C" "ur ou quoi\xA0?";
    const QString text = platform::AnsiToUnicode(message);
    ASSERT_TRUE(text.contains(QChar(0x00A0)));
    QTextLayout layout(text, QFont(QStringLiteral("Liberation Sans"), 12));
    layout.beginLayout();
    const QFontMetricsF metrics(layout.font());
    // Wide enough for all but the question mark.
    const qreal width = metrics.horizontalAdvance(text.left(text.size() - 1));
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(width);
    layout.endLayout();
    ASSERT_GE(layout.lineCount(), 2);
    const QTextLine last = layout.lineAt(layout.lineCount() - 1);
    EXPECT_EQ(text.mid(last.textStart(), last.textLength()), QStringLiteral("quoi\u00A0?"));
}

} // namespace
