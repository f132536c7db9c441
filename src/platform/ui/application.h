#pragma once

#include <QApplication>
#include <QLocale>
#include <QString>

namespace tv::ui {

// The application object: its title and help file, the help viewer, the
// shell's "open", and the guard that keeps an exception escaping any event
// handler from ending the program.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Ends the message loop and so the program.
void terminateApplication();
// Whether the program has been told to end (for tests, which run no loop).
bool terminationRequested();
void resetTerminationRequest();

void setApplicationTitle(const QString& title);
QString applicationTitle();

// The help file name follows the window in use ("KM550help.hlp", "Fhelp.hlp").
void setHelpFile(const QString& name);
QString helpFile();

// Where the delivered data set lives (tables, help pages).
void setDataDir(const QString& dir);
QString dataDir();

// Shows the contents page of the named help file: our own page for it from
// data/help/ (the file name lower-cased, extension replaced by ".html"), in a
// help window. Returns false when no page exists for that name.
bool showHelpContents(const QString& helpFileName);
// The page the help window would show for that name (empty when none).
QString helpPagePath(const QString& helpFileName);

// The shell's "open": hands a file or address to the desktop's default handler
// without waiting. Returns false on failure.
bool shellOpen(const QString& target);

// Loads Qt's Polish translations so that standard dialogs read in Polish.
void installPolishTranslations(QCoreApplication& app);

// Gives every widget created from now on (calendars, date boxes, file
// dialogs) the locale of the regional settings the program uses: the
// system's, or Polish where the system has none. Called before the forms
// are created.
void useProgramLocale(const QLocale& system = QLocale::system());

} // namespace tv::ui
