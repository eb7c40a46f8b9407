// Opening the about box: creation, texts, picture, first paint; the goal is under 100 ms.
// Run offscreen: QT_QPA_PLATFORM=offscreen build/bench/bench_acerca [runs]

#include "settings/acerca.h"
#include "texts/language.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int veces = argc > 1 ? std::max(1, atoi(argv[1])) : 25;
    for (int lenguaje : {0, 1}) {
        Establecer_Lenguaje(lenguaje);
        std::vector<double> ms;
        for (int i = 0; i < veces; ++i) {
            QElapsedTimer reloj;
            reloj.start();
            TfrmAbout caja;
            caja.Inicializar();
            caja.show();
            if (!QTest::qWaitForWindowExposed(&caja))
                return 1;
            caja.grab(); // one full paint
            ms.push_back(reloj.nsecsElapsed() / 1e6);
        }
        const double primera = ms.front(); // the cold open the user meets first
        std::sort(ms.begin(), ms.end());
        std::printf("about box (%s): first %.1f ms, median %.1f ms, worst %.1f ms over %d runs\n",
                    lenguaje ? "es" : "en", primera, ms[ms.size() / 2], ms.back(), veces);
    }
    return 0;
}
