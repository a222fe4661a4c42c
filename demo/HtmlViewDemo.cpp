// Shows a sample page in the viewer control in a 500 x 400 window: headings, paragraphs, a
// list, a link and enough text to need the scroll bar. Links are printed, not followed.
#include "htmlview/HtmlView.h"
#include "htmlview/HtmlImageCache.h"
#include "htmlview/ViewerCursors.h"
#include "platform/Windows1252.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

#include <iostream>
#include <string>

namespace {

// The page in Windows-1252, as every page the programs show.
std::string SamplePage()
{
    QString page = QStringLiteral(
        "<html><head><title>Le pendu</title></head><body>"
        "<h1>Le jeu du pendu</h1>"
        "<p>Le joueur doit deviner un mot caché en proposant des lettres. Chaque lettre absente "
        "du mot fait avancer le dessin de la potence&nbsp;: au septième essai manqué, la partie "
        "est perdue.</p>"
        "<h2>Les niveaux</h2>"
        "<ul><li>La première et la dernière lettre sont montrées.</li>"
        "<li>La <b>définition</b> du mot est montrée.</li>"
        "<li>Les deux à la fois.</li>"
        "<li>Rien n'est montré&nbsp;: c'est le niveau <i>expert</i>.</li></ul>"
        "<h2>Pour en savoir plus</h2>"
        "<p>Les règles complètes sont dans l'<a href=\"aide.htm\">aide du jeu</a>.</p>");
    for (int i = 1; i <= 6; ++i)
        page += QStringLiteral("<p>Paragraphe %1&nbsp;: un dictionnaire rassemble des mots et leurs "
                               "définitions, que le jeu tire au hasard pour chaque manche.</p>")
                    .arg(i);
    page += QStringLiteral("</body></html>");
    std::string text;
    platform::UnicodeToAnsi(page, text);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    htmlview::StartViewerCursors();
    htmlview::StartPictureUnit();

    int result = 0;
    {
        QWidget window;
        window.setWindowTitle(QStringLiteral("THtmlView"));
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* viewer = new htmlview::THtmlView(&window);
        layout->addWidget(viewer);
        viewer->SetDefBackground(platform::clWhite);
        viewer->SetDefFontColor(platform::clBlack);
        viewer->OnHotSpotClick = [](htmlview::THtmlView*, const std::string& url, bool& handled) {
            std::cout << "link: " << platform::AnsiToUnicode(url).toStdString() << std::endl;
            handled = true;
        };
        const std::string page = SamplePage();
        viewer->LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
        window.resize(500, 400);
        window.show();
        viewer->setFocus();

        result = app.exec();
    }
    // The viewer releases its pictures before the cache goes.
    htmlview::StopPictureUnit();
    htmlview::StopViewerCursors();
    return result;
}
