// The three dialogs in English and Spanish: no caption is cut short (every label,
// button and box gets at least the width its text needs), Tab follows the order they
// are read in, and a picture of each is kept in the test artifacts for a look.

#include "settings/options.h"
#include "settings/quickreminder.h"
#include "settings/soundmanager.h"
#include "texts/captions.h"
#include "ordentab.h"
#include "tempxdg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

namespace {

void Sin_Cortes(QWidget *rDialogo)
{
    const auto botones = rDialogo->findChildren<QAbstractButton *>();
    for (QAbstractButton *b : botones)
        if (b->isVisible())
            QVERIFY2(b->width() >= b->sizeHint().width(),
                     qPrintable(QStringLiteral("%1 \"%2\": %3 < %4").arg(b->objectName(), b->text())
                                    .arg(b->width()).arg(b->sizeHint().width())));
    const auto etiquetas = rDialogo->findChildren<QLabel *>();
    for (QLabel *l : etiquetas)
        if (l->isVisible() && !l->wordWrap())
            QVERIFY2(l->width() >= l->sizeHint().width(),
                     qPrintable(QStringLiteral("%1 \"%2\": %3 < %4").arg(l->objectName(), l->text())
                                    .arg(l->width()).arg(l->sizeHint().width())));
}

void Guardar(QWidget *rDialogo, const QString &rsNombre)
{
    QDir().mkpath(QStringLiteral(ARTIFACTS_DIR));
    QVERIFY(rDialogo->grab().save(QStringLiteral(ARTIFACTS_DIR "/") + rsNombre + QStringLiteral(".png")));
}

} // namespace

class TestDialogShots : public QObject {
    Q_OBJECT
private slots:
    void dialogs_data();
    void dialogs();
};

void TestDialogShots::dialogs_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::newRow("en") << 0;
    QTest::newRow("es") << 1;
}

void TestDialogShots::dialogs()
{
    QFETCH(int, lenguaje);
    const QString sufijo = lenguaje == 1 ? QStringLiteral("_es") : QStringLiteral("_en");
    TCarpetasXdgTemporales xdg;

    TConfiguracion config;
    config.psFontMensaje = QStringLiteral("DejaVu Serif");
    TContextoOpciones opciones;
    opciones.pConfig = &config;
    opciones.iLenguaje = lenguaje;
    opciones.aFuentes = QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif")};
    opciones.Despertador_Disponible = [] { return false; };
    {
        TfrmOpciones d(nullptr, opciones);
        QVERIFY(d.Inicializar());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        Sin_Cortes(&d);
        En_Orden_De_Lectura(&d, d.objectName());
        Guardar(&d, QStringLiteral("options") + sufijo);
    }

    TContextoSonidos sonidos;
    sonidos.aCarpetas.sSonidos = xdg.Comun() + QStringLiteral("/Sounds/");
    sonidos.aCarpetas.sRestaurar = xdg.Comun() + QStringLiteral("/Default/");
    for (const char *a : {"s1.mp3", "s2.mp3", "s3.mp3", "s12.mp3", "Campana de la iglesia.WAV", "horn.aiff"})
        TCarpetasXdgTemporales::Escribir(sonidos.aCarpetas.sSonidos + QLatin1String(a), "x");
    QString predeterminado = QStringLiteral("s3.mp3");
    sonidos.pDefaultSound = &predeterminado;
    sonidos.iLenguaje = lenguaje;
    {
        TfrmCambiarSonido d(nullptr, sonidos);
        QVERIFY(d.Inicializar(Titulo_Manejador_Sonidos(lenguaje)));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        Sin_Cortes(&d);
        En_Orden_De_Lectura(&d, d.objectName());
        Guardar(&d, QStringLiteral("soundmanager") + sufijo);
    }

    TContextoRapido rapido;
    rapido.iLenguaje = lenguaje;
    {
        TfrmQuickReminder d(nullptr, rapido);
        QVERIFY(d.Inicializar(10, Captions_Principal(lenguaje).asRapidos[5]));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        Sin_Cortes(&d);
        En_Orden_De_Lectura(&d, d.objectName());
        Guardar(&d, QStringLiteral("quickreminder") + sufijo);
    }
}

QTEST_MAIN(TestDialogShots)
#include "test_dialogshots.moc"
