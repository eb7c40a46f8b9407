// Stands in for Kestrin in the test of scripts/start: prints where it runs (one line:
// display, bus and data folder), then shows a window titled "Kestrin" and the tray icon
// until it is ended. With options it ends at once: with status N for "--exit N", else 0.
#include "alerts/kestrinicon.h"

#include <QApplication>
#include <QLabel>
#include <QSystemTrayIcon>

#include <cstdio>

int main(int argc, char **argv)
{
    const auto variable = [](const char *rsNombre) { return qgetenv(rsNombre).toStdString(); };
    std::printf("display=%s bus=%s data=%s args=%d\n", variable("DISPLAY").c_str(),
                variable("DBUS_SESSION_BUS_ADDRESS").c_str(), variable("XDG_DATA_HOME").c_str(), argc - 1);
    std::fflush(stdout);
    if (argc >= 2) // any option: it only prints
        return argc == 3 && QByteArray(argv[1]) == "--exit" ? QByteArray(argv[2]).toInt() : 0;

    QApplication app(argc, argv);
    QLabel ventana(QStringLiteral("Stand-in for Kestrin's main window"));
    ventana.setWindowTitle(QStringLiteral("Kestrin"));
    ventana.setAlignment(Qt::AlignCenter);
    ventana.setStyleSheet(QStringLiteral("background: #dce7f5; font-size: 18px;"));
    ventana.resize(420, 200);
    ventana.show();
    QSystemTrayIcon bandeja(Icono_Kestrin());
    bandeja.show();
    return app.exec();
}
