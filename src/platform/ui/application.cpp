#include "platform/ui/application.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QTranslator>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/regional.h"
#include "platform/ui/controls.h"

namespace tv::ui {

namespace {
QString g_title;
QString g_helpFile;
QString g_dataDir;
bool g_terminated = false;
} // namespace

void terminateApplication() {
    g_terminated = true;
    QCoreApplication::quit();
}
bool terminationRequested() {
    return g_terminated;
}
void resetTerminationRequest() {
    g_terminated = false;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool result = false;
    guard([&] { result = QApplication::notify(receiver, event); });
    return result;
}

void setApplicationTitle(const QString& title) {
    g_title = title;
    QCoreApplication::setApplicationName(title);
}
QString applicationTitle() {
    return g_title;
}

void setHelpFile(const QString& name) {
    g_helpFile = name;
}
QString helpFile() {
    return g_helpFile;
}

void setDataDir(const QString& dir) {
    g_dataDir = dir;
}
QString dataDir() {
    return g_dataDir;
}

QString helpPagePath(const QString& helpFileName) {
    if (helpFileName.isEmpty()) return QString();
    const QString base = QFileInfo(helpFileName).completeBaseName().toLower();
    const QString path = QDir(g_dataDir).filePath(QStringLiteral("help/%1.html").arg(base));
    return QFileInfo::exists(path) ? path : QString();
}

bool showHelpContents(const QString& helpFileName) {
    const QString page = helpPagePath(helpFileName);
    if (page.isEmpty()) return false;
    static QDialog* window = nullptr;
    static QTextBrowser* browser = nullptr;
    if (!window) {
        window = new QDialog;
        window->setWindowTitle(QStringLiteral("Pomoc"));
        window->resize(640, 520);
        auto* layout = new QVBoxLayout(window);
        browser = new QTextBrowser(window);
        browser->setOpenExternalLinks(true);
        layout->addWidget(browser);
        auto* close = new QPushButton(QStringLiteral("Zamknij"), window);
        QObject::connect(close, &QPushButton::clicked, window, &QDialog::hide);
        layout->addWidget(close, 0, Qt::AlignRight);
    }
    browser->setSource(QUrl::fromLocalFile(page));
    window->show();
    window->raise();
    return true;
}

bool shellOpen(const QString& target) {
    const QUrl url = target.contains(QStringLiteral("://"))
                         ? QUrl(target)
                         : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return false;
    return QDesktopServices::openUrl(url);
}

void useProgramLocale(const QLocale& system) {
    QLocale::setDefault(tv::RegionalSettings::sourceLocale(system));
}

void installPolishTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace tv::ui
