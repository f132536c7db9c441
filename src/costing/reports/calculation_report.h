#pragma once

#include <QObject>
#include <QString>

#include "platform/report/report.h"

// The calculation printout: the priced job of the costing sheet on one or two
// A4 pages. The design is built once; WypelnijKalkulacje copies the sheet's
// current texts into the value labels just before each preview or print, and
// the paper-line band reads the paper dialog's lines itself while laid out.
class TForm7 : public QObject {
    Q_OBJECT
public:
    explicit TForm7(QObject* parent = nullptr);
    ~TForm7() override;

    // Raises the conversion error when an extras amount holds a text that is
    // not a number; the labels written before that point keep their new text.
    void WypelnijKalkulacje();

    tv::report::Report QuickRep1;
};

extern TForm7* Form7;
