// Makes the two sample check databases in the current folder the first time it is used
// as a program folder (when it holds no check database yet).
#include "core/databases/SampleDatabases.h"
#include "core/platform/Clock.h"
#include "core/platform/DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SystemClock clock;
    try {
        for (const QString& made : SampleDatabases::createIfFirstRun(QDir::current(), clock))
            std::printf("Made the sample database %s\n", qPrintable(made));
    } catch (const DbError& e) {
        std::fprintf(stderr, "The sample databases could not be made: %s\n",
                     qPrintable(e.message()));
        return 1;
    }
    return 0;
}
