#include "game/ThemeLoader.h"

#include "dictionary/fileLib.h"
#include "game/TrueColorBmp.h"
#include "game/globalDefs.h"
#include "platform/FileSystem.h"
#include "platform/QtCanvas.h"
#include "platform/Shell.h"
#include "platform/WindowControls.h"

#include <QFile>
#include <QImage>
#include <QWidget>

#include <utility>

namespace game {

std::string FindInFolder(const std::string& folder, const std::string& name)
{
    return platform::ResolvePathCase(folder + "/" + name);
}

namespace {

// The pictures read while a TSharedPictureReads lives, by resolved path; null otherwise.
std::map<std::string, QPixmap>* SharedPictures = nullptr;

QPixmap DecodePicture(const std::string& found)
{
    if (!platform::FileExists(found))
        return {};
    const QString fileName = platform::QtFileName(found);
    QFile file(fileName);
    QImage image = file.open(QIODevice::ReadOnly) ? ReadTrueColorBmp(file) : QImage();
    // The general reader takes the kinds of file the quick path does not.
    if (image.isNull())
        image = QImage(fileName);
    // A file that is no picture leaves the control as it is, like a missing one.
    return QPixmap::fromImage(std::move(image));
}

} // namespace

QPixmap ReadPicture(const std::string& path)
{
    const std::string found = platform::ResolvePathCase(path);
    if (SharedPictures == nullptr)
        return DecodePicture(found);
    const auto known = SharedPictures->find(found);
    if (known != SharedPictures->end())
        return known->second;
    return SharedPictures->emplace(found, DecodePicture(found)).first->second;
}

TSharedPictureReads::TSharedPictureReads() : active_(SharedPictures == nullptr)
{
    if (active_)
        SharedPictures = &pictures_;
}

TSharedPictureReads::~TSharedPictureReads()
{
    if (active_)
        SharedPictures = nullptr;
}

void TakeBackgroundColor(QWidget* window, const QPixmap& background)
{
    if (background.isNull())
        return;
    platform::SetPaletteColor(window, {QPalette::Window}, background.toImage().pixelColor(0, 0));
}

TThemeFiles::TThemeFiles() : TThemeFiles(ThemeFolder, LanguageFolder) {}

TThemeFiles::TThemeFiles(const std::string& themeFolder, const std::string& languageFolder)
    : themeFolder_(platform::ResolvePathCase(themeFolder)),
      languageFolder_(platform::ResolvePathCase(languageFolder)),
      language_(languageFolder.empty() ? std::string() : FindInFolder(languageFolder_, "language.ini")),
      theme_(themeFolder.empty() ? std::string() : FindInFolder(themeFolder_, "theme.ini"))
{
}

std::string TThemeFiles::Text(const std::string& section, const std::string& key, const std::string& defaultValue) const
{
    std::string value;
    dictionary::ReadIniString(section, key, defaultValue, value, language_);
    return value;
}

int32_t TThemeFiles::Integer(const std::string& section, const std::string& key, int32_t defaultValue) const
{
    return language_.ReadInteger(section, key, defaultValue);
}

QColor TThemeFiles::Color(const std::string& section, const std::string& key, platform::TColor defaultValue) const
{
    return platform::ToQColor(theme_.ReadInteger(section, key, defaultValue));
}

QPixmap TThemeFiles::ThemePicture(const std::string& name) const
{
    return ReadPicture(themeFolder_ + "/" + name);
}

QPixmap TThemeFiles::LanguagePicture(const std::string& name) const
{
    return ReadPicture(languageFolder_ + "/" + name);
}

} // namespace game
