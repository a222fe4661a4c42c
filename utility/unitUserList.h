#pragma once
// The utility's word list: an owner-drawn list over the engine's WordArray and OffsetArray (it
// copies no word), with a scroll bar beside it, a spin edit holding the current word number and
// a search box whose text finds the first word that begins with it.
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QPainter;
class QScrollBar;
class QSpinBox;
class QTimer;

namespace utility {

// A surface that leaves its painting and its mouse releases to its owner.
class TPaintBox : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void(QPainter& painter)> OnPaint;
    std::function<void(Qt::MouseButton button, int x, int y)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

struct TUserList {
    int32_t MinIndex = 0;
    int32_t MaxIndex = 0;
    int32_t ItemCount = 0;
    int32_t RowTextHeight = 0;
    int32_t TopIndex = 0;
    int32_t SelectedIndex = -1;
    QLineEdit* SearchEdit = nullptr;
    TPaintBox* PaintBox = nullptr;
    QScrollBar* ScrollBar = nullptr;
    QSpinBox* SpinEdit = nullptr;
    QTimer* Timer = nullptr;
    int32_t BoxLeft = 0;
    int32_t BoxTop = 0;
    int32_t BoxRight = 0;
    int32_t BoxBottom = 0;
    int32_t BoxHeight = 0;
    int32_t BoxWidth = 0;
    bool SpinScrolls = false;
    bool ShowOffsets = false;
    bool Empty = true;
    const std::vector<std::string>* Words = nullptr;
    const std::vector<int32_t>* Offsets = nullptr;
};

// The one list of the utility.
extern TUserList UserList;

void InitUserList(TUserList& list, QLineEdit* searchEdit, TPaintBox* paintBox, QScrollBar* scrollBar,
                  QSpinBox* spinEdit, QTimer* timer, int32_t min, int32_t max);
// Draws the visible rows; called from the paint box's paint event.
void PaintUserList(TUserList& list, QPainter& painter);
// Asks the paint box to paint again.
void RepaintUserList(const TUserList& list);
int32_t UserListRowHeight(const TUserList& list);
int32_t UserListVisibleRows(const TUserList& list);

void UserListClickAt(int32_t x, int32_t y);
void UserListScrollTo(int32_t n);
// Selects and scrolls to the first word that begins with Text (ASCII letters without regard to
// case).
bool UserListFind(const std::string& text);
// Sets the spin edit to word N, selects the word it then holds and makes N the top row.
void UserListSelect(int32_t n);
// The number of the first word equal to Text by the same comparison; 0 when none is.
int32_t UserListIndexOf(const std::string& text);

} // namespace utility
