#pragma once

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QApplication>

#include "app/forms.h"
#include "platform/table.h"
#include "platform/ui/application.h"
#include "platform/ui/messages.h"
#include "support/test_env.h"

namespace tvtest {

// Every form of the program created as at start, in a fresh working folder.
// Message boxes and file dialogs answer from the test: by default every box
// is answered OK / Yes and recorded, and every file dialog is cancelled.
class AppFixture : public ::testing::Test {
protected:
    // Fill the working folder before the forms are created (tables are open).
    virtual void prepareData() {}
    virtual bool withDeliveredData() const { return true; }

    void SetUp() override {
        tv::ui::clearShownMessages();
        tv::ui::setAnswerer([](const tv::ui::ShownMessage& m) {
            return m.buttons == tv::ui::Buttons::YesNo ? tv::ui::Answer::Yes : tv::ui::Answer::Ok;
        });
        tv::ui::setFileAnswerer([](const tv::ui::FileDialogRequest&) { return QString(); });
        tv::ui::resetTerminationRequest();
        m_folder = std::make_unique<WorkingFolder>(withDeliveredData());
        tv::ui::setDataDir(sourceDataDir());
        prepareData();
        createForms();
    }

    void TearDown() override {
        destroyForms();
        m_folder.reset();
        tv::ui::setAnswerer({});
        tv::ui::setFileAnswerer({});
        tv::ui::clearShownMessages();
    }

    QString workingFolder() const { return m_folder->path(); }
    const QVector<tv::ui::ShownMessage>& messages() const { return tv::ui::shownMessages(); }

private:
    std::unique_ptr<WorkingFolder> m_folder;
};

} // namespace tvtest
