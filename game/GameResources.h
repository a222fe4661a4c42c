#pragma once
// The pictures built into the game (resources/garvo.qrc): the game library holds them, so the
// program and the tests register them once before the first window is made.
//
// Decoding them all costs more than the rest of the game's start, and a window shows few of them
// at once (a theme replaces many before they are ever seen): each is decoded when first needed.
#include <QPixmap>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

class QLabel;

namespace game {

// Makes the ":/main/...", ":/scores/...", ":/buttons/..." pictures readable. Safe to call again.
void InitGameResources();

// The built-in picture ":/<name>.bmp" (an uncompressed 24-bit one) or else ":/<name>.png",
// decoded now.
QPixmap BuiltInPicture(const QString& name);

// The numbered built-in pictures ":/<folder>/0.png" .. "<count - 1>.png", each decoded the first
// time it is asked for.
class TBuiltInPictureList {
public:
    TBuiltInPictureList(QString folder, size_t count);
    const QPixmap& operator[](size_t index) const { return at(index); }
    // Throws std::out_of_range past the last picture.
    const QPixmap& at(size_t index) const;
    size_t size() const { return pictures_.size(); }

private:
    QString folder_;
    mutable std::vector<std::optional<QPixmap>> pictures_;
};

// Gives Label the built-in picture ":/<name>.png" when it is first shown, unless it shows
// another picture (a theme's) by then.
void SetBuiltInPicture(QLabel* label, const QString& name);
// The picture Label shows, or will show once shown: its built-in one when nothing replaced it.
QPixmap LabelPicture(QLabel* label);

} // namespace game
