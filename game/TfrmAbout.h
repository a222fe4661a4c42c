#pragma once
// The about window: the game's title and version on the theme's picture, with links to the
// maker's site, two mail addresses and the association. Shown modally over the main window; it
// closes only through OK (or Esc) or when the main window closes it.
#include <QDialog>

#include <cstdint>
#include <string>

class QLabel;

namespace game {

class TPictureButton;

// The subject of the mails the window starts.
inline const std::string AboutMailSubject = "Le%20Jeu%20du%20Garvo";

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 500;
    static constexpr int ClientHeight = 300;

    explicit TfrmAbout(QWidget* parent = nullptr);
    ~TfrmAbout() override;

    // Loads the texts and takes the main window's logo; frmAbout is this window by then.
    void FormCreate();

    int32_t Tag = 0; // 1 lets the window close

    // Controls, by their names in the window's layout.
    QLabel* imgBackground;
    QLabel* lblTitleShadow;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblContactAuthors;
    QLabel* lblEmail1;
    QLabel* lblEmail2;
    QLabel* lblUpdates;
    QLabel* lblUrlAddress;
    QLabel* imgLogo;
    QLabel* imgUmbo;
    TPictureButton* btnOk;

    void FormShow();
    void btnOKClick();
    void FormKeyUp(int key);
    // The site of the clicked control: lblUrlAddress and imgLogo the maker's, in the player's
    // language; imgUmbo the association's.
    void UrlTo(const QWidget* sender);
    // A mail to the address of the clicked label.
    void Mailto(const QLabel* sender);

signals:
    // F1.
    void HelpRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void PlaceControls();
    void ConnectControls();
};

extern TfrmAbout* frmAbout;

} // namespace game
