#include "costing/costing_sheet.h"

#include <array>

#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>
#include <QVariant>

#include "costing/refdata/paper_colour.h"
#include "costing/rules/rounding.h"
#include "platform/convert.h"
#include "platform/ui/controls.h"
#include "platform/ui/field_chain.h"

using tv::ui::chain::put;

namespace {

using Handler = void (TForm1::*)(QObject*);
using KeyHandler = void (TForm1::*)(QObject*, int&, Qt::KeyboardModifiers);

enum class Check { Liczba, Kwota };

// One input field of the sheet: how its text is checked, which section its
// handlers recompute, whether an accepted change recomputes at once (otherwise
// only leaving the field does), and its four handlers. Section 0: the field
// recomputes nothing of its own (the print run and the header's paper cost).
struct FieldRule {
    int number;
    Check check;
    int section;
    bool atOnce;
    Handler enter;
    Handler change;
    Handler exit;
    KeyHandler keyDown; // none for the folds, where Enter does nothing
};

// Every input field of the sheet, once: its number, check, section, whether
// an accepted change recomputes at once, and how its handlers are written:
// Plain fields differ from their neighbours only by this row, Own fields have
// handlers of their own below, NoKey fields have no key-down handler.
// clang-format off
#define TV_INPUT_FIELDS(X) \
    X(2,  Liczba, 0, false, Own) /* print run, copied into its mirrors */ \
    X(5,  Kwota,  0, false, Own) /* paper cost of the job, copied into Edit22 on leaving */ \
    X(7,  Kwota,  1, false, Plain) \
    X(9,  Kwota,  1, false, Plain) \
    X(10, Kwota,  1, true,  Plain) \
    X(11, Kwota,  1, false, Plain) \
    X(12, Kwota,  1, true,  Plain) \
    X(13, Kwota,  1, true,  Plain) \
    X(14, Kwota,  1, true,  Plain) \
    X(15, Liczba, 1, false, Plain) \
    X(16, Kwota,  1, false, Plain) \
    X(17, Kwota,  1, true,  Plain) \
    X(18, Liczba, 1, false, Plain) \
    X(19, Kwota,  1, false, Plain) \
    X(20, Kwota,  1, true,  Plain) \
    X(22, Kwota,  2, true,  Plain) \
    X(23, Kwota,  2, true,  Plain) \
    X(24, Kwota,  2, false, Plain) \
    X(26, Kwota,  2, false, Plain) \
    X(28, Kwota,  2, false, Plain) \
    X(30, Kwota,  2, false, Plain) \
    X(31, Kwota,  2, true,  Plain) \
    X(32, Kwota,  2, false, Plain) \
    X(33, Kwota,  2, true,  Plain) \
    X(34, Kwota,  2, true,  Plain) \
    X(35, Kwota,  2, false, Plain) \
    X(36, Kwota,  2, true,  Plain) \
    X(40, Kwota,  3, false, NoKey) /* folds: Enter does nothing */ \
    X(41, Kwota,  3, false, Plain) \
    X(43, Kwota,  3, false, Plain) \
    X(70, Kwota,  3, false, Plain) \
    X(71, Kwota,  3, false, Plain) \
    X(72, Kwota,  3, false, Plain) \
    X(73, Kwota,  3, false, Plain) \
    X(74, Kwota,  3, false, Plain) \
    X(78, Kwota,  3, false, Plain) \
    X(79, Kwota,  3, false, Plain) \
    X(45, Kwota,  4, true,  Plain) \
    X(46, Kwota,  4, true,  Plain) \
    X(47, Kwota,  4, false, Plain) \
    X(48, Kwota,  4, false, Plain) \
    X(49, Kwota,  4, true,  Plain) \
    X(50, Kwota,  4, true,  Plain) \
    X(51, Kwota,  4, false, Plain) \
    X(52, Kwota,  4, true,  Plain) \
    X(53, Liczba, 4, false, Plain) \
    X(54, Kwota,  4, false, Plain) \
    X(55, Kwota,  4, false, Plain) \
    X(56, Liczba, 4, false, Plain) \
    X(57, Kwota,  4, false, Plain) \
    X(58, Kwota,  4, false, Plain) \
    X(75, Kwota,  4, true,  Plain) \
    X(76, Kwota,  4, false, Plain) \
    X(77, Kwota,  4, false, Plain)
// clang-format on

#define TV_KEY_Plain(n) &TForm1::Edit##n##KeyDown
#define TV_KEY_Own(n) &TForm1::Edit##n##KeyDown
#define TV_KEY_NoKey(n) nullptr
#define TV_RULE(n, check, section, atOnce, kind)                                                             \
    {n,                                                                                                      \
     Check::check,                                                                                           \
     section,                                                                                                \
     atOnce,                                                                                                 \
     &TForm1::Edit##n##Enter,                                                                                \
     &TForm1::Edit##n##Change,                                                                               \
     &TForm1::Edit##n##Exit,                                                                                 \
     TV_KEY_##kind(n)},

const FieldRule kRules[] = {TV_INPUT_FIELDS(TV_RULE)};

#undef TV_RULE
#undef TV_KEY_NoKey
#undef TV_KEY_Own
#undef TV_KEY_Plain

// The sheet's fields by number, for the rules above.
#define TV_EDIT_MEMBER(n) &TForm1::Edit##n,
constexpr QLineEdit* TForm1::*kEditMembers[] = {nullptr, TV_SHEET_EDITS(TV_EDIT_MEMBER)};
#undef TV_EDIT_MEMBER

QLineEdit* editOf(TForm1& form, int number) {
    return form.*kEditMembers[number];
}

const FieldRule& ruleOf(int number) {
    static const auto byNumber = [] {
        std::array<const FieldRule*, 80> table{};
        for (const FieldRule& rule : kRules)
            table[rule.number] = &rule;
        return table;
    }();
    return *byNumber[number];
}

// What the sheet remembers about its fields while the operator edits them.
class FieldState : public QObject {
public:
    explicit FieldState(TForm1* form) : QObject(form) {}
    ~FieldState() override;

    // The field whose Enter ran last and that has not been left since: the
    // one the operator is editing, whose remembered text poprzedniTekst is.
    QLineEdit* edited = nullptr;
    // Every field's own last accepted text, for a text the program sets into a
    // field that is not being edited and that fails its check.
    std::array<QString, 80> lastAccepted;
};

TForm1* g_stateForm = nullptr;
FieldState* g_state = nullptr;

FieldState::~FieldState() {
    if (g_state == this) {
        g_state = nullptr;
        g_stateForm = nullptr;
    }
}

const char* const kStateProperty = "_tvFieldState";

FieldState& stateOf(TForm1& form) {
    if (g_stateForm != &form) {
        g_state = static_cast<FieldState*>(form.property(kStateProperty).value<void*>());
        g_stateForm = &form;
    }
    return *g_state;
}

void runSection(TForm1& form, int section) {
    switch (section) {
    case 1:
        form.PrzeliczPrzygotowanie();
        break;
    case 2:
        form.PrzeliczMaterial();
        break;
    case 3:
        form.PrzeliczRobocizne();
        break;
    case 4:
        form.PrzeliczRobocizneBezposrednia();
        break;
    default:
        break;
    }
}

bool passes(Check check, const QString& text) {
    return check == Check::Liczba ? CzyLiczba(text) : CzyKwota(text);
}

void fieldEnter(TForm1& form, int number) {
    FieldState& state = stateOf(form);
    QLineEdit* field = editOf(form, number);
    state.edited = field;
    form.poprzedniTekst = field->text();
    state.lastAccepted[number] = field->text();
}

// The text stays only when it is empty (the operator is still typing) or
// passes the field's check; otherwise the last accepted text comes back
// without a word. Returns whether the text was accepted.
bool fieldChange(TForm1& form, int number) {
    FieldState& state = stateOf(form);
    const FieldRule& rule = ruleOf(number);
    QLineEdit* field = editOf(form, number);
    const QString text = field->text();
    if (!text.isEmpty() && !passes(rule.check, text)) {
        // Setting the old text runs this handler again, which accepts it.
        put(field, state.edited == field ? form.poprzedniTekst : state.lastAccepted[number]);
        return false;
    }
    state.lastAccepted[number] = text;
    // Only the field being edited owns the remembered text: the cascade's
    // writes into other fields must not become what a rejected keystroke restores.
    if (state.edited == field) form.poprzedniTekst = text;
    if (rule.atOnce) runSection(form, rule.section);
    return true;
}

void fieldExit(TForm1& form, int number) {
    QLineEdit* field = editOf(form, number);
    if (field->text().isEmpty()) put(field, QStringLiteral("0"));
    runSection(form, ruleOf(number).section);
}

// Enter works as leaving the field, without leaving it.
void fieldKeyDown(TForm1& form, int number, QObject* sender, int key) {
    if (key == tv::ui::VK_RETURN) (form.*ruleOf(number).exit)(sender);
}

} // namespace

void TForm1::bindFieldHandlers() {
    setProperty(kStateProperty, QVariant::fromValue<void*>(new FieldState(this)));
    FieldState& state = stateOf(*this);
    using tv::ui::chain::runHandler;

    for (const FieldRule& rule : kRules) {
        QLineEdit* field = editOf(*this, rule.number);
        state.lastAccepted[rule.number] = field->text();
        tv::ui::onEnter(field, [this, field, h = rule.enter] { runHandler([&] { (this->*h)(field); }); });
        tv::ui::onChange(field, [this, field, h = rule.change] { runHandler([&] { (this->*h)(field); }); });
        tv::ui::onExit(field, [this, field, h = rule.exit] {
            // The field has been left, also when its exit stops with an error:
            // it is no longer the one being edited.
            const auto left = qScopeGuard([this, field] {
                FieldState& s = stateOf(*this);
                if (s.edited == field) s.edited = nullptr;
            });
            runHandler([&] { (this->*h)(field); });
        });
        if (rule.keyDown) {
            tv::ui::onKeyDown(field, [this, field, h = rule.keyDown](int& key, Qt::KeyboardModifiers shift) {
                runHandler([&] { (this->*h)(field, key, shift); });
            });
        }
    }

    // The section totals run the summary when they change.
    for (QLineEdit* total : {Edit21, Edit39, Edit44, Edit59})
        tv::ui::onChange(total, [this, total] { runHandler([&] { Edit21Change(total); }); });

    // Option lists: only the operator's choice or typing runs them, and the
    // operator chooses in the active window. Qt also reports a "choice" when
    // an edited list loses the focus because its window goes away (closing,
    // destroying the sheet), which is nobody's choice.
    auto bindList = [this](QComboBox* list, Handler handler) {
        tv::ui::onChange(list, [this, list, handler] {
            if (!list->isActiveWindow()) return;
            runHandler([&] { (this->*handler)(list); });
        });
    };
    bindList(ComboBox1, &TForm1::Edit21Change);
    bindList(ComboBox2, &TForm1::Edit21Change);
    bindList(ComboBox3, &TForm1::Edit21Change);
    bindList(ComboBox4, &TForm1::Edit22Change);
    bindList(ComboBox5, &TForm1::Edit45Change);
    bindList(ComboBox6, &TForm1::ComboBox6Change);
    // ComboBox7Exit stays unbound: choosing a customer does not bring the
    // customer's discount into the sheet.
}

void TForm1::ComboBox6Change(QObject*) {
    PrzeliczPodsumowanie();
}

void TForm1::ComboBox7Exit(QObject*) {
    const QString id = ComboBox7->currentText();
    QString discount = QStringLiteral("0");
    if (!id.isEmpty()) {
        kontrahenci->open();
        for (kontrahenci->first(); !kontrahenci->eof(); kontrahenci->next()) {
            if (kontrahenci->fieldByName(QStringLiteral("Id")).asString() == id) {
                // An empty discount reads as 0.
                discount = tv::FloatToStr(kontrahenci->fieldByName(QStringLiteral("Rabat")).asFloat());
                break;
            }
        }
    }
    ComboBox3->setEditText(discount);
    PrzeliczPodsumowanie();
}

// The print run: checked as a number, then copied into its four mirrors on the
// other tabs, whether the keystroke was accepted or undone; each mirror's own
// handler recomputes its section when its text changes.
void TForm1::Edit2Enter(QObject*) {
    fieldEnter(*this, 2);
}

void TForm1::Edit2Change(QObject*) {
    fieldChange(*this, 2);
    for (QLineEdit* mirror : {Edit23, Edit46, Edit50, Edit75})
        put(mirror, Edit2->text());
}

void TForm1::Edit2Exit(QObject*) {
    tv::ui::chain::Scope scope;
    const QString run = Edit2->text();
    if (run.isEmpty() || tv::StrToFloat(run) <= 0.0) put(Edit2, QStringLiteral("1"));
    if (Form4) Form4->PrzeliczPapier();
    PrzeliczPodsumowanie();
}

void TForm1::Edit2KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers) {
    fieldKeyDown(*this, 2, Sender, Key);
}

// The paper cost of the header reaches section 2 only when the field is left.
void TForm1::Edit5Enter(QObject*) {
    fieldEnter(*this, 5);
}
void TForm1::Edit5Change(QObject*) {
    fieldChange(*this, 5);
}

void TForm1::Edit5Exit(QObject*) {
    tv::ui::chain::Scope scope;
    if (Edit5->text().isEmpty()) put(Edit5, QStringLiteral("0"));
    put(Edit22, Edit5->text());
}

void TForm1::Edit5KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers) {
    fieldKeyDown(*this, 5, Sender, Key);
}

// Every other field differs from its neighbours only by its row of the list.
#define TV_DEFINE_ENTER_CHANGE_EXIT(n)                                                                       \
    void TForm1::Edit##n##Enter(QObject*) {                                                                  \
        fieldEnter(*this, n);                                                                                \
    }                                                                                                        \
    void TForm1::Edit##n##Change(QObject*) {                                                                 \
        fieldChange(*this, n);                                                                               \
    }                                                                                                        \
    void TForm1::Edit##n##Exit(QObject*) {                                                                   \
        tv::ui::chain::Scope scope;                                                                          \
        fieldExit(*this, n);                                                                                 \
    }
#define TV_DEFINE_Plain(n)                                                                                   \
    TV_DEFINE_ENTER_CHANGE_EXIT(n)                                                                           \
    void TForm1::Edit##n##KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers) {                        \
        fieldKeyDown(*this, n, Sender, Key);                                                                 \
    }
#define TV_DEFINE_NoKey(n) TV_DEFINE_ENTER_CHANGE_EXIT(n)
#define TV_DEFINE_Own(n)
#define TV_DEFINE(n, check, section, atOnce, kind) TV_DEFINE_##kind(n)

TV_INPUT_FIELDS(TV_DEFINE)

#undef TV_DEFINE
#undef TV_DEFINE_Own
#undef TV_DEFINE_NoKey
#undef TV_DEFINE_Plain
#undef TV_DEFINE_ENTER_CHANGE_EXIT
#undef TV_INPUT_FIELDS
