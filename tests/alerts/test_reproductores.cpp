// The main window's two players on GStreamer's real pipeline (a silent sink when the
// machine has no sound card, which still keeps real time): looping, stopping, replacing,
// both at once, the files that cannot play, the reminder's default sound, and the
// shipped library's files.
#include "ayudas_alerts.h"

#include "alerts/reproductores.h"
#include "alerts/sonidosiniciales.h"
#include "report/messagerecorder.h"
#include "texts/errortexts.h"

#include <QDir>
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

class TestReproductores : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void stopIsImmediate();
    void badFilesAreSilentWithOneLogLine_data();
    void badFilesAreSilentWithOneLogLine();
    void previewReportsInABoxWhenAsked();
    void bothPlayersAtOnce();
    void loopGoesOnOrEndsAsAsked();
    void tinySoundLoopsAtASanePace();
    void reminderSound_data();
    void reminderSound();
    void shippedSoundsDecodeAndLastOneToFourSeconds();

private:
    QString Archivo(const QString &rsNombre, const QByteArray &rContenido);
    QString Wav(const QString &rsNombre, int riMilisegundos);
    QTemporaryDir pDir;
    QString psWav;
};

void TestReproductores::initTestCase()
{
    QVERIFY(pDir.isValid());
    Fijar_Carpeta_Log(pDir.path() + QLatin1Char('/'));
    psWav = pDir.filePath(QStringLiteral("tone.wav"));
    QVERIFY(Escribir_Wav(psWav, 150));
}

void TestReproductores::init()
{
    QFile::remove(Ruta_Log());
}

QString TestReproductores::Wav(const QString &rsNombre, int riMilisegundos)
{
    const QString ruta = pDir.filePath(rsNombre);
    return Escribir_Wav(ruta, riMilisegundos) ? ruta : QString();
}

QString TestReproductores::Archivo(const QString &rsNombre, const QByteArray &rContenido)
{
    const QString ruta = pDir.filePath(rsNombre);
    QFile f(ruta);
    if (f.open(QIODevice::WriteOnly))
        f.write(rContenido);
    return ruta;
}

void TestReproductores::stopIsImmediate()
{
    TReproductores r;
    QSignalSpy fin(&r.MediaPlayerThread, &TSonidoAlerta::Detenido);
    QVERIFY(r.Play_Audio_Thread(psWav, true, false));
    QVERIFY(r.pbLoopSoundThread());
    QTRY_VERIFY_WITH_TIMEOUT(r.MediaPlayerThread.Vueltas() >= 3, 15000); // end-of-media restarts it
    r.Stop_Audio_Thread();
    // Stopped on return, not at the end of the current round.
    QVERIFY(!r.MediaPlayerThread.Sonando());
    QVERIFY(!r.pbLoopSoundThread());
    QCOMPARE(fin.count(), 1);
    QCOMPARE(fin.at(0).at(0).toString(), QStringLiteral("stopped"));
    const int vueltas = r.MediaPlayerThread.Vueltas();
    QTest::qWait(500); // more than three lengths of the sound
    QCOMPARE(r.MediaPlayerThread.Vueltas(), vueltas);
    r.Stop_Audio_Thread(); // twice is harmless
    QCOMPARE(fin.count(), 1);
}

void TestReproductores::badFilesAreSilentWithOneLogLine_data()
{
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<bool>("abre");
    QTest::newRow("missing") << pDir.filePath(QStringLiteral("missing.mp3")) << false;
    QTest::newRow("empty path") << QString() << false;
    QTest::newRow("a folder") << pDir.path() << false;
    QTest::newRow("text renamed .mp3")
        << Archivo(QStringLiteral("notes.mp3"), QByteArray("Buy milk\r\nCall mum\r\n").repeated(40)) << true;
    QTest::newRow("empty file") << Archivo(QStringLiteral("empty.mp3"), QByteArray()) << true;
    QTest::newRow("a wav with no samples") << Wav(QStringLiteral("no-samples.wav"), 0) << true;
    QTest::newRow("a wav header and nothing else") << Archivo(QStringLiteral("cut.wav"), QByteArray("RIFF\x24\0\0\0WAVE", 12))
                                                   << true;
}

void TestReproductores::badFilesAreSilentWithOneLogLine()
{
    QFETCH(QString, archivo);
    QFETCH(bool, abre);
    TGrabadorMensajes grabador;
    TReproductores r;
    QSignalSpy vueltas(&r.MediaPlayerThread, &TSonidoAlerta::Vuelta);
    QCOMPARE(r.Play_Audio_Thread(archivo, true, false), abre);
    QTRY_VERIFY_WITH_TIMEOUT(!r.MediaPlayerThread.Sonando(), 15000);
    QVERIFY(!r.pbLoopSoundThread());
    QTRY_COMPARE_WITH_TIMEOUT(Lineas_Log().size(), 1, 5000);
    QVERIFY2(Lineas_Log().at(0).contains(QStringLiteral("Error 210 - ")), qPrintable(Lineas_Log().at(0)));
    QVERIFY(Lineas_Log().at(0).endsWith(archivo));
    QVERIFY(grabador.paCajas.isEmpty());
    QTest::qWait(300); // a failure is neither looped nor reported twice
    QVERIFY(vueltas.count() <= 1);
    QCOMPARE(Lineas_Log().size(), 1);
    // The player still works afterwards.
    QVERIFY(r.Play_Audio_Thread(psWav, false, false));
    QTRY_VERIFY_WITH_TIMEOUT(!r.MediaPlayerThread.Sonando(), 15000);
    QCOMPARE(Lineas_Log().size(), 1);
}

void TestReproductores::previewReportsInABoxWhenAsked()
{
    TGrabadorMensajes grabador;
    TReproductores r;
    QWidget dueno;
    const QString roto = Archivo(QStringLiteral("broken.mp3"), QByteArray(4096, '\x5a'));
    QVERIFY(r.Play_Audio_Interno(&dueno, roto, false, true));
    QTRY_COMPARE_WITH_TIMEOUT(grabador.paCajas.size(), 1, 15000);
    QVERIFY(grabador.paCajas.at(0).sTexto.startsWith(QStringLiteral("Error 204. ")));
    QCOMPARE(grabador.paCajas.at(0).pOwner, &dueno);
    QVERIFY(Lineas_Log().isEmpty());
    // A missing file, asked: the box at once and false.
    QVERIFY(!r.Play_Audio_Interno(&dueno, pDir.filePath(QStringLiteral("nothing.wav")), true, true));
    QCOMPARE(grabador.paCajas.size(), 2);
    QVERIFY(grabador.paCajas.at(1).sTexto.startsWith(QStringLiteral("Error 204. ")));
    // Not asked: a log line, no box.
    QVERIFY(!r.Play_Audio_Interno(&dueno, pDir.filePath(QStringLiteral("nothing.wav")), true, false));
    QCOMPARE(grabador.paCajas.size(), 2);
    QCOMPARE(Lineas_Log().size(), 1);
}

// A repeated sound of a millisecond starts again at most twice a second (or is taken for
// no sound at all), never in a busy loop.
void TestReproductores::tinySoundLoopsAtASanePace()
{
    TReproductores r;
    QVERIFY(r.Play_Audio_Thread(Wav(QStringLiteral("tick.wav"), 1), true, false));
    QTest::qWait(1500);
    QVERIFY2(r.MediaPlayerThread.Vueltas() <= 2 + 1500 / TSonidoAlerta::kMsVueltaMinima,
             qPrintable(QString::number(r.MediaPlayerThread.Vueltas())));
    r.Stop_Audio_Thread();
}

void TestReproductores::bothPlayersAtOnce()
{
    TReproductores r;
    const QString otro = pDir.filePath(QStringLiteral("other.wav"));
    QVERIFY(Escribir_Wav(otro, 200));
    QVERIFY(r.Play_Audio_Thread(psWav, true, false));
    QVERIFY(r.Play_Audio_Interno(nullptr, otro, true, false));
    QTRY_VERIFY_WITH_TIMEOUT(r.MediaPlayerThread.Vueltas() >= 2 && r.MediaPlayerInterno.Vueltas() >= 2, 15000);
    r.Stop_Audio_Interno();
    QVERIFY(!r.MediaPlayerInterno.Sonando());
    QVERIFY(r.MediaPlayerThread.Sonando());
    const int vueltas = r.MediaPlayerThread.Vueltas();
    QTRY_VERIFY_WITH_TIMEOUT(r.MediaPlayerThread.Vueltas() > vueltas, 15000); // still looping
    r.Stop_Audio_Thread();
    QVERIFY(!r.MediaPlayerThread.Sonando());
}

void TestReproductores::loopGoesOnOrEndsAsAsked()
{
    TReproductores r;
    // A later reminder whose sound file is missing leaves the earlier one's loop playing.
    QVERIFY(r.Play_Audio_Thread(psWav, true, false));
    QTRY_VERIFY_WITH_TIMEOUT(r.MediaPlayerThread.Vueltas() >= 2, 15000);
    r.Tocar_Sonido_Thread(0, 1, pDir.filePath(QStringLiteral("gone.wav")), QString(), QString());
    QVERIFY(r.pbLoopSoundThread());
    const int vueltas = r.MediaPlayerThread.Vueltas();
    QTRY_VERIFY_WITH_TIMEOUT(r.MediaPlayerThread.Vueltas() > vueltas, 15000);
    r.Stop_Audio_Thread();
    // Looping turned off while a preview repeats: it ends at its end, once.
    QSignalSpy fin(&r.MediaPlayerInterno, &TSonidoAlerta::Detenido);
    QVERIFY(r.Play_Audio_Interno(nullptr, psWav, true, false));
    QTRY_VERIFY_WITH_TIMEOUT(r.MediaPlayerInterno.Vueltas() >= 2, 15000);
    r.Loop_Audio_Interno(false);
    QVERIFY(!r.pbLoopSound());
    QTRY_VERIFY_WITH_TIMEOUT(!r.MediaPlayerInterno.Sonando(), 15000);
    QCOMPARE(fin.count(), 1);
    QCOMPARE(fin.at(0).at(0).toString(), QStringLiteral("played out"));
    QVERIFY(r.MediaPlayerInterno.Vueltas() <= 3);
}

void TestReproductores::reminderSound_data()
{
    QTest::addColumn<int>("usarDefault");
    QTest::addColumn<QString>("defaultSound");
    QTest::addColumn<QString>("propio");
    QTest::addColumn<bool>("suena");
    const QString propio = pDir.filePath(QStringLiteral("own.wav"));
    QTest::newRow("the shipped default s1.mp3") << 1 << "s1.mp3" << propio << true;
    QTest::newRow("default sound deleted") << 1 << "s49.mp3" << propio << false;
    QTest::newRow("its own sound") << 0 << "s1.mp3" << propio << true;
    QTest::newRow("its own sound deleted") << 0 << "s1.mp3" << pDir.filePath(QStringLiteral("gone.wav")) << false;
    QTest::newRow("no path at all") << 0 << "s1.mp3" << QString() << false;
}

void TestReproductores::reminderSound()
{
    QFETCH(int, usarDefault);
    QFETCH(QString, defaultSound);
    QFETCH(QString, propio);
    QFETCH(bool, suena);
    QVERIFY(Escribir_Wav(pDir.filePath(QStringLiteral("own.wav")), 150));
    TGrabadorMensajes grabador;
    TReproductores r;
    r.Tocar_Sonido_Thread(usarDefault, 1, propio, Carpeta_Sonidos_Incluidos(), defaultSound);
    QCOMPARE(r.MediaPlayerThread.Sonando(), suena);
    QCOMPARE(r.pbLoopSoundThread(), suena);
    QVERIFY(grabador.paCajas.isEmpty()); // a reminder's sound never shows a box
    if (suena) {
        QTest::qWait(300);
        QVERIFY(r.MediaPlayerThread.Sonando()); // no late failure either
        // Without an audio output (no sound card, no sound server) the log says so, once
        // for all the sounds of a start.
        const QStringList esperado = TSonidoAlerta::Hay_Salida_Audio()
            ? QStringList() : QStringList{Texto_Sin_Salida_Audio(0)};
        r.Tocar_Sonido_Thread(usarDefault, 0, propio, Carpeta_Sonidos_Incluidos(), defaultSound);
        QStringList lineas = Lineas_Log();
        for (QString &l : lineas)
            l = l.section(QStringLiteral(" - "), 1); // without the date
        QCOMPARE(lineas, esperado);
    } else {
        QCOMPARE(Lineas_Log().size(), 1);
    }
    r.Stop_Audio_Thread();
}

void TestReproductores::shippedSoundsDecodeAndLastOneToFourSeconds()
{
    const QDir carpeta(Carpeta_Sonidos_Incluidos());
    const QStringList archivos = carpeta.entryList({QStringLiteral("s*.mp3")}, QDir::Files);
    QVERIFY2(archivos.size() >= 10, qPrintable(carpeta.path()));
    for (int n = 1; n <= archivos.size(); ++n)
        QVERIFY2(archivos.contains(QStringLiteral("s%1.mp3").arg(n)), "numbered from s1.mp3 without gaps");
    for (const QString &nombre : archivos) {
        // GStreamer knows an mp3's length once it plays.
        QMediaPlayer player;
        QAudioOutput salida;
        salida.setVolume(0);
        player.setAudioOutput(&salida);
        player.setSource(QUrl::fromLocalFile(carpeta.filePath(nombre)));
        player.play();
        QTRY_VERIFY2_WITH_TIMEOUT(player.duration() > 0 || player.error() != QMediaPlayer::NoError, qPrintable(nombre),
                                  15000);
        QCOMPARE(player.error(), QMediaPlayer::NoError);
        player.stop();
        QVERIFY2(player.duration() >= 1000 && player.duration() <= 4000,
                 qPrintable(nombre + QStringLiteral(": %1 ms").arg(player.duration())));
    }
}

QTEST_MAIN(TestReproductores)
#include "test_reproductores.moc"
