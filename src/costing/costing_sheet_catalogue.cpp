#include "costing/costing_sheet_catalogue.h"

namespace costing {

namespace {

Cell field(const char* name, Kind kind, const char* hint = "", const char* design = "0", int width = 9) {
    return Cell{QString::fromLatin1(name), kind,  QString::fromUtf8(hint),
                QString::fromUtf8(design), width, {}};
}
Cell text(const char* name, const char* hint = "", int width = 0) {
    return Cell{QString::fromLatin1(name), Kind::Text, QString::fromUtf8(hint), QString(), width, {}};
}
Cell fixed(const char* caption) {
    return Cell{QString(), Kind::Text, {}, {}, 0, QString::fromUtf8(caption)};
}
Row row(const char* caption, QVector<Cell> cells) {
    return Row{QString::fromUtf8(caption), std::move(cells)};
}

QVector<Tab> buildCatalogue() {
    const Kind In = Kind::In, Rate = Kind::Rate, Paper = Kind::Paper, Copy = Kind::Copy, Out = Kind::Out,
               Total = Kind::Total;
    QVector<Tab> tabs;

    tabs.append(Tab{
        QStringLiteral("TabSheet1"),
        QStringLiteral("Przygotowanie do druku"),
        {
            Group{QStringLiteral("GroupBox1"),
                  QString(),
                  {
                      row("Kontrahent:", {field("ComboBox7", In, "", "", 24), field("SpeedButton10", In)}),
                      row("Nazwa druku:", {text("Edit1")}),
                      row("Nakład:", {field("Edit2", In, "", "1"), fixed("Format:"),
                                      field("DBLookupComboBox1", In, "", "", 8), field("SpeedButton12", In)}),
                      row("Dostarczone materiały:", {text("Edit3")}),
                      row("Dodatkowo:", {text("Edit4")}),
                      row("Papier/Kolor:", {field("Edit5", Paper), fixed("zł"), field("SpeedButton11", In)}),
                  }},
            Group{
                QStringLiteral("GroupBox2"),
                QStringLiteral("1. Przygotowanie do druku"),
                {
                    row("Teksty i fotografie:",
                        {text("Edit6"), field("Edit7", In, "Koszt przygotowania tekstów i fotografii"),
                         fixed("zł")}),
                    row("Projekt:", {text("Edit8"), field("Edit9", In, "Koszt projektu"), fixed("zł")}),
                    row("Skład komput.:", {field("Edit10", Paper, "Ilość stron czarno-białych"), fixed("x"),
                                           field("Edit11", Rate, "Koszt składu strony czarno-białej"),
                                           fixed("+"), field("Edit12", Paper, "Ilość stron kolorowych"),
                                           fixed("x"), field("Edit13", Rate, "Koszt składu strony kolorowej"),
                                           fixed("="), field("Edit14", Out, "Koszt składu"), fixed("zł")}),
                    row("Skanowanie:", {field("Edit15", In, "Ilość megabajtów"), fixed("MB x"),
                                        field("Edit16", Rate, "Koszt skanowania 1 megabajta"), fixed("="),
                                        field("Edit17", Out, "Koszt skanowania"), fixed("zł")}),
                    row("Fotonaświetlarka:", {field("Edit18", In, "Ilość metrów"), fixed("m x"),
                                              field("Edit19", Rate, "Koszt naświetlania 1 metra"), fixed("="),
                                              field("Edit20", Out, "Koszt naświetlania"), fixed("zł")}),
                    row("Razem:", {field("Edit21", Total, "Koszt przygotowania do druku"), fixed("zł")}),
                }},
        }});

    tabs.append(
        Tab{QStringLiteral("TabSheet2"),
            QStringLiteral("Materiał"),
            {
                Group{QStringLiteral("GroupBox3"),
                      QStringLiteral("2. Materiał"),
                      {
                          row("Papier:", {field("Edit22", Paper, "Koszt papieru"), fixed("x"),
                                          field("Edit23", Copy, "Nakład", "1"), fixed("="),
                                          field("Edit24", Out), fixed("zł")}),
                          row("Dodatki:", {text("Edit25"), field("Edit26", In), fixed("zł")}),
                          row("", {text("Edit27"), field("Edit28", In), fixed("zł")}),
                          row("Dodatki specjalne:", {text("Edit29"), field("Edit30", In), fixed("zł")}),
                          row("Płyty do druku tekstu:",
                              {field("Edit31", Paper, "Ilość płyt czarno-białych"), fixed("x"),
                               field("Edit32", Rate, "Koszt płyty czarno-białej"), fixed("="),
                               field("Edit33", Out, "Koszt płyt do druku tekstu"), fixed("zł")}),
                          row("Płyty do druku kolor.:",
                              {field("Edit34", Paper, "Ilość płyt do druku kolorowego"), fixed("x"),
                               field("Edit35", Rate, "Koszt płyty kolorowej"), fixed("="),
                               field("Edit36", Out, "Koszt płyt do druku kolorowego"), fixed("zł")}),
                          row("Materiał razem:", {field("Edit37", Total), fixed("zł")}),
                          row("Narzut do materiału:", {field("ComboBox4", Rate, "", "0", 5), fixed("%"),
                                                       field("Edit38", Total), fixed("zł")}),
                          row("Razem:", {field("Edit39", Total), fixed("zł")}),
                      }},
            }});

    tabs.append(Tab{
        QStringLiteral("TabSheet3"),
        QStringLiteral("Robocizna"),
        {
            Group{QStringLiteral("GroupBox4"),
                  QStringLiteral("3. Robocizna"),
                  {
                      row("Lakierowanie:", {field("Edit41", In), fixed("zł")}),
                      row("Sztancowanie:", {field("Edit43", In), fixed("zł")}),
                      row("Pakowanie:", {field("Edit71", In), fixed("zł")}),
                      row("Klejenie:", {field("Edit70", In), fixed("zł")}),
                      row("Falcowanie:",
                          {field("Edit40", Paper), fixed("x"), field("Edit78", Rate, "Koszt 1 zgięcia"),
                           fixed("="), field("Edit79", Out, "Całkowity koszt falcowania"), fixed("zł")}),
                      row("Transport (ilość km):",
                          {field("Edit72", In), fixed("x"), field("Edit73", Rate, "Koszt 1 km"), fixed("="),
                           field("Edit74", Out, "Koszt transportu"), fixed("zł")}),
                      row("Razem:", {field("Edit44", Total), fixed("zł")}),
                  }},
            Group{QStringLiteral("GroupBox5"),
                  QStringLiteral("4. Robocizna bezpośrednia"),
                  {
                      row("Druk czarno-biały:",
                          {field("Edit45", Paper, "Ilość płyt czarno-białych"), fixed("x"),
                           field("Edit46", Copy, "Nakład", "1"), fixed("x"),
                           field("Edit47", Rate, "Cena przelotu 1 arkusza czarno-białego"), fixed("="),
                           field("Edit48", Out), fixed("zł")}),
                      row("Druk kolorowy:", {field("Edit49", Paper, "Ilość płyt kolorowych"), fixed("x"),
                                             field("Edit50", Copy, "Nakład", "1"), fixed("x"),
                                             field("Edit51", Rate, "Koszt przelotu 1 arkusza kolorowego"),
                                             fixed("="), field("Edit52", Out), fixed("zł")}),
                      row("Szycie:", {field("ComboBox5", In, "", "Bez szycia", 14), fixed("x"),
                                      field("Edit75", Copy, "Nakład", "1"), fixed("x"),
                                      field("Edit77", Rate, "Koszt 1 zszywki"), fixed("="),
                                      field("Edit76", Out), fixed("zł")}),
                      row("Cięcie (ilość godzin):",
                          {field("Edit53", In), fixed("x"), field("Edit54", Rate, "Koszt 1 godziny cięcia"),
                           fixed("="), field("Edit55", Out, "Koszt cięcia"), fixed("zł")}),
                      row("Inne (ilość godzin):",
                          {field("Edit56", In), fixed("x"), field("Edit57", Rate, "Stawka godzinowa"),
                           fixed("="), field("Edit58", Out), fixed("zł")}),
                      row("Razem:", {field("Edit59", Total, "Koszt robocizny bezpośredniej"), fixed("zł")}),
                  }},
        }});

    tabs.append(
        Tab{QStringLiteral("TabSheet4"),
            QStringLiteral("Podsumowanie"),
            {
                Group{QStringLiteral("GroupBoxRabat"),
                      QStringLiteral("Rabat"),
                      {row("", {field("ComboBox3", In, "", "0", 5), fixed("% od ceny netto"),
                                field("Edit60", Out)})}},
                Group{QStringLiteral("GroupBoxTermin"),
                      QStringLiteral("Termin wykonania"),
                      {row("", {field("DateTimePicker1", In, "", "", 15)})}},
                Group{QStringLiteral("GroupBoxUwagi"), QStringLiteral("Uwagi"), {row("", {text("Edit69")})}},
                Group{QString(),
                      QString(),
                      {row("ISSN:", {text("Edit42")}),
                       row("VAT:", {field("ComboBox6", In, "", "do całości", 15)})}},
                Group{QStringLiteral("GroupBoxPodsumowanie"),
                      QStringLiteral("Podsumowanie"),
                      {
                          row("Robocizna razem:", {field("Edit61", Out), fixed("zł")}),
                          row("Zysk od robocizny bezp.:", {field("ComboBox2", Rate, "", "0", 5), fixed("%"),
                                                           field("Edit62", Out), fixed("zł")}),
                          row("Robocizna bezp.:", {field("Edit63", Out), fixed("zł")}),
                          row("Pozycje 1-4 razem netto:", {field("Edit64", Out), fixed("zł")}),
                          row("Zaokrąglenie:", {field("Edit65", Out), fixed("zł")}),
                          row("Podatek:", {field("ComboBox1", Rate, "", "22", 5), fixed("%"),
                                           field("Edit66", Out), fixed("zł")}),
                          row("Cena brutto:", {field("Edit67", Out), fixed("zł")}),
                          row("Cena jednostkowa:", {field("Edit68", Out), fixed("zł")}),
                      }},
            }});
    return tabs;
}

} // namespace

const QVector<Tab>& sheetCatalogue() {
    static const QVector<Tab> catalogue = buildCatalogue();
    return catalogue;
}

QStringList percentItems() {
    QStringList items;
    for (int i = 0; i <= 100; ++i)
        items << QString::number(i);
    return items;
}

QStringList vatCodeItems() {
    return {QStringLiteral("0"), QStringLiteral("7"), QStringLiteral("22"), QStringLiteral("zw.")};
}

QStringList stitchingItems() {
    return {QStringLiteral("Bez szycia"), QStringLiteral("1 zszywka"), QStringLiteral("2 zszywki")};
}

QStringList vatScopeItems() {
    return {QStringLiteral("do całości"), QStringLiteral("do części I")};
}

} // namespace costing
