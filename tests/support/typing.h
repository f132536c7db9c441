#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace tvtest {

// Types each character as a key press and release carrying its text, as a
// keyboard layout with Polish or other letters delivers them (QTest's own
// keyClicks takes ASCII only).
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace tvtest
