#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The field catalogue of the costing sheet as data: every row of every group
// with its caption and its cells, walked once to build the form.
namespace costing {

// What a field holds, which decides its look and whether it may be typed in.
enum class Kind {
    In,    // typed by the operator
    Rate,  // typed, and also written by the initial settings
    Paper, // written by the paper and colour lines, and editable
    Copy,  // read-only mirror of the print run
    Out,   // written by a section routine or the summary
    Total, // read-only result
    Text,  // free text, never computed with
};

// One cell of a row: a control, or a fixed text between controls ("x", "zł").
struct Cell {
    QString name; // control name ("Edit7", "ComboBox4"); empty for a fixed text
    Kind kind = Kind::In;
    QString hint;
    QString design; // design text
    int width = 0;  // in average characters; 0 stretches
    QString fixed;  // fixed text when name is empty
};

struct Row {
    QString caption;
    QVector<Cell> cells;
};

struct Group {
    QString objectName; // "GroupBox2"; empty for a plain area
    QString title;
    QVector<Row> rows;
};

struct Tab {
    QString objectName; // "TabSheet1"
    QString title;
    QVector<Group> groups;
};

const QVector<Tab>& sheetCatalogue();

// The items of an option list.
QStringList percentItems(); // "0" to "100"
QStringList vatCodeItems(); // "0", "7", "22", "zw."
QStringList stitchingItems();
QStringList vatScopeItems();

} // namespace costing
