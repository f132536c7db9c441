#pragma once

#include <QChar>
#include <QDialog>
#include <QImage>

class QLabel;

namespace tv::ui {
class PanelButton;
}

// The invoicing welcome screen with its "S T A R T" panel, which hands over
// to the invoice window. It comes up once a run, over the invoice window the
// first time that window is shown, unless the administration's "pomiń ekran
// powitalny" is checked.
class TForm_fa8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm_fa8(QWidget* parent = nullptr);
    ~TForm_fa8() override;

    QLabel* Image1 = nullptr;              // hidden: the welcome picture, the source of the painting
    QLabel* Label2 = nullptr;              // "Uaktualnienia, informacje na stronie"
    QLabel* Label3 = nullptr;              // the maker's web address
    tv::ui::PanelButton* Panel1 = nullptr; // "S T A R T"

    void FormPaint(QObject* Sender = nullptr);
    void Panel1Click(QObject* Sender = nullptr);
    void FormKeyPress(QObject* Sender, QChar& Key);
    void Panel1MouseDown(QObject* Sender = nullptr);
    void Panel1MouseUp(QObject* Sender = nullptr);

    // Brings the screen up over the invoice window, or, with the option to
    // skip it, hands over to the invoice window at once.
    void welcome();
    // Whether the screen has come up in this run already.
    bool welcomedThisRun() const { return m_welcomed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_welcomed = false;
};

// The white panels of the two screens: pale yellow while pressed, yellow
// afterwards.
inline constexpr int kWhitePanelColour = 0xFFFFFF;
inline constexpr int kWhitePanelDownColour = 8454143;
inline constexpr int kWhitePanelUpColour = 4259839;

// The maker's web address and contact line the two screens show.
inline constexpr const char* kInvoicingWebAddress = "www.tarvelino.pl";
inline constexpr const char* kInvoicingContact = "Tarvelino, e-mail: biuro@tarvelino.pl";

// The picture of the welcome and info screens, drawn for the given size.
QImage invoicingScreenPicture(const QSize& size, const QString& subtitle);

extern TForm_fa8* Form_fa8;
