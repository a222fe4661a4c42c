#include "game/TfrmSelectLanguage.h"

#include "game/LanguageTexts.h"
#include "game/ThemeLoader.h"
#include "game/WindowPlacement.h"
#include "game/globalDefs.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/Shell.h"
#include "platform/WindowControls.h"
#include "platform/Windows1252.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace game {

namespace {

constexpr int FlagWidth = 24;
constexpr int FlagHeight = 16;
constexpr int TextIndent = 28;
const std::string StandardTheme = "Standard";

// Each item: its flag, then its name, on the list's colours.
class TLanguageItemDelegate : public QStyledItemDelegate {
public:
    explicit TLanguageItemDelegate(TfrmSelectLanguage* form) : QStyledItemDelegate(form), form_(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& colors = option.palette;
        painter->fillRect(r, selected ? colors.color(QPalette::Highlight) : colors.color(QPalette::Base));
        const size_t row = static_cast<size_t>(index.row());
        if (row < form_->ilFlags.size())
            painter->drawPixmap(QRect(r.left(), r.top() + 1, FlagWidth, FlagHeight), form_->ilFlags[row],
                                QRect(0, 0, FlagWidth, FlagHeight));
        painter->setPen(selected ? colors.color(QPalette::HighlightedText) : colors.color(QPalette::Text));
        painter->drawText(r.adjusted(TextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data().toString());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), TfrmSelectLanguage::ItemHeight};
    }

private:
    TfrmSelectLanguage* form_;
};

} // namespace

TfrmSelectLanguage::TfrmSelectLanguage(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmSelectLanguage"));
    setWindowTitle(QStringLiteral("Language selection"));
    setFixedSize(ClientWidth, ClientHeight);

    imgVelmora = new QLabel(this);
    imgVelmora->setObjectName(QStringLiteral("imgVelmora"));
    imgVelmora->setPixmap(QPixmap(QStringLiteral(":/language/imgVelmora.png")));
    imgVelmora->setGeometry(0, 0, 145, 192);

    lbLanguages = new QListWidget(this);
    lbLanguages->setObjectName(QStringLiteral("lbLanguages"));
    lbLanguages->setGeometry(147, 0, 169, 161);
    lbLanguages->setItemDelegate(new TLanguageItemDelegate(this));
    lbLanguages->setUniformItemSizes(true);
    platform::UseInfoBackground(lbLanguages, {QPalette::Base});

    btnSelect = new QPushButton(this);
    btnSelect->setObjectName(QStringLiteral("btnSelect"));
    btnSelect->setGeometry(147, 163, 169, 29);
    btnSelect->setEnabled(false);
    btnSelect->hide();

    connect(lbLanguages, &QListWidget::itemSelectionChanged, this, &TfrmSelectLanguage::lbLanguagesClick);
    connect(btnSelect, &QPushButton::clicked, this, &TfrmSelectLanguage::btnSelectClick);
    EnumLanguages();
    CenterOnScreen(this);
}

void TfrmSelectLanguage::EnumLanguages()
{
    StartCaptions.clear();
    ilFlags.clear();
    lbLanguages->clear();
    const QDir themeFolder(platform::QtFileName(ThemesFolder + StandardTheme));
    const QStringList folders =
        themeFolder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& folderName : folders) {
        const std::string folder = ThemesFolder + StandardTheme + "/" + platform::PathFromUnicode(folderName);
        if (!platform::FileExists(FindInFolder(folder, "flag.bmp")))
            continue;
        ilFlags.push_back(ReadPicture(folder + "/flag.bmp"));
        StartCaptions.push_back(StartCaption(folder + "/language.ini"));
        lbLanguages->addItem(folderName);
    }
}

void TfrmSelectLanguage::lbLanguagesClick()
{
    const int row = lbLanguages->currentRow();
    if (row < 0 || !lbLanguages->currentItem()->isSelected())
        return;
    btnSelect->setText(platform::AnsiToUnicode(StartCaptions.at(static_cast<size_t>(row))));
    btnSelect->setEnabled(true);
    btnSelect->show();
}

void TfrmSelectLanguage::btnSelectClick()
{
    close();
}

void TfrmSelectLanguage::FormClose()
{
    const std::string language = platform::PathFromUnicode(lbLanguages->currentItem()->text());
    platform::TIniFile settings(SettingsFilePath);
    settings.WriteString("Theme", "Name", StandardTheme);
    settings.WriteString("Theme", "Language", language);
    settings.UpdateFile();
}

void TfrmSelectLanguage::closeEvent(QCloseEvent* event)
{
    if (lbLanguages->selectedItems().isEmpty()) {
        event->ignore();
        return;
    }
    try {
        FormClose();
    } catch (const platform::EInOutError& error) {
        // A settings file that cannot be written must not keep the player here: the game
        // starts in its default language and asks again next time.
        platform::ErrorBox(error.what(), this);
    }
    event->accept();
    done(QDialog::Accepted);
}

void TfrmSelectLanguage::reject()
{
    close();
}

} // namespace game
