#include "platform/report/fonts.h"

#include <mutex>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>
#include <QSet>
#include <QStringList>

namespace tv::report {

namespace {

struct FontFiles {
    const char* designFamily;
    QStringList files;
};

const QVector<FontFiles>& fontTable() {
    static const QVector<FontFiles> table = {
        // Wine's tahomabd.ttf has bold spacing but regular-weight outlines, so
        // printed bold would not look bold; bold Tahoma is emboldened from the
        // regular face instead.
        {"Tahoma", {"tahoma.ttf"}},
        {"Times New Roman",
         {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf", "LiberationSerif-Italic.ttf",
          "LiberationSerif-BoldItalic.ttf"}},
        {"Arial",
         {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationSans-Italic.ttf",
          "LiberationSans-BoldItalic.ttf"}},
        {"Courier New",
         {"LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf", "LiberationMono-Italic.ttf",
          "LiberationMono-BoldItalic.ttf"}},
    };
    return table;
}

QStringList fontFolders() {
    QStringList folders;
    const QString fromEnv = qEnvironmentVariable("TARVELINO_FONT_DIR");
    if (!fromEnv.isEmpty()) folders << fromEnv;
    if (QCoreApplication::instance())
        folders << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("fonts"));
    folders << QStringLiteral("/usr/share/wine/fonts")
            << QStringLiteral("/usr/share/fonts/truetype/liberation2")
            << QStringLiteral("/usr/share/fonts/truetype/liberation")
            << QStringLiteral("/usr/share/fonts/truetype/msttcorefonts");
    return folders;
}

QString findFile(const QStringList& folders, const QString& name) {
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo::exists(path)) return path;
    }
    return QString();
}

// Design family (lower case) -> loaded family. Written once under the flag.
QHash<QString, QString>& pinned() {
    static QHash<QString, QString> map;
    return map;
}

// Design families (lower case) whose files include a bold face.
QSet<QString>& withBoldFace() {
    static QSet<QString> set;
    return set;
}

std::once_flag loadedFlag;

} // namespace

void ensureFontsLoaded() {
    std::call_once(loadedFlag, [] {
        const QStringList folders = fontFolders();
        for (const FontFiles& entry : fontTable()) {
            QString family;
            bool bold = false;
            for (const QString& file : entry.files) {
                const QString path = findFile(folders, file);
                if (path.isEmpty()) continue;
                const int id = QFontDatabase::addApplicationFont(path);
                const QStringList families = QFontDatabase::applicationFontFamilies(id);
                if (id >= 0 && !families.isEmpty() && family.isEmpty()) family = families.first();
                if (id >= 0 && file.contains(QLatin1String("Bold"))) bold = true;
            }
            const QString design = QString::fromLatin1(entry.designFamily).toLower();
            if (!family.isEmpty()) pinned().insert(design, family);
            if (bold) withBoldFace().insert(design);
        }
    });
}

QString pinnedFamily(const QString& designFamily) {
    ensureFontsLoaded();
    return pinned().value(designFamily.toLower(), designFamily);
}

bool fontPinned(const QString& designFamily) {
    ensureFontsLoaded();
    return pinned().contains(designFamily.toLower());
}

bool boldIsSynthesized(const Font& font) {
    if (!font.bold || !fontPinned(font.family)) return false;
    return !withBoldFace().contains(font.family.toLower());
}

QFont qfontFor(const Font& font) {
    QFont f(pinnedFamily(font.family));
    f.setPointSizeF(font.pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

} // namespace tv::report
