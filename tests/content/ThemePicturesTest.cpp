// Every picture the loader looks for in the Standard theme exists as a bitmap of the size of
// the control it fills, in the theme folder and in each language folder.
#include "content/ContentFolder.h"

#include <QImage>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TPicture {
    std::string name;
    int width;
    int height;
};

void ExpectBitmaps(const std::filesystem::path& folder, const std::vector<TPicture>& pictures)
{
    for (const TPicture& picture : pictures) {
        const std::filesystem::path path = folder / picture.name;
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(path.string()), "BMP")) << path;
        EXPECT_EQ(image.width(), picture.width) << path;
        EXPECT_EQ(image.height(), picture.height) << path;
    }
}

TEST(ThemePictures, ThemeFolderHoldsBackgroundsToolKeysAndLetterKeys)
{
    std::vector<TPicture> pictures = {
        {"main.bmp", 800, 600},        {"option.bmp", 500, 400},     {"about.bmp", 500, 300},
        {"score.bmp", 320, 320},       {"btnDictionary.bmp", 41, 25}, {"btnOpen.bmp", 41, 25},
        {"btnOption.bmp", 41, 25},     {"btnScore.bmp", 41, 25},     {"btnMinimize.bmp", 41, 25},
        {"btnAbout.bmp", 41, 25},      {"btnExit.bmp", 41, 25},      {"btnMagnify.bmp", 41, 25},
        {"btnCDPlayer.bmp", 41, 25},
    };
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        pictures.push_back({std::string("btn") + letter + ".bmp", 41, 25});
    ExpectBitmaps(content::ThemeFolder(), pictures);
}

TEST(ThemePictures, EachLanguageFolderHoldsItsCaptionedPicturesAndFlag)
{
    const std::vector<TPicture> pictures = {
        {"title.bmp", 575, 60},      {"flag.bmp", 24, 16},         {"btnStart.bmp", 122, 25},
        {"btnContinue.bmp", 122, 25}, {"btnStop.bmp", 122, 25},     {"btnHelp.bmp", 41, 25},
        {"btnOk.bmp", 76, 25},       {"btnCancel.bmp", 76, 25},
    };
    for (const char* language : {"Francais", "English"})
        ExpectBitmaps(content::ThemeFolder() / language, pictures);
}

} // namespace
