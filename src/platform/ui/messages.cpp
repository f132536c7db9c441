#include "platform/ui/messages.h"

#include <deque>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace tv::ui {

namespace {

struct Seam {
    Answerer answerer;
    std::deque<Answer> queued;
    QVector<ShownMessage> shown;
    FileAnswerer fileAnswerer;
    QVector<FileDialogRequest> fileRequests;
};

Seam& seam() {
    static Seam s;
    return s;
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// "Kalkulacje|*.clc" becomes Qt's "Kalkulacje (*.clc)".
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(u';', u' '));
    return out.join(QStringLiteral(";;"));
}

// The file dialog's own model writes sizes and dates in the system's locale,
// which under a C or POSIX system is English; this shows them in the
// program's, as every other widget does.
class ProgramLocaleFiles : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files) return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        if (index.column() == kDateColumn)
            return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        if (index.column() == kSizeColumn && !files->isDir(file))
            return QLocale().formattedDataSize(files->size(file));
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int kSizeColumn = 1;
    static constexpr int kDateColumn = 3;
};

} // namespace

Answer showMessage(const QString& text, const QString& caption, Icon icon, Buttons buttons) {
    Seam& s = seam();
    const ShownMessage shown{text, caption, icon, buttons};
    if (!s.queued.empty() || s.answerer) {
        s.shown.append(shown);
        if (!s.queued.empty()) {
            const Answer a = s.queued.front();
            s.queued.pop_front();
            return a;
        }
        return s.answerer(shown);
    }
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    if (buttons == Buttons::YesNo) {
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("&Tak"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("&Nie"));
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.addButton(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    }
    const int result = box.exec();
    if (buttons == Buttons::Ok) return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

bool askYesNo(const QString& text, const QString& caption, Icon icon) {
    return showMessage(text, caption, icon, Buttons::YesNo) == Answer::Yes;
}

void showErrorBox(const QString& message) {
    showMessage(message, QStringLiteral("Tarvelino"), Icon::Error, Buttons::Ok);
}

void setAnswerer(Answerer answerer) {
    seam().answerer = std::move(answerer);
}
void pushTestAnswer(Answer answer) {
    seam().queued.push_back(answer);
}
const QVector<ShownMessage>& shownMessages() {
    return seam().shown;
}
void clearShownMessages() {
    seam().shown.clear();
    seam().queued.clear();
    seam().fileRequests.clear();
}

QString runFileDialog(const FileDialogRequest& request) {
    Seam& s = seam();
    if (s.fileAnswerer) {
        s.fileRequests.append(request);
        return s.fileAnswerer(request);
    }
    // The folder a form keeps its files in is made when missing, as saving
    // into it would: the dialog then opens inside it rather than offering the
    // folder's own name as the file name.
    const QString folder = QDir(request.initialFolder).absolutePath();
    if (!request.initialFolder.isEmpty()) QDir().mkpath(folder);
    QFileDialog dialog(QApplication::activeWindow(), request.title, folder, qtFilter(request.filter));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Opening a name that does not exist is the form's to report, not the dialog's.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultExtension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setProxyModel(new ProgramLocaleFiles(&dialog));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

void setFileAnswerer(FileAnswerer answerer) {
    seam().fileAnswerer = std::move(answerer);
}
const QVector<FileDialogRequest>& fileDialogRequests() {
    return seam().fileRequests;
}

} // namespace tv::ui
