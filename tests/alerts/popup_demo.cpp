// The end-to-end test's program: a tray icon and the popups wired the way the main
// window wires them (the real TDesktopAlerts and TReproductores), shown for reminder
// files given on the command line. What happens is printed on stdout, one line each:
// the popups' menus shown and hidden, their entry selected, the widget given the focus.
//
//   kestrin_popup_demo [--language 0|1] [--seconds N] [--permanent] [--sound FILE]
//                      [--notify] [--snooze MINUTES] [--delay MS] FILE NAME MESSAGE [...]
// --notify turns desktop notifications on; --snooze is the default snooze time.
//   kestrin_popup_demo --holder TITLE      a plain window that takes the focus and says
//                                          the keys it gets
#include "alerts/kestrinicon.h"
#include "alerts/desktopalert.h"
#include "alerts/desktopalerts.h"
#include "alerts/reproductores.h"
#include "texts/language.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>

static void Decir(const QString &rsLinea)
{
    std::printf("%s\n", qPrintable(rsLinea));
    std::fflush(stdout);
}

// Says the keys a window gets (and keeps them from it), or what the popups' menus do.
class TTestigo : public QObject {
public:
    bool pbTeclas = false;
    bool eventFilter(QObject *rObjeto, QEvent *rEvento) override
    {
        if (pbTeclas && rEvento->type() == QEvent::KeyPress) {
            Decir(QStringLiteral("holder key ") + QKeySequence(static_cast<QKeyEvent *>(rEvento)->keyCombination()).toString());
            return true;
        }
        // On X the Menu key comes as a context menu request before its key press.
        if (pbTeclas && rEvento->type() == QEvent::ContextMenu) {
            Decir(QStringLiteral("holder context menu"));
            return true;
        }
        auto *menu = qobject_cast<QMenu *>(rObjeto);
        auto *popup = menu ? qobject_cast<TDesktopAlert *>(menu->parentWidget()) : nullptr;
        if (popup && rEvento->type() == QEvent::Show) {
            Decir(QStringLiteral("menu shown ") + popup->windowTitle());
            // After what the opening queued: the entry it starts on.
            QTimer::singleShot(0, menu, [menu] {
                Decir(QStringLiteral("menu entry ") + (menu->activeAction() ? menu->activeAction()->text() : QString()));
            });
        }
        else if (popup && rEvento->type() == QEvent::Hide)
            Decir(QStringLiteral("menu hidden"));
        return false;
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    if (args.size() == 2 && args[0] == QLatin1String("--holder")) {
        QLineEdit editor;
        editor.setWindowTitle(args[1]);
        editor.setText(QStringLiteral("typing here"));
        editor.resize(300, 60);
        TTestigo testigo;
        testigo.pbTeclas = true;
        editor.installEventFilter(&testigo);
        editor.move(40, 40);
        editor.show();
        return app.exec();
    }

    TConfiguracion config;
    config.psFontMensaje = QStringLiteral("DejaVu Sans");
    QString sonido;
    int demora = 0;
    while (!args.isEmpty() && args[0].startsWith(QLatin1String("--"))) {
        const QString opcion = args.takeFirst();
        if (opcion == QLatin1String("--permanent"))
            config.pbDesktopAlertPermanent = true;
        else if (opcion == QLatin1String("--language") && !args.isEmpty())
            Establecer_Lenguaje(args.takeFirst().toInt());
        else if (opcion == QLatin1String("--seconds") && !args.isEmpty())
            config.piDesktopAlertDuracion = args.takeFirst().toInt();
        else if (opcion == QLatin1String("--sound") && !args.isEmpty())
            sonido = args.takeFirst();
        else if (opcion == QLatin1String("--notify"))
            config.pbDesktopNotifications = true;
        else if (opcion == QLatin1String("--snooze") && !args.isEmpty())
            config.piDefaultSnoozeTime = args.takeFirst().toInt();
        else if (opcion == QLatin1String("--delay") && !args.isEmpty())
            demora = args.takeFirst().toInt();
        else
            return 1;
    }
    if (args.isEmpty() || args.size() % 3 != 0)
        return 1;

    QSystemTrayIcon bandeja(Icono_Kestrin());
    bandeja.show();
    TReproductores reproductores;
    QObject::connect(&reproductores.MediaPlayerThread, &TSonidoAlerta::Vuelta, [](int riVuelta) {
        Decir(riVuelta == 1 ? QStringLiteral("sound playing") : QStringLiteral("sound again"));
    });
    QObject::connect(&reproductores.MediaPlayerThread, &TSonidoAlerta::Detenido,
                     [](const QString &rsMotivo) { Decir(QStringLiteral("sound ended: ") + rsMotivo); });
    TDesktopAlerts alertas(reproductores);
    alertas.pContexto.pConfiguracion = &config;
    alertas.pContexto.Abrir_Kestrin = [] { Decir(QStringLiteral("open kestrin")); };
    alertas.pContexto.Tras_Posponer = [](const QString &rsArchivo) { Decir(QStringLiteral("snoozed ") + rsArchivo); };
    alertas.pContexto.Geometria_Bandeja = [&bandeja] { return bandeja.geometry(); };
    QObject::connect(&alertas, &TDesktopAlerts::Desktop_Alert_Close, [] { Decir(QStringLiteral("popup closed")); });
    TTestigo testigo;
    app.installEventFilter(&testigo);
    QObject::connect(&app, &QApplication::focusChanged, [](QWidget *, QWidget *rAhora) {
        if (rAhora)
            Decir(QStringLiteral("focus ") + rAhora->objectName());
    });

    // Like the scheduler: the popups of one second, then the sound.
    QTimer::singleShot(demora, [&] {
        for (int i = 0; i + 2 < args.size(); i += 3) {
            if (alertas.Mostrar_Desktop_Alert_Thread(args[i], args[i + 1], args[i + 2], !sonido.isEmpty()))
                Decir(QStringLiteral("popup shown ") + args[i + 1]);
        }
        if (!sonido.isEmpty())
            reproductores.Tocar_Sonido_Thread(0, 1, sonido, QString(), QString());
        const QRect lugar = alertas.Popups().isEmpty() ? QRect() : alertas.Popups().constFirst()->geometry();
        Decir(QStringLiteral("tray %1,%2 %3x%4; first popup %5,%6 %7x%8")
                  .arg(bandeja.geometry().x()).arg(bandeja.geometry().y())
                  .arg(bandeja.geometry().width()).arg(bandeja.geometry().height())
                  .arg(lugar.x()).arg(lugar.y()).arg(lugar.width()).arg(lugar.height()));
    });
    return app.exec();
}
