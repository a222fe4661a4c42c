#pragma once
// TfrmAbout: the utility's small about window, naming the program, its version and its purpose
// in the interface language.
#include <QDialog>

#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;

namespace utility {

class TfrmAbout : public QDialog {
public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    void SetAboutTexts(int32_t languageCode);
    void OKButtonClick();

    QFrame* panIcon = nullptr;
    QLabel* imgProgramIcon = nullptr;
    QFrame* bvCadre = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblInfo = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    // FormShow: the window always speaks the main window's current language.
    void showEvent(QShowEvent* event) override;
};

// The one about window of the utility.
extern TfrmAbout* frmAbout;

} // namespace utility
