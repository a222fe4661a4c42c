#include "game/TfrmOptionsControls.h"

#include "game/TfrmMainPictureButton.h"
#include "platform/AnsiTextValidator.h"
#include "platform/Windows1252.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include <algorithm>
#include <string>

namespace game {

namespace {

constexpr int PlayerNameMaxLength = 30; // as the name entry of a high score


} // namespace

TPictureButton* NewGlyphButton(QWidget* parent, const char* name, TGlyphKind kind)
{
    auto* button = new TPictureButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setProperty("glyphKind", kind == TGlyphKind::Choice ? QStringLiteral("choice") : QStringLiteral("toggle"));
    button->resize(GlyphButtonSize, GlyphButtonSize);
    return button;
}

void ShowDown(TPictureButton* button, bool down)
{
    button->setChecked(down);
    const QString kind = button->property("glyphKind").toString();
    button->SetBuiltInGlyph(QStringLiteral("options/") + kind + (down ? QStringLiteral("Down") : QStringLiteral("Up")));
}


int32_t UpDownValue(const QString& text, int32_t min, int32_t max)
{
    bool number = false;
    const int value = text.toInt(&number);
    return number ? std::clamp(value, min, max) : min;
}

TUpDownEdit::TUpDownEdit(QWidget* parent, int32_t min, int32_t max, int maxLength)
    : QWidget(parent), min_(min), max_(max)
{
    Edit = new QLineEdit(this);
    Edit->setMaxLength(maxLength);
    // Only digits can be typed or pasted.
    Edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit));
    Edit->setAlignment(Qt::AlignRight);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TUpDownEdit::resizeEvent(QResizeEvent*)
{
    const int editWidth = width() - ArrowsWidth;
    Edit->setGeometry(0, 0, editWidth, height());
    up_->setGeometry(editWidth, 0, ArrowsWidth, height() / 2);
    down_->setGeometry(editWidth, height() / 2, ArrowsWidth, height() - height() / 2);
}

int32_t TUpDownEdit::Position() const
{
    return UpDownValue(Edit->text(), min_, max_);
}

void TUpDownEdit::SetPosition(int32_t value)
{
    Edit->setText(QString::number(std::clamp(value, min_, max_)));
}

void TUpDownEdit::Step(int32_t delta)
{
    SetPosition(Position() + delta);
}

void TPlayersGrid::EndEditing()
{
    if (!Editing())
        return;
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            if (QWidget* editor = indexWidget(model()->index(row, col))) {
                commitData(editor);
                closeEditor(editor, QAbstractItemDelegate::NoHint);
            }
        }
    }
}


QLineEdit* NewPlayerNameEdit(QWidget* parent)
{
    auto* editor = new QLineEdit(parent);
    editor->setMaxLength(PlayerNameMaxLength);
    editor->setValidator(new platform::TAnsiTextValidator(editor));
    editor->setFrame(false);
    return editor;
}

} // namespace game
