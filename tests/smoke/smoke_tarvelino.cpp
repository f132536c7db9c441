// The real program on a real (virtual) X display, as a user starts it: it
// shows its start screen, Enter opens the costing sheet, "  Faktura" the
// invoice window, and "Koniec" ends it cleanly. The test finds the windows by
// their titles and works the program with the keyboard and the mouse through
// xdotool; it reads the sheet's pixels only to find the one toolbar button
// that has no key.
//
// Run under xvfb-run by CTest: smoke_tarvelino PATH_TO_TARVELINO DATA_DIR

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString g_program;
QString g_dataDir;

constexpr int kWindowTimeoutMs = 20000;

// Runs xdotool with the arguments; its standard output, trimmed.
QString xdotool(const QStringList& arguments, bool* ok = nullptr) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    const bool finished = process.waitForFinished(10000);
    if (ok) *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The visible windows whose title matches the pattern (xdotool's regular
// expression, matched against the whole title by the anchors given).
QStringList visibleWindows(const QString& titlePattern) {
    const QString out = xdotool(
        {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), titlePattern});
    return out.isEmpty() ? QStringList() : out.split(u'\n');
}

// Waits until exactly one visible window has the title; its id, or empty.
QString waitForWindow(const QString& titlePattern, QProcess& program) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kWindowTimeoutMs) {
        const QStringList windows = visibleWindows(titlePattern);
        if (windows.size() == 1) return windows.first();
        if (program.waitForFinished(100)) break; // it ended: no window will come
    }
    return QString();
}

// The program's visible windows, whatever their titles (menus included).
QStringList windowsOf(const QProcess& program) {
    const QString out = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                 QStringLiteral("--pid"), QString::number(program.processId())});
    return out.isEmpty() ? QStringList() : out.split(u'\n');
}

// Waits until the program shows a window that it did not show before.
bool waitForAnotherWindow(const QProcess& program, const QStringList& before) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kWindowTimeoutMs) {
        for (const QString& w : windowsOf(program))
            if (!before.contains(w)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

bool waitUntilGone(const QString& titlePattern) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kWindowTimeoutMs) {
        if (visibleWindows(titlePattern).isEmpty()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// Keys go to the window with the input focus: with no window manager on the
// virtual display, the test gives it the focus itself.
void pressKeys(const QString& window, const QStringList& keys) {
    bool ok = false;
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}, &ok);
    ASSERT_TRUE(ok) << "could not focus window " << window.toStdString();
    for (const QString& key : keys) {
        xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), key}, &ok);
        ASSERT_TRUE(ok) << "could not press " << key.toStdString();
    }
}

void clickAt(const QString& window, QPoint point) {
    bool ok = false;
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"), window,
             QString::number(point.x()), QString::number(point.y()), QStringLiteral("click"),
             QStringLiteral("1")},
            &ok);
    ASSERT_TRUE(ok) << "could not click in window " << window.toStdString();
}

QImage grab(const QString& window) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(window.toULongLong())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Where the costing sheet's "  Faktura" is. The toolbar lies right under the
// menu bar, near the top of the window; of the bands drawn there it is the
// first with colour in it (its icons; the menu bar's text is black), and
// "  Faktura" is its only button with a caption, so the button's text is the
// widest run of drawn pixels in that band. A null point when the picture
// shows no such band (the sheet not drawn yet).
QPoint fakturaButton(const QImage& sheet) {
    const int width = sheet.width();
    const auto differs = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) >
               60;
    };
    const auto coloured = [](QRgb c) {
        const int high = std::max({qRed(c), qGreen(c), qBlue(c)});
        const int low = std::min({qRed(c), qGreen(c), qBlue(c)});
        return high - low > 80;
    };
    // Each row's background: its most frequent colour.
    QVector<QRgb> background(sheet.height());
    for (int y = 0; y < sheet.height(); ++y) {
        QHash<QRgb, int> counts;
        const auto* line = reinterpret_cast<const QRgb*>(sheet.constScanLine(y));
        for (int x = 0; x < width; ++x)
            ++counts[line[x]];
        background[y] = std::max_element(counts.begin(), counts.end()).key();
    }
    const auto ink = [&](int x, int y) { return differs(sheet.pixel(x, y), background[y]); };
    // A row holds drawing when some, but not nearly all, of it differs
    // from its background (a full-width rule is a frame, not a button).
    const auto drawnRow = [&](int y) {
        int n = 0;
        for (int x = 0; x < width; ++x)
            n += ink(x, y);
        return n > 0 && n < width * 9 / 10;
    };
    int y = 0;
    const int searchHeight = std::min(sheet.height(), 100);
    while (y < searchHeight) {
        while (y < searchHeight && !drawnRow(y))
            ++y;
        const int top = y;
        while (y < searchHeight && drawnRow(y))
            ++y;
        const int bottom = y; // exclusive
        bool hasColour = false;
        for (int cy = top; cy < bottom && !hasColour; ++cy)
            for (int cx = 0; cx < width && !hasColour; ++cx)
                hasColour = coloured(sheet.pixel(cx, cy));
        if (bottom - top < 10 || !hasColour) continue;
        // Runs of columns with drawing, split where 5 empty columns lie between.
        int bestLeft = -1, bestRight = -1;
        int x = 0;
        while (x < width) {
            const auto drawnColumn = [&](int cx) {
                for (int cy = top; cy < bottom; ++cy)
                    if (ink(cx, cy)) return true;
                return false;
            };
            while (x < width && !drawnColumn(x))
                ++x;
            const int left = x;
            int gap = 0, right = x;
            while (x < width && gap < 5) {
                if (drawnColumn(x)) {
                    gap = 0;
                    right = x;
                } else {
                    ++gap;
                }
                ++x;
            }
            if (left < width && right - left > bestRight - bestLeft) {
                bestLeft = left;
                bestRight = right;
            }
        }
        if (bestLeft >= 0) return QPoint((bestLeft + bestRight) / 2, (top + bottom) / 2);
    }
    return QPoint();
}

bool isQtsOwnLine(const QString& line) {
    // QT_MESSAGE_PATTERN below marks every message that goes through Qt's
    // message handler; the program itself writes nothing there.
    return line.startsWith(QLatin1String("qt-warning ")) || line.startsWith(QLatin1String("qt-info ")) ||
           line.startsWith(QLatin1String("qt-debug "));
}

} // namespace

TEST(SmokeTest, StartsOpensTheSheetAndTheInvoiceWindowAndEndsCleanly) {
    for (const char* tool : {"xdotool"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed (scripts/deps.sh installs it)";
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "run under xvfb-run";

    QTemporaryDir folder;
    QTemporaryDir runtime; // Qt's runtime folder, private to this run
    ASSERT_TRUE(folder.isValid() && runtime.isValid());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("TARVELINO_DATA"), g_dataDir);
    env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("qt-%{type} %{category}: %{message}"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(folder.path());
    program.start(g_program, {});
    ASSERT_TRUE(program.waitForStarted(10000)) << "could not start " << g_program.toStdString();
    // Whatever fails, the program does not outlive the test.
    auto stop = qScopeGuard([&] {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
    });

    // The start screen, then Enter.
    const QString start = waitForWindow(QStringLiteral("^Tarvelino 2\\.22$"), program);
    ASSERT_FALSE(start.isEmpty()) << "no start screen \"Tarvelino 2.22\"";
    ASSERT_NO_FATAL_FAILURE(pressKeys(start, {QStringLiteral("Return")}));
    const QString sheet = waitForWindow(QStringLiteral("^Arkusz kalkulacyjny Tarvelino"), program);
    ASSERT_FALSE(sheet.isEmpty()) << "Enter did not open the costing sheet";
    EXPECT_TRUE(waitUntilGone(QStringLiteral("^Tarvelino 2\\.22$"))) << "the start screen stayed";

    // "  Faktura" on the sheet's toolbar, once the sheet has been drawn.
    QImage picture;
    QPoint faktura;
    QElapsedTimer drawn;
    drawn.start();
    // Drawn means: the picture no longer changes (a busy machine may still
    // show what lay there before, the start screen) and holds the toolbar.
    QImage before = grab(sheet);
    while (faktura.isNull() && drawn.elapsed() < kWindowTimeoutMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        picture = grab(sheet);
        if (picture == before) faktura = fakturaButton(picture);
        before = picture;
    }
    const QString picturePath = QDir::current().filePath(QStringLiteral("smoke_sheet.png"));
    if (faktura.isNull()) picture.save(picturePath);
    ASSERT_FALSE(faktura.isNull()) << "no toolbar found on the sheet (picture in "
                                   << picturePath.toStdString() << ")";
    ASSERT_NO_FATAL_FAILURE(clickAt(sheet, faktura));
    const QString invoice = waitForWindow(QStringLiteral("^Tarvelino 2000 - moduł FAKTURY$"), program);
    if (invoice.isEmpty()) picture.save(picturePath);
    ASSERT_FALSE(invoice.isEmpty()) << "\"  Faktura\" did not open the invoice window (clicked at "
                                    << faktura.x() << "," << faktura.y() << " of the sheet, picture in "
                                    << picturePath.toStdString() << ")";

    // "Koniec": the sheet's menu "Kalkulacja" (Alt+K) holds it as its last command.
    const QStringList shown = windowsOf(program);
    ASSERT_NO_FATAL_FAILURE(pressKeys(sheet, {QStringLiteral("alt+k")}));
    ASSERT_TRUE(waitForAnotherWindow(program, shown)) << "Alt+K did not open the menu \"Kalkulacja\"";
    ASSERT_NO_FATAL_FAILURE(pressKeys(sheet, {QStringLiteral("Up"), QStringLiteral("Return")}));
    ASSERT_TRUE(program.waitForFinished(kWindowTimeoutMs)) << "\"Koniec\" did not end the program";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    const QString errors = QString::fromUtf8(program.readAllStandardError());
    for (const QString& line : errors.split(u'\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(isQtsOwnLine(line)) << "on standard error: " << line.toStdString();
    EXPECT_EQ(QString::fromUtf8(program.readAllStandardOutput()), QString());
}

int main(int argc, char** argv) {
    // The test itself looks at the virtual display through Qt.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        fprintf(stderr, "usage: smoke_tarvelino PATH_TO_TARVELINO DATA_DIR\n");
        return 2;
    }
    g_program = args.at(1);
    g_dataDir = args.at(2);
    return RUN_ALL_TESTS();
}
