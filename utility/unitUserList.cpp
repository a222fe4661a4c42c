#include "utility/unitUserList.h"

#include "dictionary/unitDictionary.h"
#include "platform/Windows1252.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>

namespace utility {

TUserList UserList;

void TPaintBox::paintEvent(QPaintEvent*)
{
    if (!OnPaint)
        return;
    QPainter painter(this);
    OnPaint(painter);
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (OnMouseUp)
        OnMouseUp(event->button(), static_cast<int>(event->position().x()), static_cast<int>(event->position().y()));
}

namespace {

// Only the ASCII letters fold: an accented capital does not find its small letter.
unsigned char AsciiUpper(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool SameAsciiText(const std::string& word, const std::string& text, bool wholeWord)
{
    if (word.size() < text.size() || (wholeWord && word.size() != text.size()))
        return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (AsciiUpper(static_cast<unsigned char>(word[i])) != AsciiUpper(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

QColor SearchColor(const TUserList& list)
{
    return list.SearchEdit->palette().color(QPalette::Active, QPalette::Base);
}

// The engine may hold fewer words than the index counts (a failed or capped load).
const std::string* WordAt(const TUserList& list, int32_t k)
{
    if (list.Words == nullptr || k < 0 || static_cast<size_t>(k) >= list.Words->size())
        return nullptr;
    return &(*list.Words)[static_cast<size_t>(k)];
}

std::string RowText(const TUserList& list, int32_t k)
{
    if (list.ShowOffsets) {
        if (list.Offsets != nullptr && k >= 0 && static_cast<size_t>(k) < list.Offsets->size())
            return std::to_string((*list.Offsets)[static_cast<size_t>(k)]);
        return {};
    }
    const std::string* word = WordAt(list, k);
    return word != nullptr ? *word : std::string();
}

} // namespace

void InitUserList(TUserList& list, QLineEdit* searchEdit, TPaintBox* paintBox, QScrollBar* scrollBar,
                  QSpinBox* spinEdit, QTimer* timer, int32_t min, int32_t max)
{
    list.SearchEdit = searchEdit;
    list.PaintBox = paintBox;
    list.ScrollBar = scrollBar;
    list.SpinEdit = spinEdit;
    list.Timer = timer;
    list.Empty = min == 0 && max == 0;
    list.MinIndex = min;
    list.MaxIndex = max;
    list.ItemCount = max - min + 1;

    list.RowTextHeight = paintBox->fontMetrics().height();
    list.SelectedIndex = -1;
    list.BoxLeft = 2;
    list.BoxTop = 2;
    list.BoxRight = paintBox->width() - 1;
    list.BoxBottom = paintBox->height() - 2;
    list.BoxHeight = list.BoxBottom - list.BoxTop;
    list.BoxWidth = list.BoxRight - list.BoxLeft;
    list.TopIndex = min;
    list.ShowOffsets = false;
    list.Words = &dictionary::WordArray;
    list.Offsets = &dictionary::OffsetArray;

    if (!list.Empty) {
        scrollBar->setRange(min, max);
        scrollBar->setValue(list.TopIndex);
        scrollBar->setPageStep(paintBox->height() / UserListRowHeight(list));
        scrollBar->setEnabled(false);
        spinEdit->setRange(min, max);
    }
    list.SpinScrolls = true;
    spinEdit->setValue(2);
    spinEdit->setValue(1);
    RepaintUserList(list);
}

int32_t UserListRowHeight(const TUserList& list)
{
    return list.RowTextHeight + 2;
}

int32_t UserListVisibleRows(const TUserList& list)
{
    return list.BoxHeight / UserListRowHeight(list);
}

void PaintUserList(TUserList& list, QPainter& painter)
{
    const QColor background = SearchColor(list);
    painter.setPen(Qt::black);
    painter.drawLine(1, list.BoxBottom, 1, 1);
    painter.drawLine(1, 1, list.BoxRight, 1);
    painter.fillRect(QRect(QPoint(list.BoxLeft, list.BoxTop), QPoint(list.BoxRight - 1, list.BoxBottom - 1)), background);

    if (list.ItemCount != 0 && !list.Empty) {
        const int32_t rowHeight = UserListRowHeight(list);
        const int32_t rows = UserListVisibleRows(list);
        for (int32_t k = list.TopIndex, r = 1; k <= list.MaxIndex && r <= rows; ++k, ++r) {
            const bool selected = k == list.SelectedIndex;
            const QRect row(QPoint(list.BoxLeft, list.BoxTop + (r - 1) * rowHeight + 2),
                            QPoint(list.BoxRight - 1, list.BoxTop + r * rowHeight + 2 - 1));
            painter.fillRect(row, selected ? QColor(0, 0, 127) : background);
            painter.setPen(selected ? Qt::white : Qt::black);
            painter.save();
            painter.setClipRect(QRect(QPoint(list.BoxLeft, row.top()), QPoint(list.BoxRight - 3, row.bottom())));
            painter.drawText(QRect(list.BoxLeft + 2, row.top(), list.BoxWidth, rowHeight), Qt::AlignLeft | Qt::AlignTop,
                             platform::AnsiToUnicode(RowText(list, k)));
            painter.restore();
            if (selected) {
                painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
                painter.drawRect(row.adjusted(0, 0, -1, -1));
            }
        }
        list.ScrollBar->setValue(list.TopIndex);
        list.ScrollBar->setEnabled(list.SearchEdit->isEnabled());
    }
}

void RepaintUserList(const TUserList& list)
{
    if (list.PaintBox != nullptr)
        list.PaintBox->update();
}

void UserListClickAt(int32_t, int32_t y)
{
    if (UserList.Empty)
        return;
    const int32_t row = (y - 4) / UserListRowHeight(UserList);
    UserList.SelectedIndex = std::clamp(row + UserList.TopIndex, UserList.MinIndex, UserList.MaxIndex);
    RepaintUserList(UserList);
}

void UserListScrollTo(int32_t n)
{
    if (UserList.Empty)
        return;
    UserList.TopIndex = std::clamp(n, UserList.MinIndex, UserList.MaxIndex);
    RepaintUserList(UserList);
}

bool UserListFind(const std::string& text)
{
    if (UserList.Empty || UserList.ItemCount == 0)
        return false;
    for (int32_t i = UserList.MinIndex; i <= UserList.MaxIndex; ++i) {
        const std::string* word = WordAt(UserList, i);
        if (word != nullptr && SameAsciiText(*word, text, false)) {
            UserListSelect(i);
            return true;
        }
    }
    return false;
}

void UserListSelect(int32_t n)
{
    UserList.SpinEdit->setValue(n);
    UserList.SelectedIndex = UserList.SpinEdit->value();
    UserListScrollTo(n);
}

int32_t UserListIndexOf(const std::string& text)
{
    if (UserList.Empty || UserList.ItemCount == 0)
        return 0;
    for (int32_t i = UserList.MinIndex; i <= UserList.MaxIndex; ++i) {
        const std::string* word = WordAt(UserList, i);
        if (word != nullptr && SameAsciiText(*word, text, true))
            return i;
    }
    return 0;
}

} // namespace utility
