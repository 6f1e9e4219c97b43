// Replays inputs through a fuzz target without libFuzzer: every file named on the command line,
// or every file of a folder named there (the target's corpus). Used by the ordinary build and
// the test suite, so the corpora keep being run with gcc too.
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList files;
    for (const QString &argument : application.arguments().mid(1)) {
        if (QFileInfo(argument).isDir()) {
            QDirIterator it(argument, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files.append(it.next());
        } else {
            files.append(argument);
        }
    }
    files.sort();
    if (files.isEmpty()) {
        std::fprintf(stderr, "nenhuma entrada para repetir\n");
        return 2;
    }
    for (const QString &name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "não foi possível ler %s\n", qPrintable(name));
            return 2;
        }
        const QByteArray input = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(input.constData()),
                               std::size_t(input.size()));
    }
    std::printf("%lld entradas repetidas\n", static_cast<long long>(files.size()));
    return 0;
}
