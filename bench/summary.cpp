// The one table at the end of `make bench`: every benchmark program's rows (build/bench/
// rows/*.json) in the order of the goals, printed and written to build/bench/summary.json.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>

namespace {

const char* const kOrder[] = {"backup",       "new",           "load",   "next",
                              "filter first", "filter walk",   "counts", "check run",
                              "marking",      "export",        "import", "start-up",
                              "memory",       "product types", "chooser"};

int rank(const QString& name) {
    int best = int(std::size(kOrder));
    qsizetype longest = 0;
    for (int i = 0; i < int(std::size(kOrder)); ++i) {
        const QString op = QString::fromLatin1(kOrder[i]);
        if (name.startsWith(op) && op.size() > longest) {
            best = i;
            longest = op.size();
        }
    }
    return best;
}

QString figure(double value, const QString& unit) {
    if (unit == QLatin1String("s"))
        return value >= 1      ? QStringLiteral("%1 s").arg(value, 0, 'f', 2)
               : value >= 1e-3 ? QStringLiteral("%1 ms").arg(value * 1e3, 0, 'f', 1)
                               : QStringLiteral("%1 us").arg(value * 1e6, 0, 'f', 1);
    return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(unit);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: bench-summary BUILD/bench\n");
        return 2;
    }
    const QDir folder(args[1]);
    QList<QJsonObject> rows;
    const QDir rowsFolder(folder.filePath(QStringLiteral("rows")));
    for (const QString& f :
         rowsFolder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        QFile file(rowsFolder.filePath(f));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QJsonValue v : QJsonDocument::fromJson(file.readAll()).array())
            rows << v.toObject();
    }
    if (rows.isEmpty()) {
        std::fprintf(stderr, "bench-summary: no rows in %s\n", qPrintable(rowsFolder.path()));
        return 1;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const QJsonObject& a, const QJsonObject& b) {
        return rank(a[QStringLiteral("name")].toString()) <
               rank(b[QStringLiteral("name")].toString());
    });

    QJsonArray summary;
    int missed = 0;
    const QString line(118, QLatin1Char('-'));
    std::printf("\n%s\n%-60s %12s %12s %6s %6s  %s\n%s\n", qPrintable(line), "name", "ours",
                "baseline", "ratio", "goal", "met", qPrintable(line));
    for (const QJsonObject& row : rows) {
        const QString unit = row[QStringLiteral("unit")].toString(QStringLiteral("s"));
        const bool met = row[QStringLiteral("met")].toBool();
        missed += met ? 0 : 1;
        std::printf("%-60s %12s %12s %6.2f %s%5.2f  %s\n",
                    qPrintable(row[QStringLiteral("name")].toString()),
                    qPrintable(figure(row[QStringLiteral("ours_s")].toDouble(), unit)),
                    qPrintable(figure(row[QStringLiteral("baseline_s")].toDouble(), unit)),
                    row[QStringLiteral("ratio")].toDouble(),
                    row[QStringLiteral("strict")].toBool() ? "<" : " ",
                    row[QStringLiteral("goal")].toDouble(), met ? "yes" : "NO");
        QJsonObject out;
        for (const char* key : {"name", "ours_s", "baseline_s", "ratio", "goal", "met"})
            out[QString::fromLatin1(key)] = row[QString::fromLatin1(key)];
        summary.append(out);
    }
    std::printf("%s\n%lld rows, %d not met. Written to %s\n", qPrintable(line),
                static_cast<long long>(rows.size()), missed,
                qPrintable(folder.filePath(QStringLiteral("summary.json"))));
    QFile out(folder.filePath(QStringLiteral("summary.json")));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(QJsonDocument(summary).toJson()) < 0 || !out.flush()) {
        std::fprintf(stderr, "bench-summary: could not write %s\n", qPrintable(out.fileName()));
        return 1;
    }
    return 0;
}
