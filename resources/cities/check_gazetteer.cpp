// Run by the build before the gazetteer is compiled into the program: a file that is damaged, cut short,
// edited by hand or folded otherwise than the program folds stops the build with the reason.
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "data/cityindex.h"

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s gazetteer.dat\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    const QString fault = CityIndex::verify(file.readAll());
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "%s: refused: %s (make it again with make_index.py)\n", argv[1], qPrintable(fault));
        return 1;
    }
    return 0;
}
