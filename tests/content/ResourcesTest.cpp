// The pictures and cursors built into the programs: every name the code asks for is listed in its
// resource file, exists, and has the size of the control it fills; the cursors carry hot spots.
#include "content/ContentFolder.h"

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::filesystem::path ResourceFolder()
{
    return content::DataFolder().parent_path() / "resources";
}

QImage LoadResource(const std::string& name)
{
    return QImage(QString::fromStdString((ResourceFolder() / name).string()));
}

// The aliases of a resource file, after checking that each names its own file.
std::set<std::string> ListedNames(const std::string& qrcName)
{
    QFile qrc(QString::fromStdString((ResourceFolder() / qrcName).string()));
    EXPECT_TRUE(qrc.open(QIODevice::ReadOnly)) << qrcName;
    std::set<std::string> names;
    QXmlStreamReader xml(&qrc);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("file")) {
            const std::string alias = xml.attributes().value(QStringLiteral("alias")).toString().toStdString();
            const std::string file = xml.readElementText().toStdString();
            EXPECT_EQ(alias, file) << qrcName;
            EXPECT_TRUE(std::filesystem::is_regular_file(ResourceFolder() / file)) << file;
            EXPECT_TRUE(names.insert(alias).second) << alias << " listed twice";
        }
    }
    EXPECT_FALSE(xml.hasError()) << qrcName << ": " << xml.errorString().toStdString();
    return names;
}

std::map<std::string, QPoint> HotSpots(const std::string& listName)
{
    std::istringstream list(content::ReadBytes(ResourceFolder() / listName));
    std::map<std::string, QPoint> spots;
    std::string name;
    int x = 0;
    int y = 0;
    while (list >> name >> x >> y)
        spots[name] = QPoint(x, y);
    return spots;
}

struct TPicture {
    std::string name;
    int width;
    int height;
};

// Every picture expected is listed with its size, and the resource file lists nothing more.
void ExpectExactly(const std::string& qrcName, const std::vector<TPicture>& pictures, const std::string& hotSpotList)
{
    std::set<std::string> listed = ListedNames(qrcName);
    for (const TPicture& picture : pictures) {
        EXPECT_EQ(listed.erase(picture.name), 1u) << picture.name << " missing from " << qrcName;
        const QImage image = LoadResource(picture.name);
        ASSERT_FALSE(image.isNull()) << picture.name;
        EXPECT_EQ(image.size(), QSize(picture.width, picture.height)) << picture.name;
    }
    if (!hotSpotList.empty()) {
        EXPECT_EQ(listed.erase(hotSpotList), 1u) << hotSpotList << " missing from " << qrcName;
    }
    for (const std::string& stray : listed)
        ADD_FAILURE() << qrcName << " lists " << stray << " that no code asks for";
}

const char* const GameCursorNames[] = {
    "CURSOR_ARROW",  "CURSOR_CROSS",    "CURSOR_IBEAM",    "CURSOR_SIZEALL",   "CURSOR_SIZENESW",
    "CURSOR_SIZENS", "CURSOR_SIZENWSE", "CURSOR_SIZEWE",   "CURSOR_UPARROW",   "CURSOR_HOURGLASS",
    "CURSOR_DRAG",   "CURSOR_NODROP",   "CURSOR_HSPLIT",   "CURSOR_VSPLIT",    "CURSOR_MULTIDRAG",
    "CURSOR_SQLWAIT", "CURSOR_NO",      "CURSOR_APPSTART", "CURSOR_HELP",      "CURSOR_HANDPOINT",
};

TEST(Resources, GameResourceFileListsEveryBuiltInPictureAtItsSize)
{
    std::vector<TPicture> pictures = {
        {"main/imgBackground.png", 800, 600},   {"main/imgLogo.png", 180, 60},
        {"main/TitleImage.png", 575, 60},       {"main/btnStart.png", 122, 25},
        {"main/btnContinue.png", 122, 25},      {"main/btnStop.png", 122, 25},
        {"buttons/btnOk.png", 76, 25},          {"buttons/btnCancel.png", 76, 25},
        {"options/imgBackground.png", 500, 400}, {"options/choiceUp.png", 20, 20},
        {"options/choiceDown.png", 20, 20},     {"options/toggleUp.png", 20, 20},
        {"options/toggleDown.png", 20, 20},     {"scores/imgBackground.png", 320, 320},
        {"about/imgBackground.png", 500, 300},  {"about/imgUmbo.png", 115, 30},
        {"cdplayer/imgBackground.png", 150, 220}, {"language/imgVelmora.png", 145, 192},
        {"splash/picture.bmp", 290, 385},       {"icons/garvo.png", 64, 64},
    };
    for (const char* tool : {"btnHelp", "btnOpen", "btnViewScore", "btnOption", "btnAbout", "btnCDPlayer",
                             "btnMagnify", "btnEdit", "btnMinimize", "btnExit"})
        pictures.push_back({std::string("main/") + tool + ".png", 41, 25});
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        pictures.push_back({std::string("main/btn") + letter + ".png", 41, 25});
    for (int stage = 0; stage <= 7; ++stage)
        pictures.push_back({"gallows/" + std::to_string(stage) + ".bmp", 290, 385});
    for (int digit = 0; digit <= 10; ++digit)
        pictures.push_back({"digits/" + std::to_string(digit) + ".png", 12, 26});
    for (const char* button : {"imgFastRewind", "imgPlay", "imgFastForward", "imgPrevious", "imgStop", "imgNext",
                               "imgEject", "imgPause", "imgExit"}) {
        pictures.push_back({std::string("cdplayer/") + button + "0.png", 45, 30});
        pictures.push_back({std::string("cdplayer/") + button + "1.png", 45, 30});
    }
    for (const char* cursor : GameCursorNames)
        pictures.push_back({std::string("cursors/") + cursor + ".png", 32, 32});
    ExpectExactly("garvo.qrc", pictures, "cursors/hotspots.txt");
}

TEST(Resources, ViewerAndUtilityResourceFilesListTheirPictures)
{
    ExpectExactly("viewer.qrc",
                  {{"viewer/1001.png", 16, 16},
                   {"viewer/1002.png", 16, 16},
                   {"viewer/1005.png", 16, 16},
                   {"viewer/1003.png", 32, 32},
                   {"viewer/1006.png", 32, 32}},
                  "viewer/hotspots.txt");
    std::vector<TPicture> utility = {
        {"lexorim/imgProgramIcon.png", 145, 192}, {"lexorim/icon.png", 64, 64},
        {"lexorim/btnFrench.png", 23, 17},        {"lexorim/btnEnglish.png", 23, 17},
    };
    for (const char* menu : {"mnuFileNew", "mnuFileOpen", "mnuFileQuit", "mnuFileModify", "mnuFileSave",
                             "mnuHtmlCopy", "mnuHtmlCut", "mnuHtmlPaste"})
        utility.push_back({std::string("lexorim/") + menu + ".png", 16, 16});
    ExpectExactly("lexorim.qrc", utility, "");
}

TEST(Resources, EveryCursorHasOneHotSpotInsideItsPicture)
{
    const std::map<std::string, QPoint> game = HotSpots("cursors/hotspots.txt");
    EXPECT_EQ(game.size(), std::size(GameCursorNames));
    for (const char* cursor : GameCursorNames) {
        ASSERT_EQ(game.count(cursor), 1u) << cursor;
        const QImage picture = LoadResource(std::string("cursors/") + cursor + ".png");
        EXPECT_TRUE(picture.hasAlphaChannel()) << cursor;
        EXPECT_TRUE(picture.rect().contains(game.at(cursor))) << cursor;
    }
    // The viewer's cursors have their hot spots fixed: the hand's finger tip and the beam's middle.
    const std::map<std::string, QPoint> viewer = HotSpots("viewer/hotspots.txt");
    EXPECT_EQ(viewer, (std::map<std::string, QPoint>{{"1003", QPoint(13, 9)}, {"1006", QPoint(15, 12)}}));
    for (const auto& [name, spot] : viewer)
        EXPECT_GT(qAlpha(LoadResource("viewer/" + name + ".png").pixel(spot)), 0) << name << " hot spot on nothing";
}

TEST(Resources, TheCounterColonShowsInTheFourColumnsTheNextDigitLeaves)
{
    // The counter draws the colon at x 28 and the next digit at x 32 over it.
    const QImage colon = LoadResource("digits/10.png");
    const QRgb background = colon.pixel(colon.width() - 1, colon.height() / 2);
    int dotPixels = 0;
    for (int y = 0; y < colon.height(); ++y) {
        for (int x = 0; x < colon.width(); ++x) {
            const bool dot = qGray(colon.pixel(x, y)) > qGray(background) + 60;
            if (dot) {
                EXPECT_LT(x, 4) << "colon drawn under the next digit at column " << x;
                ++dotPixels;
            }
        }
    }
    EXPECT_GT(dotPixels, 0);
}

TEST(Resources, EachGallowsStageAddsToThePreviousOne)
{
    QImage previous = LoadResource("gallows/0.bmp");
    for (int stage = 1; stage <= 7; ++stage) {
        const QImage current = LoadResource("gallows/" + std::to_string(stage) + ".bmp");
        EXPECT_NE(current, previous) << "stage " << stage << " draws nothing new";
        previous = current;
    }
}

TEST(Resources, BrokenPictureMaskClearsOnlyTheCorners)
{
    const QImage mask = LoadResource("viewer/1005.png");
    ASSERT_EQ(mask.depth(), 1);
    const QImage broken = LoadResource("viewer/1001.png");
    for (const QPoint corner : {QPoint(0, 0), QPoint(15, 0), QPoint(0, 15), QPoint(15, 15)}) {
        EXPECT_EQ(mask.pixel(corner), qRgb(255, 255, 255)) << corner.x() << "," << corner.y();
        EXPECT_EQ(broken.pixel(corner), qRgb(255, 255, 255)) << corner.x() << "," << corner.y();
    }
    for (const QPoint inside : {QPoint(8, 0), QPoint(0, 8), QPoint(8, 8), QPoint(15, 8)})
        EXPECT_EQ(mask.pixel(inside), qRgb(0, 0, 0)) << inside.x() << "," << inside.y();
}

} // namespace
