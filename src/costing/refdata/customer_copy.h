#pragma once

#include <array>

#include <QDialog>

#include "platform/table.h"

class QComboBox;

namespace tv::ui {
class DBEdit;
class DBNavigator;
class DataSource;
class SpeedButton;
} // namespace tv::ui

// The costing module's own view of the customers: created with every form and
// never shown, kept with its two commands.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    tv::Table* kontrahenci = nullptr;
    tv::Query* Query1 = nullptr;
    tv::ui::DataSource* DataSource1 = nullptr;
    tv::ui::DBNavigator* DBNavigator1 = nullptr;
    std::array<tv::ui::DBEdit*, 16> DBEdits{};
    QComboBox* ComboBox1 = nullptr;              // sort column
    tv::ui::SpeedButton* SpeedButton1 = nullptr; // Zamknij
    tv::ui::SpeedButton* SpeedButton2 = nullptr; // Sortuj wg:

    void SpeedButton1Click(QObject* Sender = nullptr);
    void SpeedButton2Click(QObject* Sender = nullptr);
};

extern TForm2* Form2;
