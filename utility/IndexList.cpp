// The handlers of the main window that drive the word list.
#include "utility/Index.h"

#include "platform/Windows1252.h"
#include "utility/unitUserList.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

namespace utility {

void TfrmIndex::ShowWordDefinition(int32_t n)
{
    if (dictionary::GetWord(CurrentDictionary, n, CurrentWord, DictionaryError))
        ShowHtml(CurrentWord.Definition);
}

void TfrmIndex::edtListKeyUp(int key)
{
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown)
        return;
    timList->stop();
    timList->start();
}

void TfrmIndex::timListTimer()
{
    timList->stop();
    if (edtList->text().isEmpty())
        return;
    std::string text;
    // A character no word can hold finds no word.
    if (platform::UnicodeToAnsi(edtList->text(), text) && UserListFind(text))
        ShowWordDefinition(UserList.SelectedIndex);
}

void TfrmIndex::pbListMouseUp(Qt::MouseButton button, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    UserListClickAt(x, y);
    UserList.SpinScrolls = false;
    seList->setValue(UserList.SelectedIndex);
    // When the spin edit held that number already its handler did not run: scrolling by the spin
    // edit must come back all the same.
    UserList.SpinScrolls = true;
    sbList->setValue(UserList.TopIndex);
    ShowWordDefinition(UserList.SelectedIndex);
}

void TfrmIndex::seListChange()
{
    if (UserList.SpinScrolls)
        UserList.TopIndex = seList->value();
    RepaintUserList(UserList);
    UserList.SpinScrolls = true;
}

void TfrmIndex::sbListScroll(int position)
{
    if (!edtList->isEnabled() || !edtList->isVisible())
        return;
    seList->setValue(position);
    UserListScrollTo(position);
    edtList->setFocus();
}

bool TfrmIndex::FormKeyDown(int key)
{
    if (rtxtEditor->isVisible() || UserList.Empty || UserList.ItemCount <= 0)
        return false;
    int32_t& selected = UserList.SelectedIndex;
    const int32_t min = UserList.MinIndex;
    const int32_t max = UserList.MaxIndex;
    switch (key) {
    case Qt::Key_Home:
        selected = min;
        break;
    case Qt::Key_End:
        selected = max;
        break;
    case Qt::Key_Down:
        selected = selected < max ? selected + 1 : max;
        break;
    case Qt::Key_Up:
        selected = selected > min ? selected - 1 : min;
        break;
    case Qt::Key_PageDown:
        selected = selected < max - 10 ? selected + 10 : max;
        break;
    case Qt::Key_PageUp:
        selected = selected > min + 10 ? selected - 10 : min;
        break;
    default:
        return false;
    }
    seList->setValue(selected);
    UserListScrollTo(selected);
    ShowWordDefinition(selected);
    if (edtList->isEnabled())
        edtList->setFocus();
    return true;
}

} // namespace utility
