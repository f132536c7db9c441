#pragma once

#include <functional>

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tv::ui {

// Runs one event handler. An exception that escapes it skips the handler's
// remaining steps and is shown in the application's standard error box;
// the program goes on. EAbort is silent.
void guard(const std::function<void()>& handler);

// Places a window in the middle of its screen.
void centreOnScreen(QWidget* window);

// A colour given as the form library's 0x00BBGGRR value (8257541 is navy).
QColor fromTColor(int bgr);

// Virtual-key codes of the keys the forms look at.
enum VirtualKey : int {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_ESCAPE = 27,
    VK_INSERT = 45,
    VK_DELETE = 46
};
int virtualKey(int qtKey);

// Enter runs when the control receives the focus, Exit when the focus moves to
// another control of the same form (not when another window is activated or a
// menu pops up, and not for controls that take no focus).
void onEnter(QWidget* control, std::function<void()> handler);
void onExit(QWidget* control, std::function<void()> handler);
// Key down with the virtual-key code; a handler that sets the key to 0 consumes it.
void onKeyDown(QWidget* control, std::function<void(int& key, Qt::KeyboardModifiers shift)> handler);

// Keeps what the operator types or pastes into the edit to the characters
// code page 1250 has, so that a text stored in a table or saved in a side file
// is the text on screen: any other character is dropped before it reaches the
// text. Code setting the text is not checked.
void keepToCodePage1250(QLineEdit* edit);
void keepToCodePage1250(QComboBox* combo); // its line edit, when editable

// Change of an edit's text, by the operator or by code (only a real change).
void onChange(QLineEdit* edit, std::function<void()> handler);
// A combo box's change: only the operator's choice or typing, never code.
void onChange(QComboBox* combo, std::function<void()> handler);
// A check box's click: every real change of state, from code too.
void onClick(QCheckBox* box, std::function<void()> handler);
void onClick(QRadioButton* button, std::function<void()> handler);
void onClick(QAbstractButton* button, std::function<void()> handler);

// A speed button: a flat tool button that never takes the focus, so using it
// leaves the focused field's Exit unrun.
class SpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit SpeedButton(const QString& caption = QString(), QWidget* parent = nullptr);
};

// A panel used as a button: a caption and a click. While the mouse button is
// down it shows its pressed look, either a lowered bevel or a second colour.
class PanelButton : public QLabel {
    Q_OBJECT
public:
    enum class PressLook { Bevel, Colour };
    explicit PanelButton(const QString& caption = QString(), QWidget* parent = nullptr);
    // Colours in the form library's BGR notation; the text is white on them.
    void setColours(int normalBgr, int pressedBgr, const QColor& textColour = Qt::white);
    void setPressLook(PressLook look);
    void setColour(int bgr);
    int colour() const { return m_colour; }
    bool lowered() const { return m_lowered; }
    void setLowered(bool lowered);
    std::function<void()> onMouseDown; // default: pressed look
    std::function<void()> onMouseUp;   // default: normal look

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyLook();
    PressLook m_look = PressLook::Bevel;
    int m_colour = -1;
    int m_normal = -1;
    int m_pressed = -1;
    QColor m_text = Qt::black;
    bool m_lowered = false;
    bool m_down = false;
};

void onClick(PanelButton* panel, std::function<void()> handler);

} // namespace tv::ui
