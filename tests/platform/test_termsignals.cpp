// SIGTERM and SIGINT reach the event loop as a Qt signal, each one once, in order, and
// a burst of them is not lost.
#include "platform/termsignals.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

class TestTermSignals : public QObject {
    Q_OBJECT
private slots:
    void delivered_data()
    {
        QTest::addColumn<QList<int>>("senales");
        QTest::newRow("term") << QList<int>{SIGTERM};
        QTest::newRow("int") << QList<int>{SIGINT};
        QTest::newRow("both, in order") << QList<int>{SIGINT, SIGTERM, SIGINT};
        QList<int> rafaga;
        for (int i = 0; i < 40; ++i)
            rafaga << SIGTERM;
        QTest::newRow("a burst larger than one read") << rafaga;
    }
    void delivered()
    {
        QFETCH(QList<int>, senales);
        TAvisoSenales aviso;
        QVERIFY(aviso.Instalado());
        QSignalSpy espia(&aviso, &TAvisoSenales::Senal_Recibida);
        for (int s : senales)
            QCOMPARE(::raise(s), 0); // the process survives: the handler is installed
        QTRY_COMPARE(espia.size(), senales.size());
        for (int i = 0; i < senales.size(); ++i)
            QCOMPARE(espia.at(i).at(0).toInt(), senales.at(i));
    }
    void one_at_a_time()
    {
        TAvisoSenales primero;
        TAvisoSenales segundo;
        QVERIFY(primero.Instalado());
        QVERIFY(!segundo.Instalado());
    }
    void reinstalled_after_release()
    {
        { TAvisoSenales aviso; }
        TAvisoSenales otra;
        QVERIFY(otra.Instalado());
        QSignalSpy espia(&otra, &TAvisoSenales::Senal_Recibida);
        ::raise(SIGTERM);
        QTRY_COMPARE(espia.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestTermSignals)
#include "test_termsignals.moc"
