#include "app/program.h"

#include "app/forms.h"
#include "app/start_screen.h"
#include "platform/table.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"
#include "platform/ui/messages.h"

void startProgram(const QString& workingFolder, const QString& dataDir) {
    tv::ui::setApplicationTitle(QStringLiteral("Tarvelino"));
    tv::ui::setHelpFile(QStringLiteral("KM550HELP.HLP"));
    tv::ui::setDataDir(dataDir);
    registerTables();
    tv::Database::open(workingFolder, dataDir);
    createForms();
    Form_start->show();
}

void endProgram() {
    tv::ui::guard([] {
        if (tv::Database::isOpen())
            tv::Database::instance().postPendingRows(
                [](const tv::Error& e) { tv::ui::showErrorBox(e.message()); });
    });
    tv::ui::guard([] { destroyForms(); });
    tv::ui::guard([] { tv::Database::close(); });
}
