#pragma once
// The main window's buttons: a picture that is the whole face of the button. The pressed look
// shifts the picture by one pixel; the disabled look is derived from the picture itself (greyed
// and faded), so that any theme's picture shows clearly when its key cannot be used.
#include <QAbstractButton>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace game {

// The disabled face of Picture: each pixel's grey level, lightened toward the face colour and
// half transparent, so that the picture's shape stays readable but plainly out of use.
QImage GreyedPicture(const QImage& picture);

class TPictureButton : public QAbstractButton {
public:
    explicit TPictureButton(QWidget* parent = nullptr);

    // The face; a null picture keeps the one shown.
    void SetGlyph(const QPixmap& glyph);
    // The built-in face ":/<name>.png", decoded when first needed unless SetGlyph replaced it:
    // a theme replaces most built-in faces before they are ever seen.
    void SetBuiltInGlyph(const QString& name);
    const QPixmap& Glyph() const;

    // A letter key's letter (a..z); 0 for the other buttons.
    char Tag = 0;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap& Greyed() const;

    mutable QString builtInName_; // the built-in face still to decode; empty once decoded or replaced
    mutable QPixmap glyph_;
    mutable QPixmap greyed_; // made from the face when the disabled look is first painted
};

} // namespace game
