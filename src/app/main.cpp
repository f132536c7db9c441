#include <QDir>

#include "app/forms.h"
#include "app/start_screen.h"
#include "platform/regional.h"
#include "platform/table.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"

int main(int argc, char** argv) {
    tv::ui::Application app(argc, argv);
    int result = 0;
    tv::ui::guard([&] {
        app.setQuitOnLastWindowClosed(false);
        tv::ui::installPolishTranslations(app);
        tv::setRegional(tv::RegionalSettings::fromSystem());
        tv::ui::useProgramLocale();
        tv::ui::setApplicationTitle(QStringLiteral("Tarvelino"));
        tv::ui::setHelpFile(QStringLiteral("KM550HELP.HLP"));
        const QString data = findDataDir();
        tv::ui::setDataDir(data);
        registerTables();
        // The working folder is the folder the program was started in.
        tv::Database::open(QDir::currentPath(), data);
        createForms();
        Form_start->show();
        result = app.exec();
    });
    // A row the operator changed but has not confirmed is kept, as leaving
    // the register would keep it; an untouched one is dropped.
    tv::ui::guard([] {
        if (tv::Database::isOpen())
            tv::Database::instance().postPendingRows(
                [](const tv::Error& e) { tv::ui::showErrorBox(e.message()); });
    });
    tv::ui::guard([] { destroyForms(); });
    tv::ui::guard([] { tv::Database::close(); });
    return result;
}
