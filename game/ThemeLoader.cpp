#include "game/ThemeLoader.h"

#include "dictionary/fileLib.h"
#include "game/TrueColorBmp.h"
#include "game/globalDefs.h"
#include "htmlview/HtmlImageLoad.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"
#include "platform/QtCanvas.h"
#include "platform/WindowControls.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QWidget>

#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace game {

std::string FindInFolder(const std::string& folder, const std::string& name)
{
    return platform::ResolvePathCase(folder + "/" + name);
}

namespace {

// The pictures read while a TSharedPictureReads lives, by resolved path; null otherwise.
std::map<std::string, QPixmap>* SharedPictures = nullptr;

// Any other kind than the quick path's: a BMP through the checked decoder, which never shows
// rows the file does not hold, any other kind through Qt's readers.
QImage DecodeOtherPicture(const std::string& bytes)
{
    if (htmlview::PictureKind(bytes) == htmlview::pkBmp)
        return htmlview::DecodeBmpImage(bytes);
    return QImage::fromData(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QPixmap DecodePicture(const std::string& found)
{
    // Opened as a plain file only: a FIFO or a folder in a picture's place counts as missing
    // instead of stopping the game's start.
    const int descriptor = platform::OpenPlainFile(platform::NativePath(found), O_RDONLY);
    if (descriptor < 0)
        return {};
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return {};
    }
    // The quick path reads a row at a time; only the other kinds are held whole.
    QImage image = ReadTrueColorBmp(file);
    if (image.isNull() && file.seek(0) && file.size() <= static_cast<qint64>(htmlview::MaxPictureFileSize)) {
        const QByteArray bytes = file.readAll();
        image = DecodeOtherPicture(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
    }
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
