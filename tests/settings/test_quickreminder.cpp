// Quick reminders: the start, the file written (read back and deciphered), that a new
// file never replaces another, the dialog's defaults and failures, and the menus.

#include "report/messagerecorder.h"
#include "settings/quickreminder.h"
#include "settings/quickreminderfile.h"
#include "store/daycount.h"
#include "store/reminderfile.h"
#include "store/textforms.h"
#include "texts/captions.h"
#include "tempxdg.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include <memory>

namespace {

double D(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return Fecha_Hora_a_Dias(QDate(y, mo, d), QTime(h, mi, s, ms));
}

QStringList Lineas(const QString &rsArchivo)
{
    QStringList lineas;
    if (Leer_Lineas_Planas(rsArchivo, lineas) != TLectura::Ok)
        qWarning("cannot read %s", qPrintable(rsArchivo));
    return lineas;
}

} // namespace

class TestQuickReminder : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void start_data();
    void start();
    void fileLines_data();
    void fileLines();
    void dialogDefaults();
    void dialogSaves();
    void dialogNoDataFolder();
    void menus_data();
    void menus();

private:
    std::unique_ptr<TCarpetasXdgTemporales> pXdg;
    std::unique_ptr<TGrabadorMensajes> pCajas;
    QString Datos() const { return pXdg->Datos() + QStringLiteral("/Kestrin/System/"); }
    QString Sonidos() const { return pXdg->Comun() + QStringLiteral("/Kestrin/Sounds/"); }
};

void TestQuickReminder::init()
{
    pXdg = std::make_unique<TCarpetasXdgTemporales>();
    pCajas = std::make_unique<TGrabadorMensajes>();
}

void TestQuickReminder::cleanup()
{
    Establecer_Reloj({});
    pCajas.reset();
    pXdg.reset();
}

void TestQuickReminder::start_data()
{
    QTest::addColumn<double>("ahora");
    QTest::addColumn<int>("minutos");
    QTest::addColumn<double>("inicio");
    QTest::newRow("5 hours past midnight") << D(2026, 3, 10, 22, 30, 15) << 300 << D(2026, 3, 11, 3, 30, 15);
    QTest::newRow("seconds and ms kept") << D(2026, 3, 10, 8, 0, 59, 250) << 1 << D(2026, 3, 10, 8, 1, 59, 250);
    QTest::newRow("year end") << D(2026, 12, 31, 23, 59, 30) << 1 << D(2027, 1, 1, 0, 0, 30);
    QTest::newRow("leap day") << D(2028, 2, 28, 23, 0) << 120 << D(2028, 2, 29, 1, 0);
    QTest::newRow("five years") << D(2026, 1, 1) << 2629800 << D(2031, 1, 1, 6, 0);
}

void TestQuickReminder::start()
{
    QFETCH(double, ahora);
    QFETCH(int, minutos);
    QFETCH(double, inicio);
    QCOMPARE(Dias_a_Milisegundos(Inicio_Recordatorio_Rapido(ahora, minutos)), Dias_a_Milisegundos(inicio));
}

void TestQuickReminder::fileLines_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<bool>("sonido");
    QTest::addColumn<bool>("autoDelete");
    QTest::addColumn<QStringList>("esperadas");
    const double inicio = D(2026, 3, 11, 3, 30, 15);
    const double ahora = D(2026, 3, 10, 22, 30, 15);
    const QString fi = Float_To_Str_Sin_Punto(inicio);
    const QString fc = Float_To_Str_Sin_Punto(ahora);
    const QString cero = Float_To_Str_Sin_Punto(0);
    const QString sonido = QStringLiteral("PathSonido=%SOUNDS%s4.mp3");
    const QStringList cola{"TareaTipo=1", "FechaInicio=" + fi};
    QTest::newRow("memo lines, sound")
        << 0 << "Call\n   \n\n  back" << true << true
        << (QStringList{"TaskName1=Quick Reminder", "Mensaje1=Call", "Mensaje2=  back",
                        "Summary1=One time. Mar 11, 2026 at 3:30:15 AM", "Lenguaje=0", "AlertWindow=3", "TocarSonido=1",
                        "UsarSonidoDefault=1", "SonidoElegido=", sonido, "RepetirSonido=1"}
            + cola + QStringList{"AutoDelete=1", "FechaCreacion=" + fc, "SnoozeTime=-1", "SnoozeRun=" + cero,
                                 "LastRunTime=" + cero});
    QTest::newRow("empty memo, no sound, spanish")
        << 1 << "" << false << false
        << (QStringList{"TaskName1=Recordatorio Rápido", "Summary1=Solo Una Vez. 11/Mar/2026 a las 3:30:15 AM",
                        "Lenguaje=1", "AlertWindow=3", "TocarSonido=0", "UsarSonidoDefault=1", "PathSonido=0",
                        "RepetirSonido=0"}
            + cola + QStringList{"AutoDelete=0", "FechaCreacion=" + fc, "SnoozeTime=-1", "SnoozeRun=" + cero,
                                 "LastRunTime=" + cero});
}

void TestQuickReminder::fileLines()
{
    QFETCH(int, lenguaje);
    QFETCH(QString, mensaje);
    QFETCH(bool, sonido);
    QFETCH(bool, autoDelete);
    QFETCH(QStringList, esperadas);
    esperadas.replaceInStrings(QStringLiteral("%SOUNDS%"), Sonidos());
    TRecordatorioRapido r;
    r.iLenguaje = lenguaje;
    r.sMensaje = mensaje;
    r.dInicio = D(2026, 3, 11, 3, 30, 15, 700); // the milliseconds are not stored
    r.bAutoDelete = autoDelete;
    r.bSonido = sonido;
    QString archivo;
    QCOMPARE(Grabar_Recordatorio_Rapido(Datos(), Sonidos(), QStringLiteral("s4.mp3"), r, D(2026, 3, 10, 22, 30, 15, 400),
                                        archivo),
             TGrabacionRapida::Ok);
    QVERIFY(QFileInfo(archivo).fileName().startsWith(QStringLiteral("data")));
    QVERIFY(archivo.endsWith(QStringLiteral(".od")));
    QCOMPARE(QFileInfo(archivo).absolutePath() + u'/', Datos());
    const QStringList lineas = Lineas(archivo);
    if (lineas != esperadas) {
        qWarning().noquote() << "got:\n" << lineas.join('\n');
        QFAIL("lines differ");
    }
    // And the loader takes it as a valid one-time reminder.
    TTipoTarea t;
    int codigo = -1;
    QCOMPARE(Leer_Archivo_Tarea(archivo, t, codigo), TLectura::Ok);
    QCOMPARE(codigo, 0);
    QCOMPARE(t.tiTareaTipo, TAREA_UNA_VEZ);
}

void TestQuickReminder::dialogDefaults()
{
    Establecer_Reloj([] { return QDateTime(QDate(2026, 3, 10), QTime(22, 30, 15)); });
    TContextoRapido c;
    c.sCarpetaDatos = Datos();
    c.iLenguaje = 1;
    TfrmQuickReminder d(nullptr, c);
    QVERIFY(d.Inicializar(300, Captions_Principal(1).asRapidos[15]));
    d.show();
    QCOMPARE(d.windowTitle(), QStringLiteral("Recordatorio Rápido - En 5 Horas"));
    QCOMPARE(d.findChild<QDateEdit *>(QStringLiteral("DateTimePickerFechaInicio"))->date(), QDate(2026, 3, 11));
    QCOMPARE(d.findChild<QTimeEdit *>(QStringLiteral("DateTimePickerHoraInicio"))->time(), QTime(3, 30, 15));
    QVERIFY(d.findChild<QCheckBox *>(QStringLiteral("CheckBoxAutoDelete"))->isChecked());
    QCOMPARE(d.findChild<QCheckBox *>(QStringLiteral("CheckBoxAutoDelete"))->text(), QStringLiteral("Borrar Automáticamente"));
    QVERIFY(d.findChild<QCheckBox *>(QStringLiteral("CheckBoxPlaySound"))->isChecked());
    QCOMPARE(d.focusWidget(), d.findChild<QPlainTextEdit *>(QStringLiteral("MemoMensaje")));
    QCOMPARE(Titulo_Recordatorio_Rapido(0, QStringLiteral("In &10 Minutes")), QStringLiteral("Quick Reminder - In 10 Minutes"));
    // Cancel writes nothing.
    QTest::keyClick(&d, Qt::Key_Escape);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(!QDir(Datos()).exists() || QDir(Datos()).entryList(QDir::Files).isEmpty());
}

void TestQuickReminder::dialogSaves()
{
    Establecer_Reloj([] { return QDateTime(QDate(2026, 3, 10), QTime(9, 0, 0)); });
    QStringList agregados;
    TContextoRapido c;
    c.sCarpetaDatos = Datos();
    c.sCarpetaSonidos = Sonidos();
    c.sDefaultSound = QStringLiteral("Bell.WAV");
    c.Recordatorio_Agregado = [&](const QString &rs) { agregados << rs; };
    TfrmQuickReminder d(nullptr, c);
    QVERIFY(d.Inicializar(10, Captions_Principal(0).asRapidos[5]));
    d.show();
    QTest::keyClicks(d.findChild<QPlainTextEdit *>(QStringLiteral("MemoMensaje")), QStringLiteral("Tea"));
    // The user moves the start into the past: saved as it is.
    d.findChild<QTimeEdit *>(QStringLiteral("DateTimePickerHoraInicio"))->setTime(QTime(8, 15, 5));
    d.findChild<QCheckBox *>(QStringLiteral("CheckBoxAutoDelete"))->setChecked(false);
    QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("BitBtnAceptar")), Qt::LeftButton);
    QVERIFY2(pCajas->paCajas.isEmpty(), qPrintable(pCajas->paCajas.value(0).sTexto));
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(agregados, QStringList{d.Archivo_Grabado()});
    const QStringList lineas = Lineas(d.Archivo_Grabado());
    QVERIFY(lineas.contains(QStringLiteral("Mensaje1=Tea")));
    QVERIFY(lineas.contains("FechaInicio=" + Float_To_Str_Sin_Punto(D(2026, 3, 10, 8, 15, 5))));
    QVERIFY(lineas.contains(QStringLiteral("AutoDelete=0")));
    QVERIFY(lineas.contains("PathSonido=" + Sonidos() + "Bell.WAV"));
}

void TestQuickReminder::dialogNoDataFolder()
{
    TCarpetasXdgTemporales::Bloquear_Con_Archivo(Datos().chopped(1)); // a file where the folder should be
    bool llamado = false;
    TContextoRapido c;
    c.sCarpetaDatos = Datos();
    c.Recordatorio_Agregado = [&](const QString &) { llamado = true; };
    TfrmQuickReminder d(nullptr, c);
    QVERIFY(d.Inicializar(1, Captions_Principal(0).asRapidos[0]));
    d.show();
    QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("BitBtnAceptar")), Qt::LeftButton);
    QCOMPARE(pCajas->paCajas.size(), 1);
    QCOMPARE(pCajas->paCajas[0].sTexto, "There is no access to directory: " + Datos());
    QCOMPARE(pCajas->paCajas[0].iIcono, MB_ICONERROR);
    QVERIFY(d.isVisible());
    QVERIFY(!llamado);
}

void TestQuickReminder::menus_data()
{
    QTest::addColumn<bool>("bandeja");
    QTest::addColumn<int>("lenguaje");
    QTest::newRow("main menu, english") << false << 0;
    QTest::newRow("tray, spanish") << true << 1;
}

void TestQuickReminder::menus()
{
    QFETCH(bool, bandeja);
    QFETCH(int, lenguaje);
    QMenu menu;
    QList<QPair<int, QString>> elegidos;
    Llenar_Menu_Recordatorio_Rapido(&menu, bandeja, lenguaje,
                                    [&](int riMinutos, const QString &rs) { elegidos.append({riMinutos, rs}); });
    QCOMPARE(menu.actions().size(), 16);
    QCOMPARE(menu.title(), bandeja ? Captions_Principal(lenguaje).mTrayRecordatorioRapido
                                   : Captions_Principal(lenguaje).mRecordatorioRapido);
    const QStringList nombres{"En1Minuto", "En2Minutos", "En3Minutos", "En4Minutos", "En5Minutos", "En10Minutos",
                              "En15Minutos", "En20Minutos", "En30Minutos", "En40Minutos", "En50Minutos", "En1Hora",
                              "En2Horas", "En3Horas", "En4Horas", "En5Horas"};
    for (int i = 0; i < 16; ++i) {
        QAction *a = menu.actions()[i];
        QCOMPARE(a->objectName(), (bandeja ? "mTray" : "m") + nombres[i]);
        QCOMPARE(a->text(), Captions_Principal(lenguaje).asRapidos[i]);
        a->trigger();
    }
    QCOMPARE(elegidos.size(), 16);
    QCOMPARE(elegidos[11], qMakePair(60, Captions_Principal(lenguaje).asRapidos[11]));
    QCOMPARE(elegidos[15].first, 300);
    // Re-labelled at run time: the entries speak the other language.
    Textos_Menu_Recordatorio_Rapido(&menu, bandeja, 1 - lenguaje);
    QCOMPARE(menu.actions()[0]->text(), Captions_Principal(1 - lenguaje).asRapidos[0]);
    menu.actions()[0]->trigger();
    QCOMPARE(elegidos.last(), qMakePair(1, Captions_Principal(1 - lenguaje).asRapidos[0]));
}

QTEST_MAIN(TestQuickReminder)
#include "test_quickreminder.moc"
