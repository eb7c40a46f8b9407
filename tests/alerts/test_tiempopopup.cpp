// The popup's life in time, driven by a test clock: fades, display, the pointer that
// holds it, late timers. The machine is asked at the moments it names itself, as the
// window's timer does.
#include "alerts/tiempopopup.h"

#include <QTest>

#include <functional>

namespace {
struct TIntervalo {
    qint64 desde, hasta; // the pointer is over the popup in [desde, hasta)
};
struct TControl {
    qint64 t;
    TEstadoPopup estado;
    int opacidad;
};
} // namespace
Q_DECLARE_METATYPE(QList<TIntervalo>)
Q_DECLARE_METATYPE(QList<TControl>)

class TestTiempoPopup : public QObject {
    Q_OBJECT
private slots:
    void vida_data();
    void vida();
    void fadeStepsAreEqualAndTimed();
    void lateTimerJumpsToTheRightStep();
    void closeEndsAtOnce();
    void notStartedDoesNothing();
};

static void Correr(TTiempoPopup &m, qint64 hasta, const std::function<bool(qint64)> &encima)
{
    for (int guarda = 0; guarda < 100000; ++guarda) {
        const qint64 t = m.Proximo();
        if (t < 0 || t > hasta)
            return;
        m.Avanzar(t, encima(t));
    }
    QFAIL("the machine never settles");
}

void TestTiempoPopup::vida_data()
{
    using E = TEstadoPopup;
    QTest::addColumn<int>("duracion");
    QTest::addColumn<bool>("permanente");
    QTest::addColumn<QList<TIntervalo>>("encima");
    QTest::addColumn<QList<TControl>>("controles");

    QTest::newRow("fades in, stays 1 s, fades out in 500 ms")
        << 1000 << false << QList<TIntervalo>{}
        << QList<TControl>{{0, E::Apareciendo, 0},     {124, E::Apareciendo, 102}, {249, E::Apareciendo, 229},
                           {250, E::Mostrado, 255},    {1249, E::Mostrado, 255},   {1250, E::Desapareciendo, 255},
                           {1300, E::Desapareciendo, 229}, {1700, E::Desapareciendo, 25}, {1749, E::Desapareciendo, 25},
                           {1750, E::Cerrado, 0}};
    QTest::newRow("permanent: never fades by itself")
        << 1000 << true << QList<TIntervalo>{}
        << QList<TControl>{{250, E::Mostrado, 255}, {3600000, E::Mostrado, 255}};
    QTest::newRow("permanent: fades once the pointer has passed and left")
        << 1000 << true << QList<TIntervalo>{{5000, 7000}}
        << QList<TControl>{{4999, E::Mostrado, 255}, {6999, E::Mostrado, 255}, {7000, E::Desapareciendo, 255},
                           {7500, E::Cerrado, 0}};
    QTest::newRow("pointer during fade-in: opaque at the next test")
        << 1000 << false << QList<TIntervalo>{{0, 100000}}
        << QList<TControl>{{199, E::Apareciendo, 178}, {200, E::Mostrado, 255}, {50000, E::Mostrado, 255}};
    QTest::newRow("pointer stops the display time, leaving starts the fade")
        << 1000 << false << QList<TIntervalo>{{1000, 3000}}
        << QList<TControl>{{2500, E::Mostrado, 255}, {2999, E::Mostrado, 255}, {3000, E::Desapareciendo, 255},
                           {3050, E::Desapareciendo, 229}, {3500, E::Cerrado, 0}};
    QTest::newRow("pointer during fade-out brings it back")
        << 1000 << false << QList<TIntervalo>{{1300, 1500}}
        << QList<TControl>{{1399, E::Desapareciendo, 204}, {1400, E::Mostrado, 255}, {1599, E::Mostrado, 255},
                           {1600, E::Desapareciendo, 255}, {2100, E::Cerrado, 0}};
    QTest::newRow("a pointer shorter than a test period is not seen")
        << 1000 << false << QList<TIntervalo>{{410, 590}}
        << QList<TControl>{{1250, E::Desapareciendo, 255}, {1750, E::Cerrado, 0}};
    QTest::newRow("zero seconds: straight from fade-in to fade-out")
        << 0 << false << QList<TIntervalo>{}
        << QList<TControl>{{250, E::Desapareciendo, 255}, {750, E::Cerrado, 0}};
}

void TestTiempoPopup::vida()
{
    QFETCH(int, duracion);
    QFETCH(bool, permanente);
    QFETCH(QList<TIntervalo>, encima);
    QFETCH(QList<TControl>, controles);
    TTiempoPopup m(duracion, permanente);
    m.Iniciar(0);
    const auto punteroEncima = [&](qint64 t) {
        for (const TIntervalo &i : encima)
            if (t >= i.desde && t < i.hasta)
                return true;
        return false;
    };
    for (const TControl &c : controles) {
        Correr(m, c.t, punteroEncima);
        QVERIFY2(m.Estado() == c.estado, qPrintable(QStringLiteral("at %1 ms: state %2").arg(c.t).arg(int(m.Estado()))));
        QVERIFY2(m.Opacidad() == c.opacidad,
                 qPrintable(QStringLiteral("at %1 ms: opacity %2, expected %3").arg(c.t).arg(m.Opacidad()).arg(c.opacidad)));
    }
}

void TestTiempoPopup::fadeStepsAreEqualAndTimed()
{
    TTiempoPopup m(0, false);
    m.Iniciar(1000);
    QList<qint64> momentos;
    QList<int> opacidades;
    while (m.Estado() != TEstadoPopup::Cerrado) {
        const qint64 t = m.Proximo();
        QVERIFY(t >= 1000 && t < 5000);
        const int antes = m.Opacidad();
        m.Avanzar(t, false);
        if (m.Opacidad() != antes) {
            momentos << t - 1000;
            opacidades << m.Opacidad();
        }
    }
    // Ten steps up 25 ms apart, ten down 50 ms apart starting when the fade-in ended.
    const QList<qint64> tiempos{25, 50, 75, 100, 125, 150, 175, 200, 225, 250,
                                300, 350, 400, 450, 500, 550, 600, 650, 700, 750};
    const QList<int> valores{25, 51, 76, 102, 127, 153, 178, 204, 229, 255, 229, 204, 178, 153, 127, 102, 76, 51, 25, 0};
    QCOMPARE(opacidades, valores);
    QCOMPARE(momentos, tiempos);
}

void TestTiempoPopup::lateTimerJumpsToTheRightStep()
{
    TTiempoPopup m(10000, false);
    m.Iniciar(0);
    m.Avanzar(130, false); // five steps due, one call
    QCOMPARE(m.Opacidad(), 127);
    QCOMPARE(m.Proximo(), qint64(150));
    m.Avanzar(20000, false); // the machine slept: fade-in ends now, display runs from now
    QCOMPARE(m.Estado(), TEstadoPopup::Mostrado);
    Correr(m, 29999, [](qint64) { return false; });
    QCOMPARE(m.Estado(), TEstadoPopup::Mostrado);
    Correr(m, 30000, [](qint64) { return false; });
    QCOMPARE(m.Estado(), TEstadoPopup::Desapareciendo);
}

void TestTiempoPopup::closeEndsAtOnce()
{
    TTiempoPopup m(10000, true);
    m.Iniciar(0);
    Correr(m, 500, [](qint64) { return false; });
    m.Cerrar();
    QCOMPARE(m.Estado(), TEstadoPopup::Cerrado);
    QCOMPARE(m.Opacidad(), 0);
    QCOMPARE(m.Proximo(), qint64(-1));
    m.Avanzar(600, true); // a late timer or pointer changes nothing
    QCOMPARE(m.Estado(), TEstadoPopup::Cerrado);
}

void TestTiempoPopup::notStartedDoesNothing()
{
    TTiempoPopup m(1000, false);
    m.Avanzar(100000, true);
    QCOMPARE(m.Estado(), TEstadoPopup::Creado);
    QCOMPARE(m.Proximo(), qint64(-1));
}

QTEST_APPLESS_MAIN(TestTiempoPopup)
#include "test_tiempopopup.moc"
