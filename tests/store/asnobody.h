#pragma once
// Permission cases under root: root ignores mode bits, so a test function that needs
// them runs again in a child process as the user nobody (CI runs the tests as root).
//
// nobody must reach what it runs through every parent folder, which a build in a private
// folder (a home, a `mktemp -d` clone) forbids. So the child runs a copy of the test
// program, and of each program or file the case names, in a temporary folder of its own
// that nobody can enter; Para_Nobody() gives the case the copy's path.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// The path under which the running case finds rsOriginal: the copy when it runs as
// nobody, else the original.
inline QString Para_Nobody(const QString &rsOriginal)
{
    const QString copias = qEnvironmentVariable("KESTRIN_COPIAS_NOBODY");
    return copias.isEmpty() ? rsOriginal : copias + QLatin1Char('/') + QFileInfo(rsOriginal).fileName();
}

// Copies the test program and rArchivos into rCarpeta, readable and runnable by all, and
// checks as nobody that it can reach them. Returns why not, or an empty text.
inline QString Preparar_Copias_Nobody(const QString &rsSetpriv, const QTemporaryDir &rCarpeta,
                                      const QStringList &rArchivos)
{
    if (!rCarpeta.isValid())
        return QStringLiteral("cannot make a temporary folder: ") + rCarpeta.errorString();
    const auto todos = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                       QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                       QFileDevice::ExeOther;
    QFile::setPermissions(rCarpeta.path(), todos);
    for (const QString &original : QStringList{QCoreApplication::applicationFilePath()} + rArchivos) {
        const QString copia = rCarpeta.filePath(QFileInfo(original).fileName());
        if (!QFile::copy(original, copia) || !QFile::setPermissions(copia, todos))
            return QStringLiteral("cannot copy ") + original + QStringLiteral(" to ") + copia;
    }
    QProcess prueba;
    prueba.start(rsSetpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                             QStringLiteral("--clear-groups"), QStringLiteral("test"), QStringLiteral("-x"),
                             rCarpeta.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName())});
    if (!prueba.waitForFinished(30000) || prueba.exitStatus() != QProcess::NormalExit || prueba.exitCode() != 0)
        return QStringLiteral("nobody cannot reach the temporary folder ") + rCarpeta.path() +
               QStringLiteral(" (set TMPDIR to a folder every user may enter)");
    return QString();
}

// In a test function: under root, runs this same function (and data row) as nobody and
// passes or fails with the child; otherwise does nothing and the function goes on. The
// arguments name further programs or files the case uses (found through Para_Nobody()).
#define KESTRIN_COMO_NOBODY(...)                                                                                   \
    do {                                                                                                           \
        if (::geteuid() != 0)                                                                                      \
            break;                                                                                                 \
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));                         \
        if (setpriv.isEmpty())                                                                                     \
            QSKIP("root ignores mode bits, and setpriv is missing to run this case as nobody");                   \
        QTemporaryDir copias(QDir::tempPath() + QStringLiteral("/kestrin-nobody-XXXXXX"));                         \
        const QString motivo = Preparar_Copias_Nobody(setpriv, copias, QStringList{__VA_ARGS__});                   \
        if (!motivo.isEmpty())                                                                                     \
            QSKIP(qPrintable(QStringLiteral("root ignores mode bits, and ") + motivo));                            \
        QString funcion = QString::fromLatin1(QTest::currentTestFunction());                                       \
        if (QTest::currentDataTag())                                                                               \
            funcion += QLatin1Char(':') + QString::fromLocal8Bit(QTest::currentDataTag());                         \
        QProcess hijo;                                                                                             \
        hijo.setProcessChannelMode(QProcess::MergedChannels);                                                      \
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();                                    \
        entorno.insert(QStringLiteral("KESTRIN_COPIAS_NOBODY"), copias.path());                                    \
        hijo.setProcessEnvironment(entorno);                                                                       \
        hijo.setWorkingDirectory(copias.path());                                                                   \
        hijo.start(setpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),                  \
                             QStringLiteral("--clear-groups"),                                                     \
                             copias.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName()),       \
                             funcion});                                                                            \
        QVERIFY(hijo.waitForFinished(120000));                                                                     \
        const QByteArray salida = hijo.readAll();                                                                  \
        QVERIFY2(hijo.exitStatus() == QProcess::NormalExit && hijo.exitCode() == 0, salida.constData());          \
        QVERIFY2(!salida.contains("SKIP"), salida.constData());                                                    \
        return;                                                                                                    \
    } while (false)
