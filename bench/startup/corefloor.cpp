// The least a Qt program can do to read a person file from a command line: a bare
// QCoreApplication that reads the file named by its argument whole, then ends.
#include <QCoreApplication>
#include <QFile>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        return 1;
    }
    QFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        return 2;
    }
    return file.readAll().isEmpty() ? 2 : 0;
}
