#pragma once

#include <functional>

#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

namespace tv::ui {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// Every message box of the program goes through here, so that tests can give
// the answer without a window: while test answers are queued (or an answerer
// is installed), no window is shown and each box takes the next answer.
Answer showMessage(const QString& text, const QString& caption = QString(), Icon icon = Icon::None,
                   Buttons buttons = Buttons::Ok);
bool askYesNo(const QString& text, const QString& caption = QString(), Icon icon = Icon::Question);

// The application's standard error box: caption "Tarvelino", error icon, OK.
void showErrorBox(const QString& message);

// What a box showed, as tests see it.
struct ShownMessage {
    QString text;
    QString caption;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
};

// Test seam. While the answerer is set, showMessage records the box and
// returns the answerer's choice instead of opening a window.
using Answerer = std::function<Answer(const ShownMessage&)>;
void setAnswerer(Answerer answerer);
void pushTestAnswer(Answer answer); // queued answers come before the answerer
const QVector<ShownMessage>& shownMessages();
void clearShownMessages();

// File dialogs. Title, filter ("Kalkulacje|*.clc"), default extension and initial
// folder as the forms give them; the working folder never changes. An empty
// result means the operator cancelled.
struct FileDialogRequest {
    QString title;
    QString filter; // "Description|*.ext" pairs joined by '|'
    QString defaultExtension;
    QString initialFolder;
    bool save = false;
    bool confirmOverwrite = false;
};
QString runFileDialog(const FileDialogRequest& request);
using FileAnswerer = std::function<QString(const FileDialogRequest&)>;
void setFileAnswerer(FileAnswerer answerer); // tests choose the file
const QVector<FileDialogRequest>& fileDialogRequests();

} // namespace tv::ui
