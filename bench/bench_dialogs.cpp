// Opening time of the options dialog, the sound manager (50 numbered and 200 other
// sounds) and the quick reminder dialog: construction, Inicializar and the first show,
// offscreen. Goal: each under 100 ms.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_dialogs [runs]

#include "platform/fonts.h"
#include "settings/options.h"
#include "settings/quickreminder.h"
#include "settings/soundmanager.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <typename F>
void Medir(const char *rsNombre, int riVeces, F rAbrir)
{
    std::vector<double> ms;
    for (int i = 0; i < riVeces; ++i) {
        QElapsedTimer t;
        t.start();
        rAbrir();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-16s best %.1f ms, median %.1f ms, worst %.1f ms (%d runs)\n", rsNombre, ms.front(),
                ms[ms.size() / 2], ms.back(), riVeces);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int veces = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QTemporaryDir raiz;
    qputenv("XDG_CONFIG_HOME", raiz.filePath(QStringLiteral("config")).toLocal8Bit());

    TConfiguracion config;
    config.psFontMensaje = QStringLiteral("DejaVu Sans");
    TContextoOpciones opciones;
    opciones.pConfig = &config;
    opciones.aFuentes = Installed_Font_Families();
    opciones.Despertador_Disponible = [] { return true; };
    std::printf("%lld installed font families\n", static_cast<long long>(opciones.aFuentes.size()));
    Medir("options", veces, [&] {
        TfrmOpciones d(nullptr, opciones);
        d.Inicializar();
        d.show();
        QCoreApplication::processEvents();
    });

    TContextoSonidos sonidos;
    sonidos.aCarpetas.sSonidos = raiz.filePath(QStringLiteral("Sounds/"));
    sonidos.aCarpetas.sRestaurar = raiz.filePath(QStringLiteral("Default/"));
    QDir().mkpath(sonidos.aCarpetas.sSonidos);
    for (int n = 1; n <= 50; ++n) {
        QFile f(sonidos.aCarpetas.sSonidos + QStringLiteral("s%1.mp3").arg(n));
        f.open(QIODevice::WriteOnly);
    }
    for (int n = 0; n < 200; ++n) {
        QFile f(sonidos.aCarpetas.sSonidos + QStringLiteral("user sound %1.WAV").arg(n));
        f.open(QIODevice::WriteOnly);
    }
    QString predeterminado = QStringLiteral("s1.mp3");
    sonidos.pDefaultSound = &predeterminado;
    Medir("sound manager", veces, [&] {
        TfrmCambiarSonido d(nullptr, sonidos);
        d.Inicializar(Titulo_Manejador_Sonidos(0));
        d.show();
        QCoreApplication::processEvents();
    });

    TContextoRapido rapido;
    rapido.sCarpetaDatos = raiz.filePath(QStringLiteral("System/"));
    Medir("quick reminder", veces, [&] {
        TfrmQuickReminder d(nullptr, rapido);
        d.Inicializar(10, QStringLiteral("In 10 Minutes"));
        d.show();
        QCoreApplication::processEvents();
    });
    return 0;
}
