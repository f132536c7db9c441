#pragma once

#include <QObject>

#include "platform/report/report.h"

// The blank calculation: the same document as the calculation printout with
// empty boxes and lines where values would stand, printed as designed, to be
// filled in by hand.
class TForm10 : public QObject {
    Q_OBJECT
public:
    explicit TForm10(QObject* parent = nullptr);
    ~TForm10() override;

    tv::report::Report QuickRep1;
};

extern TForm10* Form10;
