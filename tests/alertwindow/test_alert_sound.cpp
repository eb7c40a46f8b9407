// The alert's sound through Qt Multimedia (GStreamer): once, repeated, stopped, and the
// files that give no sound.
#include "ayudas_prueba.h"

#include "alertwindow/sonido.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestAlertSound : public QObject {
    Q_OBJECT
private slots:
    void missingFileGivesNoSound();
    void unplayableFileEndsQuietly();
    void playsOnceThenEnds();
    void repeatsUntilStopped();
    void aNewSoundReplacesTheOld();

private:
    QTemporaryDir pDir;
};

void TestAlertSound::missingFileGivesNoSound()
{
    TSonidoAlerta sonido;
    QSignalSpy vueltas(&sonido, &TSonidoAlerta::Vuelta);
    QVERIFY(!sonido.Tocar(pDir.filePath("missing.mp3"), true));
    QVERIFY(!sonido.Tocar(QString(), false));
    QVERIFY(!sonido.Tocar(pDir.path(), false)); // a folder is not a sound
    QVERIFY(!sonido.Sonando());
    QCOMPARE(vueltas.count(), 0);
    sonido.Detener(); // harmless
}

void TestAlertSound::unplayableFileEndsQuietly()
{
    const QString ruta = pDir.filePath("broken.mp3");
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, '\x5a'));
    f.close();
    TSonidoAlerta sonido;
    QSignalSpy fin(&sonido, &TSonidoAlerta::Detenido);
    QVERIFY(sonido.Tocar(ruta, true));
    QTRY_VERIFY_WITH_TIMEOUT(!sonido.Sonando(), 15000);
    QCOMPARE(fin.count(), 1);
    QVERIFY2(fin.at(0).at(0).toString().startsWith(QStringLiteral("failed")), qPrintable(fin.at(0).at(0).toString()));
    QCOMPARE(sonido.Vueltas(), 1); // a failure is not looped
}

void TestAlertSound::playsOnceThenEnds()
{
    const QString wav = pDir.filePath("once.wav");
    QVERIFY(Escribir_Wav(wav, 200));
    TSonidoAlerta sonido;
    QSignalSpy fin(&sonido, &TSonidoAlerta::Detenido);
    QVERIFY(sonido.Tocar(wav, false));
    QVERIFY(sonido.Sonando());
    QTRY_COMPARE_WITH_TIMEOUT(fin.count(), 1, 15000);
    QCOMPARE(fin.at(0).at(0).toString(), QStringLiteral("played out"));
    QCOMPARE(sonido.Vueltas(), 1);
    QVERIFY(!sonido.Sonando());
}

void TestAlertSound::repeatsUntilStopped()
{
    const QString wav = pDir.filePath("loop.wav");
    QVERIFY(Escribir_Wav(wav, 150));
    TSonidoAlerta sonido;
    QSignalSpy fin(&sonido, &TSonidoAlerta::Detenido);
    QVERIFY(sonido.Tocar(wav, true));
    QTRY_VERIFY_WITH_TIMEOUT(sonido.Vueltas() >= 3, 15000);
    QVERIFY(sonido.Sonando());
    QCOMPARE(fin.count(), 0);
    sonido.Detener();
    QVERIFY(!sonido.Sonando());
    QCOMPARE(fin.count(), 1);
    const int vueltas = sonido.Vueltas();
    QTest::qWait(600); // several lengths of the sound: it does not start again
    QCOMPARE(sonido.Vueltas(), vueltas);
    QCOMPARE(fin.count(), 1);
}

void TestAlertSound::aNewSoundReplacesTheOld()
{
    const QString largo = pDir.filePath("long.wav");
    const QString corto = pDir.filePath("short.wav");
    QVERIFY(Escribir_Wav(largo, 2000));
    QVERIFY(Escribir_Wav(corto, 200));
    TSonidoAlerta sonido;
    QSignalSpy fin(&sonido, &TSonidoAlerta::Detenido);
    QVERIFY(sonido.Tocar(largo, true));
    QVERIFY(sonido.Tocar(corto, false));
    QCOMPARE(fin.count(), 1); // the first one stopped
    QTRY_COMPARE_WITH_TIMEOUT(fin.count(), 2, 15000);
    QCOMPARE(fin.at(1).at(0).toString(), QStringLiteral("played out"));
}

QTEST_MAIN(TestAlertSound)
#include "test_alert_sound.moc"
