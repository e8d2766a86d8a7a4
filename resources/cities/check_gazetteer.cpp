// Run by the build before the gazetteer is compiled into the program: a file that is damaged, cut short,
// edited by hand or folded otherwise than the program folds stops the build with the reason, and so does
// a table of the default list's cities that the gazetteer does not bear out.
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "data/cityindex.h"

namespace {

bool readWhole(const char* path, QByteArray& bytes)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", path, qPrintable(file.errorString()));
        return false;
    }
    bytes = file.readAll();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s gazetteer.dat defaults.tsv\n", argv[0]);
        return 2;
    }
    QByteArray gazetteer, defaults;
    if (!readWhole(argv[1], gazetteer) || !readWhole(argv[2], defaults))
        return 1;
    const QString fault = CityIndex::verify(gazetteer);
    if (!fault.isEmpty()) {
        std::fprintf(stderr, "%s: refused: %s (make it again with make_index.py)\n", argv[1], qPrintable(fault));
        return 1;
    }
    const QString tableFault = CityIndex(gazetteer).verifyDefaultCities(defaults);
    if (!tableFault.isEmpty()) {
        std::fprintf(stderr, "%s: refused: %s (make it again with make_index.py)\n", argv[2], qPrintable(tableFault));
        return 1;
    }
    return 0;
}
