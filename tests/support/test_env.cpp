#include "support/test_env.h"

#include <QDir>
#include <QFileInfo>

#include "platform/regional.h"
#include "platform/table.h"

namespace tvtest {

void usePolishSettings(QChar decimalSeparator) {
    tv::RegionalSettings settings = tv::RegionalSettings::polish();
    settings.decimalSeparator = decimalSeparator;
    if (decimalSeparator == u'.') settings.thousandSeparator = u',';
    tv::setRegional(settings);
}

QString sourceDataDir() {
    const QString fromEnv = qEnvironmentVariable("TARVELINO_SOURCE_DIR");
    if (!fromEnv.isEmpty()) return QDir(fromEnv).filePath("data");
    return QDir(QStringLiteral(TV_SOURCE_DIR)).filePath("data");
}

WorkingFolder::WorkingFolder(bool withDeliveredData) : m_previousCwd(QDir::currentPath()) {
    QDir::setCurrent(m_dir.path());
    tv::Database::open(m_dir.path(), withDeliveredData ? sourceDataDir() : QString());
}

WorkingFolder::~WorkingFolder() {
    tv::Database::close();
    QDir::setCurrent(m_previousCwd);
}

} // namespace tvtest
