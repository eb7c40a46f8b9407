// Stands in for the alert window program in the scheduler tests: it writes the
// arguments it was started with, one per line in UTF-8 (its own path first), to
// "calls/<pid>.txt" beside itself, and exits.

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString carpeta = QCoreApplication::applicationDirPath() + QStringLiteral("/calls");
    QDir().mkpath(carpeta);
    // Written whole under a temporary name, so the test never reads half a record.
    QSaveFile archivo(carpeta + QLatin1Char('/') + QString::number(QCoreApplication::applicationPid()) +
                      QStringLiteral(".txt"));
    if (!archivo.open(QIODevice::WriteOnly))
        return 1;
    for (const QString &argumento : QCoreApplication::arguments())
        archivo.write(argumento.toUtf8() + '\n');
    return archivo.commit() ? 0 : 1;
}
