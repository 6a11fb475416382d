// Writes the seed record of every loader into <folder>/<loader name>/seed, the start of the
// libFuzzer targets' corpora.

#include "RecordLoaders.h"

#include "com/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: zeltor-fuzz-seeds FOLDER\n";
        return 2;
    }
    try {
        const fuzz::LoaderHost host;
        for (const fuzz::Loader loader : fuzz::kLoaders) {
            const QString folder = QDir(QString::fromLocal8Bit(argv[1])).filePath(fuzz::loaderName(loader));
            QFile seed(QDir(folder).filePath(QStringLiteral("seed")));
            if (!QDir().mkpath(folder) || !seed.open(QIODevice::WriteOnly | QIODevice::Truncate)
                || seed.write(fuzz::seedRecord(loader)) < 0) {
                err << "zeltor-fuzz-seeds: cannot write " << seed.fileName() << "\n";
                return 1;
            }
        }
    } catch (const com::Error& error) {
        err << "zeltor-fuzz-seeds: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
