#include "Goals.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#ifndef LEDGERLINE_BENCH_DIR
#error "LEDGERLINE_BENCH_DIR names the benchmarks' folder in the build"
#endif

namespace {

std::unique_ptr<QApplication> g_app;
QString g_only;
QString g_program;
QJsonArray g_rows;
QtMessageHandler g_standard = nullptr;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

Goals::Sample Goals::timed(std::function<void()> work) {
    return [work = std::move(work)] {
        QElapsedTimer clock;
        clock.start();
        work();
        return double(clock.nsecsElapsed()) / 1e9;
    };
}

Goals::Sample Goals::timed(std::function<void()> before, std::function<void()> work) {
    return [before = std::move(before), work = std::move(work)] {
        before();
        QElapsedTimer clock;
        clock.start();
        work();
        return double(clock.nsecsElapsed()) / 1e9;
    };
}

Goals::Sample Goals::timedEach(int times, std::function<void()> work) {
    return [times, work = std::move(work)] {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < times; ++i)
            work();
        return double(clock.nsecsElapsed()) / 1e9 / times;
    };
}

bool Goals::wanted(const QString& name) {
    return g_only.isEmpty() || name.contains(g_only, Qt::CaseInsensitive);
}

void Goals::measure(const Row& row) {
    if (!wanted(row.name))
        return;
    if (row.warmUp) {
        row.baseline();
        row.ours();
    }
    std::vector<double> ours, baseline;
    for (int i = 0; i < row.rounds; ++i) {
        // Each goes first in every other round, so neither always meets a warm cache or a
        // machine that has just calmed down.
        if (i % 2 == 0) {
            baseline.push_back(row.baseline());
            ours.push_back(row.ours());
        } else {
            ours.push_back(row.ours());
            baseline.push_back(row.baseline());
        }
    }
    const double o = median(ours);
    const double b = median(baseline);
    const double ratio = b > 0 ? o / b : 0;
    const bool met = b > 0 && (row.strict ? ratio < row.goal : ratio <= row.goal);
    std::printf("%-58s ours %10.4f %s  baseline %10.4f %s  ratio %5.2f  goal %s%.2f  %s\n",
                qPrintable(row.name), o, qPrintable(row.unit), b, qPrintable(row.unit), ratio,
                row.strict ? "<" : "<=", row.goal, met ? "met" : "NOT MET");
    std::fflush(stdout);
    QJsonObject json;
    json[QStringLiteral("name")] = row.name;
    json[QStringLiteral("ours_s")] = o;
    json[QStringLiteral("baseline_s")] = b;
    json[QStringLiteral("ratio")] = ratio;
    json[QStringLiteral("goal")] = row.goal;
    json[QStringLiteral("met")] = met;
    // Not part of the summary's keys: lets the table say what a row's figures count.
    json[QStringLiteral("unit")] = row.unit;
    json[QStringLiteral("strict")] = row.strict;
    g_rows.append(json);
}

void Goals::start(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform says this of every window shown; it tells nothing here.
    g_standard = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("propagateSizeHints")))
                g_standard(type, context, text);
        });
    g_app = std::make_unique<QApplication>(argc, argv);
    g_program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    for (const QString& a : QCoreApplication::arguments())
        if (a.startsWith(QStringLiteral("--only=")))
            g_only = a.mid(7);
}

int Goals::finish() {
    // A run of only some rows leaves the full run's rows file alone.
    if (g_only.isEmpty()) {
        const QString folder = QStringLiteral(LEDGERLINE_BENCH_DIR "/rows");
        QDir().mkpath(folder);
        QFile file(QDir(folder).filePath(g_program + QStringLiteral(".json")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(QJsonDocument(g_rows).toJson()) < 0 || !file.flush()) {
            std::fprintf(stderr, "%s: could not write %s\n", qPrintable(g_program),
                         qPrintable(file.fileName()));
            return 1;
        }
    }
    g_app.reset();
    return 0;
}
