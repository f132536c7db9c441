#include "platform/ui/controls.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QValidator>
#include <QVariant>

#include "platform/errors.h"
#include "platform/textfile.h"
#include "platform/ui/messages.h"

namespace tv::ui {

void guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const EAbort&) {
    } catch (const Error& e) {
        showErrorBox(e.message());
    } catch (const std::exception& e) {
        showErrorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("Nieznany błąd"));
    }
}

namespace {

void moveToCentre(QWidget* window) {
    if (QScreen* screen = window->screen()) {
        // A window moves by its frame: the frame, not only the client area,
        // goes to the middle.
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

// Centres the window again when it is first shown and framed.
class CentreOnFirstShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(watched);
            moveToCentre(window);
            // The frame's size is known once the window system has framed it.
            QTimer::singleShot(0, window, [window] { moveToCentre(window); });
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void centreOnScreen(QWidget* window) {
    moveToCentre(window);
    if (!window->isVisible()) window->installEventFilter(new CentreOnFirstShow(window));
}

QColor fromTColor(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int virtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
        return VK_TAB;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_F1:
        return 112;
    default:
        break;
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey; // the virtual-key codes of digits and letters are their ASCII capitals
    return qtKey & 0xFFFF;
}

namespace {

// Focus moves caused by another window or a popup are not moves between the
// controls of one form.
bool isMoveWithinForm(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// The control that last had the focus in each window. A form keeps its
// focused control while another window is active, so the control that gets
// the focus back on reactivation has not been entered again.
QHash<QWidget*, QPointer<QWidget>>& lastFocused() {
    static QHash<QWidget*, QPointer<QWidget>> map;
    static const bool tracking = [] {
        // Emitted after the focus events, so a FocusIn handler still sees the
        // window's previous control.
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
            if (now) map[now->window()] = now;
        });
        return true;
    }();
    Q_UNUSED(tracking);
    return map;
}

class EventHook : public QObject {
public:
    explicit EventHook(QWidget* control) : QObject(control) {
        lastFocused();
        control->installEventFilter(this);
    }
    std::function<void()> enter;
    std::function<void()> exit;
    std::function<void(int&, Qt::KeyboardModifiers)> keyDown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn: {
            auto* control = static_cast<QWidget*>(watched);
            if (enter && lastFocused().value(control->window()) != control) guard(enter);
            break;
        }
        case QEvent::FocusOut:
            if (exit && isMoveWithinForm(static_cast<QFocusEvent*>(event)->reason())) guard(exit);
            break;
        case QEvent::KeyPress:
            if (keyDown) {
                auto* key = static_cast<QKeyEvent*>(event);
                int vk = virtualKey(key->key());
                guard([&] { keyDown(vk, key->modifiers()); });
                if (vk == 0) return true;
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

EventHook* hookOf(QWidget* control) {
    static const char* const property = "_tvEventHook";
    if (auto* hook = static_cast<EventHook*>(control->property(property).value<void*>())) return hook;
    auto* hook = new EventHook(control);
    control->setProperty(property, QVariant::fromValue<void*>(hook));
    return hook;
}

} // namespace

void onEnter(QWidget* control, std::function<void()> handler) {
    hookOf(control)->enter = std::move(handler);
}
void onExit(QWidget* control, std::function<void()> handler) {
    hookOf(control)->exit = std::move(handler);
}
void onKeyDown(QWidget* control, std::function<void(int&, Qt::KeyboardModifiers)> handler) {
    hookOf(control)->keyDown = std::move(handler);
}

namespace {

// Drops the characters the code page lacks from what is typed or pasted,
// keeping the cursor after the characters that stay.
class Cp1250Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        if (std::all_of(input.cbegin(), input.cend(), [](QChar c) { return inCp1250(c); })) return Acceptable;
        const QString before = keepCp1250(input.left(pos));
        input = before + keepCp1250(input.mid(pos));
        pos = int(before.size());
        return Acceptable;
    }
    void fixup(QString& input) const override { input = keepCp1250(input); }
};

} // namespace

void keepToCodePage1250(QLineEdit* edit) {
    if (edit && !dynamic_cast<const Cp1250Validator*>(edit->validator()))
        edit->setValidator(new Cp1250Validator(edit));
}

void keepToCodePage1250(QComboBox* combo) {
    if (combo && combo->lineEdit()) keepToCodePage1250(combo->lineEdit());
}

void onChange(QLineEdit* edit, std::function<void()> handler) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [h = std::move(handler)] { guard(h); });
}

namespace {

// An editable combo box reports its typed text once more as "activated" when
// the operator leaves it or presses Enter. The typing has already been
// reported, so that second report is nobody's choice and is dropped.
class ComboFinishFilter : public QObject {
public:
    explicit ComboFinishFilter(QLineEdit* edit) : QObject(edit) { edit->installEventFilter(this); }
    bool finishing = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        bool finishes = event->type() == QEvent::FocusOut;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            finishes = key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        if (finishes) {
            // Everything this event reports is part of the finish; the flag
            // ends once the event has been handled.
            finishing = true;
            QTimer::singleShot(0, this, [this] { finishing = false; });
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void onChange(QComboBox* combo, std::function<void()> handler) {
    auto shared = std::make_shared<std::function<void()>>(std::move(handler));
    ComboFinishFilter* finish = combo->lineEdit() ? new ComboFinishFilter(combo->lineEdit()) : nullptr;
    QObject::connect(combo, &QComboBox::textActivated, combo, [shared, finish] {
        if (finish && finish->finishing) return;
        guard(*shared);
    });
    if (combo->lineEdit())
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, [shared, finish] {
            finish->finishing = false;
            guard(*shared);
        });
}

void onClick(QCheckBox* box, std::function<void()> handler) {
    QObject::connect(box, &QCheckBox::toggled, box, [h = std::move(handler)] { guard(h); });
}

void onClick(QRadioButton* button, std::function<void()> handler) {
    QObject::connect(button, &QRadioButton::clicked, button, [h = std::move(handler)] { guard(h); });
}

void onClick(QAbstractButton* button, std::function<void()> handler) {
    QObject::connect(button, &QAbstractButton::clicked, button, [h = std::move(handler)] { guard(h); });
}

void onClick(PanelButton* panel, std::function<void()> handler) {
    QObject::connect(panel, &PanelButton::clicked, panel, [h = std::move(handler)] { guard(h); });
}

SpeedButton::SpeedButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
    setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}

PanelButton::PanelButton(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    applyLook();
}

void PanelButton::setColours(int normalBgr, int pressedBgr, const QColor& textColour) {
    m_look = PressLook::Colour;
    m_normal = normalBgr;
    m_pressed = pressedBgr;
    m_text = textColour;
    m_colour = normalBgr;
    applyLook();
}

void PanelButton::setPressLook(PressLook look) {
    m_look = look;
    applyLook();
}

void PanelButton::setColour(int bgr) {
    m_colour = bgr;
    applyLook();
}

void PanelButton::setLowered(bool lowered) {
    m_lowered = lowered;
    applyLook();
}

void PanelButton::applyLook() {
    if (m_look == PressLook::Bevel) {
        setFrameStyle(QFrame::Panel | (m_lowered ? QFrame::Sunken : QFrame::Raised));
        setLineWidth(2);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    QPalette p = palette();
    if (m_colour >= 0) p.setColor(QPalette::Window, fromTColor(m_colour));
    p.setColor(QPalette::WindowText, m_text);
    setPalette(p);
}

void PanelButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
    m_down = true;
    if (onMouseDown)
        guard(onMouseDown);
    else if (m_look == PressLook::Bevel)
        setLowered(true);
    else if (m_pressed >= 0)
        setColour(m_pressed);
}

void PanelButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_down) return QLabel::mouseReleaseEvent(event);
    m_down = false;
    if (onMouseUp)
        guard(onMouseUp);
    else if (m_look == PressLook::Bevel)
        setLowered(false);
    else if (m_normal >= 0)
        setColour(m_normal);
    if (rect().contains(event->position().toPoint())) emit clicked();
}

} // namespace tv::ui
