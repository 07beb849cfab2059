// Start-up: from starting the program to its password window painted, against a bare Qt
// program showing one empty window, each in a process of its own, in one run (goal: at
// most 1.5 times). Both are timed by the same plugin (ShownPlugin), which the real program
// loads as Qt loads any plugin: nothing in the program is there for the benchmark. Measured
// twice: on the offscreen platform, where the bare window costs almost nothing (it paints no
// text, so it loads no fonts), and under an X server (Xvfb, when installed), as on a desktop.
#include "BenchData.h"
#include "Goals.h"
#include "core/settings/SingleCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <ctime>

#ifndef LEDGERLINE_BENCH_DIR
#error "LEDGERLINE_BENCH_DIR names the benchmarks' folder in the build"
#endif

namespace {

qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

/// The X display the programs are shown on; empty for the offscreen platform.
QString g_display;

/// Seconds from starting `program` to its window of class `window` painted.
double untilShown(const QString& program, const QStringList& arguments, const QString& window) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (g_display.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), g_display);
    }
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(LEDGERLINE_BENCH_DIR "/plugins"));
    env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("benchshown"));
    env.insert(QStringLiteral("LEDGERLINE_BENCH_SHOWN"), window);
    child.setProcessEnvironment(env);
    const qint64 started = monotonicNs();
    child.start(program, arguments);
    if (!child.waitForFinished(60'000))
        qFatal("%s did not show its window", qPrintable(program));
    const qint64 shown = child.readAllStandardOutput().trimmed().toLongLong();
    if (shown <= started)
        qFatal("%s ended without showing its window: %s", qPrintable(program),
               child.readAllStandardError().constData());
    return double(shown - started) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    Goals::start(argc, argv);
    const QString folder = BenchData::programFolder(QStringLiteral("start"));
    BenchData::placeIn(folder, BenchData::checkDatabase(1'000));
    const QString build = QStringLiteral(LEDGERLINE_BENCH_DIR "/..");
    const auto measure = [&](const QString& where) {
        Goals::measure(
            {QStringLiteral("start-up, to the password window, vs a bare Qt window, %1").arg(where),
             1.5,
             [&] {
                 // Each sample is ended by the plugin without the program's teardown, which
                 // leaves its single-copy lock behind; a start after a normal exit finds none.
                 QFile::remove(QDir(folder).filePath(SingleCopy::kLockFile));
                 return untilShown(build + QStringLiteral("/ledgerline"),
                                   {QStringLiteral("--folder"), folder}, QStringLiteral("Pass"));
             },
             [&] {
                 return untilShown(QStringLiteral(LEDGERLINE_BENCH_DIR "/bare_window"), {}, {});
             },
             11});
    };
    measure(QStringLiteral("offscreen"));
    if (!Goals::wanted(QStringLiteral("start-up")))
        return Goals::finish();
    // An X server of its own, on a display no one else uses.
    QProcess x;
    for (int display = 91; display < 99 && g_display.isEmpty(); ++display) {
        x.start(QStringLiteral("Xvfb"),
                {QStringLiteral(":%1").arg(display), QStringLiteral("-screen"), QStringLiteral("0"),
                 QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp")});
        if (!x.waitForStarted(5'000))
            break; // no Xvfb here
        if (x.waitForFinished(1'000))
            continue; // the display is taken
        g_display = QStringLiteral(":%1").arg(display);
    }
    if (g_display.isEmpty()) {
        std::fprintf(stderr,
                     "No X server (Xvfb) could be started: start-up under X not measured.\n");
        return Goals::finish();
    }
    measure(QStringLiteral("under X"));
    x.terminate();
    x.waitForFinished(5'000);
    return Goals::finish();
}
