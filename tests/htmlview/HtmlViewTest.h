#pragma once
// A viewer shown offscreen, with a fake error box and a folder for page files.
#include "htmlview/HtmlView.h"
#include "htmlview/PaintPanel.h"
#include "htmlview/ScrollBar32.h"
#include "platform/QtCanvas.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace viewertest {

// Paragraphs of plain words, enough to need a scroll bar (no BODY end: pages are put together
// from several of these).
inline std::string LongPage(int paragraphs)
{
    std::string page;
    for (int i = 0; i < paragraphs; ++i)
        page += "<p>Paragraph " + std::to_string(i) + " holds a few words of text to fill its line.</p>";
    return page;
}

class ViewerFixture : public ::testing::Test {
protected:
    htmlview::THtmlView View;
    std::vector<std::string> Errors;
    QTemporaryDir Folder;

    void SetUp() override
    {
        View.resize(300, 200);
        View.SetDefBackground(platform::clWhite);
        View.ErrorBox = [this](const std::string& message) { Errors.push_back(message); };
        View.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&View));
    }

    htmlview::TPaintPanel& Panel() { return View.PaintPanel(); }

    // Hit tests find lines where the last paint put them.
    void Paint() { Panel().repaint(); }

    void Load(const std::string& html)
    {
        View.LoadFromBuffer(html.data(), static_cast<int32_t>(html.size()));
        Paint();
    }

    std::string WriteFile(const std::string& name, const std::string& text)
    {
        const QString path = QDir(Folder.path()).filePath(QString::fromStdString(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path.toStdString();
    }

    std::string SelectedText()
    {
        std::vector<char> buffer(65536);
        const int32_t n = View.GetSelTextBuf(buffer.data(), static_cast<int32_t>(buffer.size()));
        return n > 0 ? std::string(buffer.data(), static_cast<size_t>(n - 1)) : std::string();
    }

    // A panel point just inside the left edge of the character at Index, halfway down its line.
    QPoint PointOf(int32_t index)
    {
        platform::TQtCanvas canvas;
        int32_t x = 0;
        int32_t y = 0;
        EXPECT_TRUE(View.Document().PointOfIndex(canvas, index, x, y));
        return {x + View.MarginWidth() - View.HorizontalPosition() + 1, y - View.Document().ScrollTop + 8};
    }

    // The document index of the first occurrence of Word.
    int32_t IndexOf(const std::string& word) { return View.Document().FindText(0, word, true); }

    void DeliverPostedEvents() { QCoreApplication::sendPostedEvents(); }
};

} // namespace viewertest
