#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The small info box: the maker's contact lines, the manual and the web page.
class Tformatka_info : public QDialog {
    Q_OBJECT
public:
    explicit Tformatka_info(QWidget* parent = nullptr);

    QLabel* logo = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr; // OK
    QPushButton* Button2 = nullptr; // Instrukcja (hidden)
    QPushButton* Button3 = nullptr; // Strona WWW

    void Button1Click(QObject* Sender = nullptr);
    void Button2Click(QObject* Sender = nullptr);
    void Button3Click(QObject* Sender = nullptr);
};

// The maker's web page that "Strona WWW" opens.
inline constexpr const char* kMakerWebPage = "https://www.tarvelino.pl";

extern Tformatka_info* formatka_info;
