#pragma once

#include <optional>
#include <span>
#include <vector>

#include <QImage>
#include <QString>
#include <QStringList>

#include "invoicing/rules/printout_texts.h"
#include "platform/report/report.h"

// What the VAT invoice and the bill build and fill alike: designs held as
// tables of texts and columns, the header row of dates and payment, the
// party blocks and the picture of the title band.
namespace invoicing::printout {

// Names of the labels both printouts fill the same way.
inline const QString stampCaption = QStringLiteral("stampCaption");
inline const QString titleCaption = QStringLiteral("titleCaption");
inline const QString nrCaption = QStringLiteral("nrCaption");
inline const QString numberValue = QStringLiteral("numberValue");
inline const QString issueDate = QStringLiteral("issueDate");
inline const QString placeOfIssue = QStringLiteral("placeOfIssue");
inline const QString saleHeading = QStringLiteral("saleHeading");
inline const QString saleValue = QStringLiteral("saleValue");
inline const QString paymentTerm = QStringLiteral("paymentTerm");
inline const QString paymentForm = QStringLiteral("paymentForm");
inline const QString grossTotal = QStringLiteral("grossTotal");
inline const QString toPay = QStringLiteral("toPay");
inline const QString inWords = QStringLiteral("inWords");
inline const QString discountCaption = QStringLiteral("discountCaption");
inline const QString discountValue = QStringLiteral("discountValue");
inline const QString orderCaption = QStringLiteral("orderCaption");
inline const QString orderValue = QStringLiteral("orderValue");
inline const QString shippingCaption = QStringLiteral("shippingCaption");
inline const QString shippingValue = QStringLiteral("shippingValue");
inline const QString issuerName = QStringLiteral("issuerName");
inline const QString headerImage = QStringLiteral("QRImage1");
inline const QString sellerMemo = QStringLiteral("QRMemo1");
inline const QString customerMemo = QStringLiteral("QRMemo2");

// How a text stands: sized to itself, flush right in a box, wrapping in a
// box and growing downwards (left, right or centred).
enum class Box { Auto, Right, Wrap, RightWrap, CentreWrap };

// One text of a design: a fixed caption (no name) or a named label that the
// fill writes, with its design caption. All in Times New Roman.
struct Text {
    const char* name;
    const char* caption;
    double x;
    double y;
    double pointSize;
    int style = tv::report::Plain;
    Box box = Box::Auto;
    double width = 0;
    double height = 0;
};

// One column of a data band: the field, where it stands and how.
struct Column {
    const char* field;
    double x;
    Box box = Box::Auto;
    double width = 0;
};

struct Rule {
    double x;
    double y;
    double length;
};

tv::report::Font times(double pointSize, int style = tv::report::Plain);
void addTexts(tv::report::Band& band, std::span<const Text> texts);
// Each column's element is named after its field, with the prefix before it
// where a second band prints the same field.
void addColumns(tv::report::Band& band, std::span<const Column> columns, double y, double pointSize,
                const QString& namePrefix = QString());
void addRules(tv::report::Band& band, std::span<const Rule> rules);

// The title band's height and the y of its texts, for one paper kind.
struct TitlePlaces {
    double bandHeight;
    double stampY;
    double titleY;
    double nrY;
    double numberY;
    double copyCaptionY;
};
void placeTitle(tv::report::Report& report, const QString& titleBand, const QString& copyCaption,
                const TitlePlaces& places);

// Whether the administration says plain paper ("normalnym") rather than letterhead.
bool plainPaper();

// The header row: number, issue date, place, payment form and term, and the sale.
void fillHeaderRow(tv::report::Report& report);

// The invoice's seller and customer, looked up by the rows the operator chose
// when the printout is filled; none when nothing was chosen or the row is gone.
std::optional<PartyFields> chosenSeller();
std::optional<PartyFields> chosenCustomer();

// A party block and its bank lines; no party leaves them empty.
void fillParty(tv::report::Report& report, const QString& memo, const QStringList& block,
               const QStringList& bankLabels, const QStringList& bank);

// The amount in words wraps at the right margin rather than run off the page.
inline constexpr double inWordsX = 120;
inline constexpr double inWordsWidth = 598;

// Elements that stand under texts that wrap: the two party blocks, the
// amount in words. A text that wraps into more lines than its box holds
// pushes them down by what it overlaps, so nothing prints over it; otherwise
// they keep their design places.
class BelowBlocks {
public:
    void add(tv::report::Element& element);
    void place(const tv::report::Report& report, const tv::report::Element& seller,
               const tv::report::Element& customer);
    void place(const tv::report::Report& report, const tv::report::Element& above);

private:
    void placeUnder(double bottom);

    struct Placed {
        tv::report::Element* element;
        double designY;
    };
    std::vector<Placed> m_elements;
    double m_top = 0;
};

// Hands the totals band's elements that stand under the amount in words to below.
void addUnderWords(tv::report::Band& totals, BelowBlocks& below);

// Order, shipping and discount: caption and value, or both empty.
void fillOrderShippingDiscount(tv::report::Report& report);

// The title band's picture: the firm's logo with "logo na wydruku", else the
// background picture, from the working folder. A file that is missing or
// cannot be read leaves the box empty and the printout goes on.
QImage headerPicture();

} // namespace invoicing::printout
