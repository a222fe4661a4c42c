#pragma once
// The two files of the current theme and language, opened for one loading pass: texts from the
// language file, text colours from the theme file, pictures from both folders. Names written in
// a settings or language file on a system that ignores case are found whatever their case.
#include "platform/Canvas.h"
#include "platform/IniFile.h"

#include <QColor>
#include <QPixmap>

#include <cstdint>
#include <map>
#include <string>

class QWidget;

namespace game {

class TThemeFiles {
public:
    // The files of ThemeFolder and LanguageFolder as they are now.
    TThemeFiles();
    // The files of the two folders; an empty folder stands for no file at all.
    TThemeFiles(const std::string& themeFolder, const std::string& languageFolder);

    // Section and Key of the language file; a missing file, section or key, or an empty value,
    // gives Default. Any other value is used exactly as read.
    std::string Text(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    int32_t Integer(const std::string& section, const std::string& key, int32_t defaultValue) const;
    // A text colour (0x00BBGGRR) of the theme file.
    QColor Color(const std::string& section, const std::string& key, platform::TColor defaultValue) const;

    // A picture of the theme or language folder; null when the file is missing or unreadable,
    // so the control keeps the picture it has.
    QPixmap ThemePicture(const std::string& name) const;
    QPixmap LanguagePicture(const std::string& name) const;

    const platform::TIniFile& LanguageFile() const { return language_; }

private:
    std::string themeFolder_;
    std::string languageFolder_;
    platform::TIniFile language_;
    platform::TIniFile theme_;
};

// Folder + "/" + Name as found on disk, letter case aside; as written when nothing matches.
std::string FindInFolder(const std::string& folder, const std::string& name);
// The picture file at Path (letter case aside); null when it is missing or cannot be read.
QPixmap ReadPicture(const std::string& path);

// While one lives, reading a picture file read before gives the picture read then instead of
// decoding the file again: the game's start loads the main window's texts, and so its theme
// pictures, twice. Only the outermost one counts; the pictures read are let go with it.
class TSharedPictureReads {
public:
    TSharedPictureReads();
    ~TSharedPictureReads();
    TSharedPictureReads(const TSharedPictureReads&) = delete;
    TSharedPictureReads& operator=(const TSharedPictureReads&) = delete;

private:
    std::map<std::string, QPixmap> pictures_;
    bool active_ = false;
};

// A window's colour outside its pictures: the top-left pixel of its background picture.
void TakeBackgroundColor(QWidget* window, const QPixmap& background);

} // namespace game
