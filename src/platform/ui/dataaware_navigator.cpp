#include "platform/ui/dataaware_navigator.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

#include "platform/ui/messages.h"

namespace tv::ui {

namespace {

constexpr DBNavigator::Button allButtons[] = {DBNavigator::Button::First,  DBNavigator::Button::Prior,
                                              DBNavigator::Button::Next,   DBNavigator::Button::Last,
                                              DBNavigator::Button::Insert, DBNavigator::Button::Delete,
                                              DBNavigator::Button::Edit,   DBNavigator::Button::Post,
                                              DBNavigator::Button::Cancel, DBNavigator::Button::Refresh};

// The glyphs are drawn rather than taken from the style, so that they look the
// same on every desktop: arrows, plus, minus, the edit triangle, check, cross
// and the circular refresh arrow, on a 16-unit square.
void drawGlyph(QPainter& painter, DBNavigator::Button which, const QColor& color) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    auto triangle = [&](QPointF a, QPointF b, QPointF c) { painter.drawPolygon(QPolygonF{a, b, c}); };
    QPen line(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (which) {
    case DBNavigator::Button::First:
        painter.drawRect(QRectF(3, 3, 2, 10));
        triangle({12, 3}, {12, 13}, {6, 8});
        break;
    case DBNavigator::Button::Prior:
        triangle({11, 3}, {11, 13}, {5, 8});
        break;
    case DBNavigator::Button::Next:
        triangle({5, 3}, {5, 13}, {11, 8});
        break;
    case DBNavigator::Button::Last:
        triangle({4, 3}, {4, 13}, {10, 8});
        painter.drawRect(QRectF(11, 3, 2, 10));
        break;
    case DBNavigator::Button::Insert:
        painter.drawRect(QRectF(7, 3, 2, 10));
        painter.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DBNavigator::Button::Delete:
        painter.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DBNavigator::Button::Edit:
        triangle({3, 12}, {13, 12}, {8, 4});
        break;
    case DBNavigator::Button::Post:
        painter.setPen(line);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF{{3, 8.5}, {6.5, 12}, {13, 4}});
        break;
    case DBNavigator::Button::Cancel:
        painter.setPen(line);
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case DBNavigator::Button::Refresh: {
        painter.setPen(QPen(color, 1.8, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        QPainterPath arc;
        arc.arcMoveTo(QRectF(3, 3, 10, 10), 90);
        arc.arcTo(QRectF(3, 3, 10, 10), 90, 270);
        painter.drawPath(arc);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        triangle({8, 0.5}, {8, 5.5}, {11.5, 3});
        break;
    }
    }
}

QIcon glyphIcon(DBNavigator::Button which, const QColor& normal, const QColor& disabled) {
    QIcon icon;
    for (int size : {16, 32}) {
        for (const auto& [mode, color] :
             {std::pair{QIcon::Normal, normal}, std::pair{QIcon::Disabled, disabled}}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.scale(size / 16.0, size / 16.0);
            drawGlyph(painter, which, color);
            painter.end();
            icon.addPixmap(pixmap, mode);
        }
    }
    return icon;
}

} // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const QColor normal = palette().color(QPalette::Active, QPalette::ButtonText);
    const QColor disabled = palette().color(QPalette::Disabled, QPalette::ButtonText);
    for (Button which : allButtons) {
        auto* button = new QToolButton(this);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(false);
        button->setIcon(glyphIcon(which, normal, disabled));
        button->setIconSize(QSize(16, 16));
        button->setMinimumSize(25, 25);
        connect(button, &QToolButton::clicked, this, [this, which] { click(which); });
        layout->addWidget(button);
        m_buttons.insert(which, button);
    }
    updateButtons();
}

void DBNavigator::setDataSource(DataSource* source) {
    if (m_source) disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        for (auto signal : {&DataSource::dataChanged, &DataSource::scrolled, &DataSource::stateChanged,
                            &DataSource::closed, &DataSource::tableChanged})
            connect(m_source, signal, this, &DBNavigator::updateButtons);
    }
    updateButtons();
}

void DBNavigator::setVisibleButtons(const QVector<Button>& buttons) {
    for (Button which : allButtons)
        m_buttons[which]->setVisible(buttons.contains(which));
}

QVector<DBNavigator::Button> DBNavigator::visibleButtons() const {
    QVector<Button> shown;
    for (Button which : allButtons)
        if (!m_buttons[which]->isHidden()) shown.append(which);
    return shown;
}

void DBNavigator::setHints(const QStringList& hints) {
    const QVector<Button> shown = visibleButtons();
    for (int i = 0; i < shown.size(); ++i) {
        const QString hint = i < hints.size() ? hints[i] : QString();
        m_buttons[shown[i]]->setToolTip(hint);
        m_buttons[shown[i]]->setStatusTip(hint);
        m_buttons[shown[i]]->setAccessibleName(hint);
    }
}

QToolButton* DBNavigator::button(Button which) const {
    return m_buttons.value(which);
}

void DBNavigator::click(Button which) {
    if (!m_source || !m_source->active() || !m_buttons[which]->isEnabled()) return;
    if (!runShowingErrors([&] { act(which); })) return;
    runShowingErrors([&] { emit clicked(which); });
}

void DBNavigator::act(Button which) {
    Table* table = m_source->table();
    switch (which) {
    case Button::First:
        table->first();
        break;
    case Button::Prior:
        table->prior();
        break;
    case Button::Next:
        table->next();
        break;
    case Button::Last:
        table->last();
        break;
    case Button::Insert:
        table->insert();
        break;
    case Button::Delete:
        if (!m_confirmDelete ||
            ui::askYesNo(QStringLiteral("Usunąć rekord?"), QStringLiteral("Potwierdzenie")))
            table->remove();
        break;
    case Button::Edit:
        table->edit();
        break;
    case Button::Post:
        m_source->updateRecord();
        table->post();
        break;
    case Button::Cancel:
        table->cancel();
        break;
    case Button::Refresh:
        table->refresh();
        break;
    }
}

void DBNavigator::updateButtons() {
    const bool active = m_source && m_source->active();
    const bool editing = active && m_source->editing();
    const int recNo = active ? m_source->table()->recNo() : 0;
    const int count = active ? m_source->table()->recordCount() : 0;
    const bool back = active && recNo > 1;
    const bool forward = active && recNo < count;
    const QHash<Button, bool> enabled{{Button::First, back},
                                      {Button::Prior, back},
                                      {Button::Next, forward},
                                      {Button::Last, forward},
                                      {Button::Insert, active},
                                      {Button::Delete, active && count > 0},
                                      {Button::Edit, active && !editing && count > 0},
                                      {Button::Post, editing},
                                      {Button::Cancel, editing},
                                      {Button::Refresh, active}};
    for (auto it = enabled.begin(); it != enabled.end(); ++it)
        m_buttons[it.key()]->setEnabled(it.value());
}

} // namespace tv::ui
