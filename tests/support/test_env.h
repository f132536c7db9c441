#pragma once

#include <QString>
#include <QTemporaryDir>

namespace tvtest {

// Polish regional settings with the given decimal separator; tests set them
// explicitly rather than relying on the machine's locale.
void usePolishSettings(QChar decimalSeparator = u',');

// A fresh working folder for one test: the tables are opened in it (all
// missing tables are created empty) and closed again when it goes.
class WorkingFolder {
public:
    // withDeliveredData: copy the program's delivered data set in first.
    explicit WorkingFolder(bool withDeliveredData = false);
    ~WorkingFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previousCwd;
};

// The repository's data/ folder (delivered data set, help pages).
QString sourceDataDir();

} // namespace tvtest
