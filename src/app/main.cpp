#include <QDir>

#include "app/forms.h"
#include "app/program.h"
#include "platform/regional.h"
#include "platform/ui/application.h"
#include "platform/ui/controls.h"

int main(int argc, char** argv) {
    tv::ui::Application app(argc, argv);
    int result = 0;
    tv::ui::guard([&] {
        app.setQuitOnLastWindowClosed(false);
        tv::ui::installPolishTranslations(app);
        tv::setRegional(tv::RegionalSettings::fromSystem());
        tv::ui::useProgramLocale();
        // The working folder is the folder the program was started in.
        startProgram(QDir::currentPath(), findDataDir());
        result = app.exec();
    });
    endProgram();
    return result;
}
