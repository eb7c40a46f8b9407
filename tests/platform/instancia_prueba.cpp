// A small program for the single-instance tests and for the command line's, as a
// stand-in for a running Kestrin.
//   instancia_prueba probe           prints "running" or "free"
//   instancia_prueba acquire [--wait-go] [--hold] [--spawn-child]
// acquire prints "ready", waits for a line on stdin with --wait-go (so that many copies
// try at the same moment), then one line: "owner again=A running=R" (A: a second call
// also succeeds, R: it sees another owner) or "second". With --spawn-child the owner
// starts "sleep 60" and prints "child PID". With --hold the owner prints "received NAME"
// for each broadcast message and lives until its stdin closes.
#include "platform/bus.h"
#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSocketNotifier>

#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {
void Decir(const QByteArray &rsLinea)
{
    std::fputs((rsLinea + '\n').constData(), stdout);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    if (args[1] == QLatin1String("probe")) {
        Decir(Instancia_Corriendo() ? "running" : "free");
        return 0;
    }
    if (args[1] != QLatin1String("acquire"))
        return 2;

    Decir("ready");
    if (args.contains(QStringLiteral("--wait-go"))) {
        std::string linea;
        std::getline(std::cin, linea);
    }
    switch (Adquirir_Instancia_Unica()) {
    case TAdquisicion::Propia:
        break;
    case TAdquisicion::OtraCorre:
        Decir("second");
        return 0;
    case TAdquisicion::Imposible:
        Decir("refused");
        return 1;
    }
    const bool otraVez = Adquirir_Instancia_Unica() == TAdquisicion::Propia;
    const bool corriendo = Instancia_Corriendo();
    // With --hold, listen before saying "owner": a test broadcasts as soon as it reads it.
    TBusListener escucha;
    if (args.contains(QStringLiteral("--hold"))) {
        for (const QString &nombre : Kestrin_Messages())
            escucha.Listen(nombre); // without a bus nothing arrives, which is fine
        QObject::connect(&escucha, &TBusListener::Message_Received,
                         [](const QString &rsNombre) { Decir("received " + rsNombre.toUtf8()); });
    }
    Decir(QByteArray("owner again=") + (otraVez ? "1" : "0") + " running=" + (corriendo ? "1" : "0"));

    if (args.contains(QStringLiteral("--spawn-child"))) {
        qint64 pid = 0;
        if (!QProcess::startDetached(QStringLiteral("sleep"), {QStringLiteral("60")}, QString(), &pid))
            return 3;
        Decir("child " + QByteArray::number(pid));
    }
    if (!args.contains(QStringLiteral("--hold")))
        return 0;

    QSocketNotifier entrada(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&entrada, &QSocketNotifier::activated, [&] {
        char buf[256];
        if (::read(STDIN_FILENO, buf, sizeof buf) <= 0)
            app.quit();
    });
    return app.exec();
}
