// Tray popup benchmark (a plain program, not a test):
//   1. from the call that shows a fired reminder's popup and starts its sound (as the
//      scheduler's two synchronised calls do) to the popup being on screen, to its first
//      visible fade step, and to the sound playing (position past 0); median of 20;
//   2. the CPU the process uses while popups fade in and out, and while one is displayed.
// Usage: bench_popup [--display-seconds N]   (default 5). Runs on the current display,
// or offscreen when there is none. The sound is the shipped s1.mp3.

#include "alerts/desktopalert.h"
#include "alerts/desktopalerts.h"
#include "alerts/reproductores.h"
#include "alerts/sonidosiniciales.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QEventLoop>
#include <QWindow>

#include <sys/resource.h>

#include <algorithm>

namespace {
QTextStream gSalida(stdout);

double Cpu_Ms()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return (uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1000.0 + (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1000.0;
}

double Mediana(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

// Runs the event loop until the condition holds or the limit passes; false on time-out.
template <typename F> bool Esperar(F rCondicion, int riLimiteMs)
{
    QElapsedTimer t;
    t.start();
    while (!rCondicion()) {
        if (t.elapsed() > riLimiteMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// Lets the event loop sleep (no polling) for the given time, or until rFin is emitted.
void Dormir(int riMs, QObject *rEmisor = nullptr, void (TDesktopAlerts::*rFin)(TDesktopAlert *) = nullptr)
{
    QEventLoop bucle;
    QTimer::singleShot(riMs, &bucle, &QEventLoop::quit);
    if (rEmisor && rFin)
        QObject::connect(static_cast<TDesktopAlerts *>(rEmisor), rFin, &bucle, &QEventLoop::quit);
    bucle.exec();
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    QApplication app(argc, argv);
    int segundos = 5;
    const QStringList args = app.arguments();
    const int i = args.indexOf(QStringLiteral("--display-seconds"));
    if (i > 0 && i + 1 < args.size())
        segundos = args.at(i + 1).toInt();
    gSalida << "platform: " << QGuiApplication::platformName() << '\n';

    TReproductores reproductores;
    TDesktopAlerts alertas(reproductores);
    TConfiguracion configuracion;
    alertas.pContexto.pConfiguracion = &configuracion;
    configuracion.psFontMensaje = QStringLiteral("DejaVu Sans");
    configuracion.piDesktopAlertDuracion = 10;
    const QString carpetaSonidos = Carpeta_Sonidos_Incluidos();

    // Warm-up: the first popup and the first sound load fonts, plugins and the pipeline.
    alertas.Mostrar_Desktop_Alert_Thread(QStringLiteral("/nonexistent.od"), QStringLiteral("Warm-up"), QStringLiteral("x"));
    reproductores.Tocar_Sonido_Thread(1, 0, QString(), carpetaSonidos, QStringLiteral("s1.mp3"));
    Esperar([] { return false; }, 500);
    alertas.Popups().constFirst()->Cerrar();
    reproductores.Stop_Audio_Thread();

    QList<double> visible, opaco, sonido;
    for (int n = 0; n < 20; ++n) {
        QElapsedTimer reloj;
        reloj.start();
        alertas.Mostrar_Desktop_Alert_Thread(QStringLiteral("/nonexistent.od"), QStringLiteral("Reminder %1").arg(n),
                                             QStringLiteral("Line one\r\nLine two"));
        reproductores.Tocar_Sonido_Thread(1, 1, QString(), carpetaSonidos, QStringLiteral("s1.mp3"));
        TDesktopAlert *popup = alertas.Popups().constLast();
        double tVisible = -1, tOpaco = -1, tSonido = -1;
        Esperar([&] {
            const qint64 ahora = reloj.nsecsElapsed();
            if (tVisible < 0 && popup->windowHandle() && popup->windowHandle()->isExposed())
                tVisible = ahora / 1e6;
            if (tOpaco < 0 && popup->Tiempo().Opacidad() > 0)
                tOpaco = ahora / 1e6;
            const QMediaPlayer *p = reproductores.MediaPlayerThread.Reproductor();
            if (tSonido < 0 && p && p->playbackState() == QMediaPlayer::PlayingState && p->position() > 0)
                tSonido = ahora / 1e6;
            return tVisible >= 0 && tOpaco >= 0 && tSonido >= 0;
        }, 5000);
        visible << tVisible;
        opaco << tOpaco;
        sonido << tSonido;
        popup->Cerrar();
        reproductores.Stop_Audio_Thread();
        Esperar([] { return false; }, 50);
    }
    gSalida << "call to popup on screen: median " << Mediana(visible) << " ms, worst "
            << *std::max_element(visible.begin(), visible.end()) << " ms\n";
    gSalida << "call to first visible fade step: median " << Mediana(opaco) << " ms\n";
    gSalida << "call to sound playing: median " << Mediana(sonido) << " ms, worst "
            << *std::max_element(sonido.begin(), sonido.end()) << " ms\n";

    // CPU: five popups that fade in and straight out (0 s display), one after another.
    configuracion.piDesktopAlertDuracion = 0;
    double cpu0 = Cpu_Ms();
    QElapsedTimer pared;
    pared.start();
    for (int n = 0; n < 5; ++n) {
        alertas.Mostrar_Desktop_Alert_Thread(QStringLiteral("/nonexistent.od"), QStringLiteral("Fade"), QStringLiteral("x"));
        Dormir(5000, &alertas, &TDesktopAlerts::Desktop_Alert_Close);
    }
    gSalida << "CPU while fading: " << (Cpu_Ms() - cpu0) << " ms over " << pared.elapsed() << " ms ("
            << 100.0 * (Cpu_Ms() - cpu0) / pared.elapsed() << " % of one core)\n";

    // CPU while one popup is displayed (after its fade-in), pointer away.
    configuracion.piDesktopAlertDuracion = segundos + 60;
    alertas.Mostrar_Desktop_Alert_Thread(QStringLiteral("/nonexistent.od"), QStringLiteral("Shown"), QStringLiteral("x"));
    Dormir(400);
    cpu0 = Cpu_Ms();
    pared.restart();
    Dormir(segundos * 1000);
    gSalida << "CPU while displayed: " << (Cpu_Ms() - cpu0) << " ms over " << pared.elapsed() << " ms ("
            << 100.0 * (Cpu_Ms() - cpu0) / pared.elapsed() << " % of one core)\n";
    return 0;
}
