#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kestrin"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.6"));
    QTextStream(stdout) << "Kestrin 1.6\n"
                           "Usage: kestrin [--help]\n";
    return 0;
}
