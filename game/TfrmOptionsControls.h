#pragma once
// The kinds of control the options window is made of beyond Qt's own: the glyph buttons of its
// choices and switches, an edit of digits with up and down arrows, and the grid of the players'
// names with the edit its names are typed in.
#include <QTableWidget>

#include <cstdint>

class QLineEdit;
class QToolButton;

namespace game {

class TPictureButton;

// A choice of a group (layout, level) or an on/off switch: its glyph shows whether it is down.
enum class TGlyphKind { Choice, Toggle };
constexpr int GlyphButtonSize = 20;

TPictureButton* NewGlyphButton(QWidget* parent, const char* name, TGlyphKind kind);
// The button down or up, with the glyph of its kind.
void ShowDown(TPictureButton* button, bool down);

// The number an edit of digits stands for, kept within Min..Max; an empty edit gives Min.
int32_t UpDownValue(const QString& text, int32_t min, int32_t max);

// An edit of digits with its up and down arrows, within a range.
class TUpDownEdit : public QWidget {
public:
    static constexpr int ArrowsWidth = 16;

    TUpDownEdit(QWidget* parent, int32_t min, int32_t max, int maxLength);

    int32_t Position() const; // the edit's number within the range
    void SetPosition(int32_t value);

    QLineEdit* Edit;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int32_t delta);

    int32_t min_;
    int32_t max_;
    QToolButton* up_;
    QToolButton* down_;
};

// The grid of the players' names, which can end a name being edited from outside.
class TPlayersGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    bool Editing() const { return state() == EditingState; }
    // The name being edited is kept, as when the player leaves the cell.
    void EndEditing();
};

// The edit a player's name is typed in: Windows-1252 characters only, since the settings file
// holds nothing else, and no longer than a name of the high scores.
QLineEdit* NewPlayerNameEdit(QWidget* parent);

} // namespace game
