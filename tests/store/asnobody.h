#pragma once
// Permission cases under root: root ignores mode bits, so a test function that needs
// them runs again in a child process as the user nobody (CI runs the tests as root).

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <unistd.h>

// In a test function: under root, runs this same function (and data row) as nobody and
// passes or fails with the child; otherwise does nothing and the function goes on.
#define KESTRIN_COMO_NOBODY()                                                                                      \
    do {                                                                                                           \
        if (::geteuid() != 0)                                                                                      \
            break;                                                                                                 \
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));                         \
        if (setpriv.isEmpty())                                                                                     \
            QSKIP("root ignores mode bits, and setpriv is missing to run this case as nobody");                   \
        QString funcion = QString::fromLatin1(QTest::currentTestFunction());                                       \
        if (QTest::currentDataTag())                                                                               \
            funcion += QLatin1Char(':') + QString::fromLocal8Bit(QTest::currentDataTag());                         \
        QProcess hijo;                                                                                             \
        hijo.setProcessChannelMode(QProcess::MergedChannels);                                                      \
        hijo.start(setpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),                  \
                             QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(), funcion}); \
        QVERIFY(hijo.waitForFinished(120000));                                                                     \
        const QByteArray salida = hijo.readAll();                                                                  \
        QVERIFY2(hijo.exitStatus() == QProcess::NormalExit && hijo.exitCode() == 0, salida.constData());          \
        QVERIFY2(!salida.contains("SKIP"), salida.constData());                                                    \
        return;                                                                                                    \
    } while (false)
