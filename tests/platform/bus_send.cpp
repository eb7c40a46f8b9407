// Broadcasts a message and exits at once:  bus_send NAME [TIMES] [--listen]
// Exit status 0 when every broadcast (and the listening, if asked) succeeded. It leaves
// through _exit, skipping every clean-up that could still push a queued signal out.
#include "platform/bus.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    const int veces = args.size() > 2 ? args[2].toInt() : 1;
    bool ok = true;
    if (args.contains(QStringLiteral("--listen"))) {
        TBusListener escucha;
        ok = escucha.Listen(args[1]) && ok;
    }
    for (int i = 0; i < veces; ++i)
        ok = Broadcast_Message(args[1]) && ok;
    std::fflush(stderr);
    ::_exit(ok ? 0 : 1);
}
