#pragma once

#include <functional>
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/forms.h"
#include "platform/ui/messages.h"
#include "support/test_env.h"

namespace tvbench {

// The forms of the program in a working folder of their own, every message box
// answered OK and every file dialog cancelled, so that a benchmark never waits
// for an operator. The folder is filled before the forms open their tables.
class FormsSession {
public:
    explicit FormsSession(bool withDeliveredData, const std::function<void()>& fill = {}) {
        tv::ui::setAnswerer([](const tv::ui::ShownMessage&) { return tv::ui::Answer::Ok; });
        tv::ui::setFileAnswerer([](const tv::ui::FileDialogRequest&) { return QString(); });
        m_folder = std::make_unique<tvtest::WorkingFolder>(withDeliveredData);
        if (fill) fill();
        createForms();
    }

    ~FormsSession() {
        destroyForms();
        m_folder.reset();
        tv::ui::setAnswerer({});
        tv::ui::setFileAnswerer({});
    }

    FormsSession(const FormsSession&) = delete;
    FormsSession& operator=(const FormsSession&) = delete;

private:
    std::unique_ptr<tvtest::WorkingFolder> m_folder;
};

// Runs the registered benchmarks in an offscreen application with Polish
// settings; atExit runs while the application still exists (forms go there).
inline int runBenchmarks(int argc, char** argv, const std::function<void()>& atExit = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerTables();
    tvtest::usePolishSettings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (atExit) atExit();
    return 0;
}

} // namespace tvbench
