#pragma once
// The language choice of a first run: the language folders of the standard theme with their
// flags, and a button captioned in the chosen language. The choice goes into the settings file
// when the window closes, which it does only once a language is selected.
#include <QDialog>
#include <QPixmap>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace game {

class TfrmSelectLanguage : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 317;
    static constexpr int ClientHeight = 193;
    static constexpr int ItemHeight = 18;

    explicit TfrmSelectLanguage(QWidget* parent = nullptr);

    // Lists every folder of the standard theme that holds "flag.bmp", in name order.
    void EnumLanguages();
    // The selected item shows its caption on the select button.
    void lbLanguagesClick();
    void btnSelectClick();
    // Writes the theme and the selected language into the settings file.
    void FormClose();
    // Esc, like every other way out, waits for a choice.
    void reject() override;

    // Controls, by their names in the window's layout.
    QLabel* imgVelmora;
    QListWidget* lbLanguages;
    QPushButton* btnSelect;

    // One flag and one button caption per listed language, in list order.
    std::vector<QPixmap> ilFlags;
    std::vector<std::string> StartCaptions;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace game
