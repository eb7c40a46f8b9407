// The reminder wizard driven as a user would: offscreen, controls found by name, keys
// and clicks from QTest, boxes answered by the recorder. Files are checked with the
// store and with the built "kestrin --list --json".

#include "ayudas_asistente.h"
#include "../platform/ordentab.h"

#include "editor/asistente.h"
#include "report/messagerecorder.h"
#include "settings/registry.h"
#include "store/daycount.h"
#include "store/loader.h"
#include "store/reminderfile.h"
#include "store/textforms.h"
#include "store/writer.h"
#include "editor/summary.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimeEdit>

#include <functional>
#include <memory>

using TPreparar = std::function<void(QObject *)>;
Q_DECLARE_METATYPE(TPreparar)
using TAjustar = std::function<void(TTipoTarea &)>;
Q_DECLARE_METATYPE(TAjustar)

namespace {
const QDateTime kAhora(QDate(2026, 3, 10), QTime(12, 0, 0)); // a Tuesday

double D(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return Fecha_Hora_a_Dias(QDate(y, mo, d), QTime(h, mi, s));
}

QString Carpeta_Programa()
{
    return QFileInfo(QStringLiteral(ALERTWINDOW_BIN)).absolutePath() + QLatin1Char('/');
}

QString Pagina(TfrmAgregarTarea *f)
{
    return Control<QStackedWidget>(f, "PageControl")->currentWidget()->objectName();
}

QString Foco()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("<none>");
}

void Click(QObject *f, const char *rsNombre)
{
    QAbstractButton *b = Control<QAbstractButton>(f, rsNombre);
    QVERIFY2(b->isEnabled(), rsNombre);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, 4));
}

void Fecha(QObject *f, const char *rsFecha, const char *rsHora, const QDateTime &rdValor)
{
    Control<QDateEdit>(f, rsFecha)->setDate(rdValor.date());
    if (rsHora)
        Control<QTimeEdit>(f, rsHora)->setTime(rdValor.time());
}

QMap<QString, QString> Valores(const QString &rsArchivo)
{
    QStringList lineas;
    Leer_Lineas_Planas(rsArchivo, lineas);
    QMap<QString, QString> m;
    for (const QString &l : lineas)
        m.insert(l.section('=', 0, 0), l.section('=', 1));
    return m;
}

QByteArray Bytes(const QString &rsArchivo)
{
    QFile f(rsArchivo);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// The running alert windows started on a file below rsCarpeta (other tests on this
// machine may run alert windows of their own).
QList<qint64> Procesos_AlertWindow(const QString &rsCarpeta)
{
    QList<qint64> pids;
    for (const QString &d : QDir("/proc").entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = d.toLongLong(&ok);
        if (!ok || !Proceso_Es_Programa(pid, "AlertWindow"))
            continue;
        QFile linea("/proc/" + d + "/cmdline");
        if (linea.open(QIODevice::ReadOnly) && linea.readAll().contains(rsCarpeta.toLocal8Bit()))
            pids << pid;
    }
    return pids;
}
} // namespace

class TstAsistente : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void nueva_valores_data();
    void nueva_valores();
    void editar_abre_pagina_data();
    void editar_abre_pagina();
    void tipo5_directo();
    void siguiente_rechazado_data();
    void siguiente_rechazado();
    void mensual_todos_ninguno();
    void lista_horas();
    void nombre_vacio();
    void sonido_controles();
    void sonido_elegido_falta_data();
    void sonido_elegido_falta();
    void sonido_vista_previa();
    void ida_y_vuelta_data();
    void ida_y_vuelta();
    void editar_sin_cambios_data();
    void editar_sin_cambios();
    void ajustes_actuales();
    void cambiar_tipo();
    void inicio_con_sistema_data();
    void inicio_con_sistema();
    void prueba_ventana();
    void prueba_sin_alertwindow();
    void prueba_popup();
    void teclado_agrega();
    void teclado_escape_y_memo();
    void orden_de_tab();
    void una_sola_vez();
    void limites();
    void sin_acceso_directorio();
    void inicio_con_sistema_falla();
    void prueba_carpeta_temporal();

private:
    std::unique_ptr<TEntornoAsistente> pEntorno;
    std::unique_ptr<TGrabadorMensajes> pCajas;
    TReproductorGrabador pReproductor;
    QStringList paGuardados;
    QList<std::tuple<QString, QString, QString>> paPopups;
    QStringList paManejador;
    QString psConfig;
    QTemporaryDir pConfig;
    TConfiguracion pVentana; // the main window's settings, which the wizard reads
    QString psFalloPopup;    // what the test popup answers: empty, or why it cannot be shown

    TContextoAsistente Contexto(int riLenguaje = 0, const std::optional<TTipoTarea> &rTarea = std::nullopt)
    {
        TContextoAsistente c;
        c.pCarpetas = pEntorno->pCarpetas;
        c.pConfiguracion = &pVentana;
        c.piLenguaje = riLenguaje;
        c.pTarea = rTarea;
        c.piIndice = rTarea ? 0 : -1;
        c.psEjecutable = QStringLiteral("/opt/kestrin dir/kestrin");
        c.pReproductor = &pReproductor;
        c.Tras_Guardar = [this](const QString &a) { paGuardados << a; };
        c.Mostrar_Popup_Prueba = [this](const QString &a, const QString &n, const QString &m) {
            paPopups << std::make_tuple(a, n, m);
            return psFalloPopup;
        };
        c.Abrir_Manejador_Sonidos = [this](QWidget *, const QString &rsCaption) {
            paManejador << rsCaption;
            QFile f(pEntorno->pCarpetas.psAppDataSoundsAllUsers + "added.wav");
            f.open(QIODevice::WriteOnly);
        };
        return c;
    }
    std::unique_ptr<TfrmAgregarTarea> Abrir(const TContextoAsistente &rContexto)
    {
        auto f = std::make_unique<TfrmAgregarTarea>(nullptr, rContexto);
        f->Inicializar(rContexto.piIndice);
        f->show();
        f->activateWindow();
        if (!QTest::qWaitForWindowActive(f.get()))
            qWarning("the wizard did not become active");
        return f;
    }
    void Sonido(const char *rsNombre)
    {
        QFile f(pEntorno->pCarpetas.psAppDataSoundsAllUsers + rsNombre);
        f.open(QIODevice::WriteOnly);
        f.write("ID3");
    }
    // Picks a type on the type page and presses Next.
    void Tipo(TfrmAgregarTarea *f, const char *rsRadio)
    {
        Click(f, rsRadio);
        Click(f, "BitBtnSiguiente");
    }
    QString Ultima_Caja() const { return pCajas->paCajas.isEmpty() ? QString() : pCajas->paCajas.last().sTexto; }
};

void TstAsistente::initTestCase()
{
    QVERIFY(pConfig.isValid());
    // Settings and the autostart entry go to a folder of this test.
    qputenv("XDG_CONFIG_HOME", pConfig.path().toLocal8Bit());
    Establecer_Reloj([] { return kAhora; });
}

void TstAsistente::cleanupTestCase()
{
    Establecer_Reloj({});
}

void TstAsistente::init()
{
    pEntorno = std::make_unique<TEntornoAsistente>(Carpeta_Programa());
    pCajas.reset();
    pCajas = std::make_unique<TGrabadorMensajes>();
    pReproductor = TReproductorGrabador();
    paGuardados.clear();
    paPopups.clear();
    paManejador.clear();
    pVentana = TConfiguracion();
    psFalloPopup.clear();
    pVentana.psDefaultSound = "s1.mp3";
    pVentana.psFontMensaje = "DejaVu Sans";
    pVentana.piDesktopAlertDuracion = 1;
    Sonido("s1.mp3");
    Sonido("s2.mp3");
}

void TstAsistente::nueva_valores_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("cabecera");
    QTest::addColumn<QString>("siguiente");
    QTest::addColumn<QString>("resumen");
    QTest::newRow("English") << 0 << "Add Reminder" << "&Next >" << "Summary";
    QTest::newRow("Spanish") << 1 << "Agregar Recordatorio" << "&Siguiente >" << "Resumen";
}

void TstAsistente::nueva_valores()
{
    QFETCH(int, lenguaje);
    QFETCH(QString, cabecera);
    QFETCH(QString, siguiente);
    QFETCH(QString, resumen);
    auto f = Abrir(Contexto(lenguaje));
    QCOMPARE(f->windowTitle(), QStringLiteral("Kestrin"));
    QCOMPARE(Control<QLabel>(f.get(), "LabelTitulo")->text(), cabecera);
    QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetInicio"));
    QVERIFY(!Control<QPushButton>(f.get(), "BitBtnAnterior")->isEnabled());
    QCOMPARE(Control<QPushButton>(f.get(), "BitBtnSiguiente")->text(), siguiente);
    QVERIFY(Control<QRadioButton>(f.get(), "RadioButtonUnoSoloUnaVez")->isChecked());
    QCOMPARE(Foco(), QStringLiteral("RadioButtonUnoSoloUnaVez"));
    QCOMPARE(Control<QLabel>(f.get(), "LabelDos6Resumen")->text(), resumen);
    // New reminder values on every page.
    QCOMPARE(Control<QDateEdit>(f.get(), "DateTimePickerDos2FechaInicio")->date(), kAhora.date());
    QCOMPARE(Control<QTimeEdit>(f.get(), "DateTimePickerDos7HoraInicio")->time(), kAhora.time());
    QCOMPARE(Control<QTimeEdit>(f.get(), "DateTimePickerDos3HoraFin")->time(), QTime(23, 59, 59));
    QVERIFY(Control<QRadioButton>(f.get(), "RadioButtonDos2Siempre")->isChecked());
    QVERIFY(!Control<QDateEdit>(f.get(), "DateTimePickerDos2FechaFin")->isEnabled());
    QVERIFY(Control<QRadioButton>(f.get(), "RadioButtonTresAmbas")->isChecked());
    QVERIFY(Control<QCheckBox>(f.get(), "CheckBoxTresTocarSonido")->isChecked());
    QVERIFY(Control<QRadioButton>(f.get(), "RadioButtonTresUsarSonidoDefault")->isChecked());
    QVERIFY(!Control<QComboBox>(f.get(), "ComboBoxTresSeleccionaUnSonido")->isEnabled());
    QCOMPARE(Control<QTimeEdit>(f.get(), "DateTimePickerDos6StartTime")->time(), QTime(8, 0));
    QCOMPARE(Control<QComboBox>(f.get(), "ComboBoxDos6RepeatEvery")->count(), 20);
    QCOMPARE(Control<QComboBox>(f.get(), "ComboBoxDos6RepeatEvery")->itemText(19),
             lenguaje ? QStringLiteral("20 Horas") : QStringLiteral("20 Hours"));
    auto *nombre = Control<QLineEdit>(f.get(), "EditTresTituloTarea");
    nombre->insert(QString(60, 'n')); // as a paste: stopped at 50
    QCOMPARE(nombre->text(), QString(50, 'n'));
    nombre->clear();

    // Back on the type page only beeps.
    const int antes = int(pCajas->paEventos.size());
    Control<QPushButton>(f.get(), "BitBtnAnterior")->setEnabled(true);
    Click(f.get(), "BitBtnAnterior");
    QCOMPARE(pCajas->paEventos.mid(antes), QStringList({"beep"}));
    QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetInicio"));
}

void TstAsistente::editar_abre_pagina_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<bool>("conSistema");
    QTest::addColumn<QString>("pagina");
    QTest::addColumn<QString>("cabecera");
    QTest::addColumn<QString>("siguiente");
    QTest::addColumn<QString>("foco");
    QTest::newRow("weekly") << 3 << 0 << false << "TabSheetDos3" << "Edit Reminder - Weekly" << "&Next >"
                            << "DateTimePickerDos3FechaInicio";
    QTest::newRow("weekly Spanish") << 3 << 1 << false << "TabSheetDos3" << "Editar Recordatorio - Semanal"
                                    << "&Siguiente >" << "DateTimePickerDos3FechaInicio";
    QTest::newRow("hourly") << 6 << 0 << false << "TabSheetDos6" << "Edit Reminder - Hourly" << "&Next >"
                            << "DateTimePickerDos6FechaInicio";
    QTest::newRow("computer start, not enrolled") << 5 << 0 << false << "TabSheetDos5"
                                                  << "Edit Reminder - When the Computer Starts" << "&Next >"
                                                  << "CheckBoxDos5StartWithWindows";
    QTest::newRow("computer start, enrolled") << 5 << 1 << true << "TabSheetTres"
                                              << "Editar Recordatorio - Cuando la Computadora Inicie" << "&Finalizar"
                                              << "EditTresTituloTarea";
    QTest::newRow("unknown type opens one time") << 42 << 0 << false << "TabSheetDos1" << "Edit Reminder - One Time"
                                                 << "&Next >" << "DateTimePickerDos1FechaInicio";
}

void TstAsistente::editar_abre_pagina()
{
    QFETCH(int, tipo);
    QFETCH(int, lenguaje);
    QFETCH(bool, conSistema);
    QFETCH(QString, pagina);
    QFETCH(QString, cabecera);
    QFETCH(QString, siguiente);
    QFETCH(QString, foco);
    TTipoTarea t;
    t.tsFile = pEntorno->pCarpetas.psAppDataSystemLocal + "data1.od";
    t.tiTareaTipo = tipo;
    t.tdFechaInicio = D(2026, 1, 5, 7, 45, 10);
    t.tsDiasSemana = "26";
    t.tsTaskName = "Old";
    TContextoAsistente c = Contexto(lenguaje, t);
    pVentana.pbStartWithWindows = conSistema;
    auto f = Abrir(c);
    QCOMPARE(Pagina(f.get()), pagina);
    QCOMPARE(Control<QLabel>(f.get(), "LabelTitulo")->text(), cabecera);
    QVERIFY(Control<QPushButton>(f.get(), "BitBtnAnterior")->isEnabled());
    QCOMPARE(Control<QPushButton>(f.get(), "BitBtnSiguiente")->text(), siguiente);
    QCOMPARE(Foco(), foco);
    // Every page starts from the record's start.
    QCOMPARE(Control<QDateEdit>(f.get(), "DateTimePickerDos4FechaInicio")->date(), QDate(2026, 1, 5));
    QCOMPARE(Control<QTimeEdit>(f.get(), "DateTimePickerDos1HoraInicio")->time(), QTime(7, 45, 10));
    QVERIFY(Control<QCheckBox>(f.get(), "CheckBoxDos3Mar")->isChecked());
    QVERIFY(Control<QCheckBox>(f.get(), "CheckBoxDos6Sab")->isChecked());
    QVERIFY(!Control<QCheckBox>(f.get(), "CheckBoxDos3Lun")->isChecked());
}

void TstAsistente::tipo5_directo()
{
    TContextoAsistente c = Contexto();
    pVentana.pbStartWithWindows = true;
    auto f = Abrir(c);
    Tipo(f.get(), "RadioButtonUnoCuandoLaPCInicie");
    QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetTres"));
    QCOMPARE(Control<QLabel>(f.get(), "LabelTitulo")->text(), QStringLiteral("Add Reminder - When the Computer Starts"));
    QCOMPARE(Control<QPushButton>(f.get(), "BitBtnSiguiente")->text(), QStringLiteral("&Finish"));
    QCOMPARE(Foco(), QStringLiteral("EditTresTituloTarea"));
    Click(f.get(), "BitBtnAnterior");
    QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetInicio"));
    QCOMPARE(Control<QLabel>(f.get(), "LabelTitulo")->text(), QStringLiteral("Add Reminder"));
    QCOMPARE(Foco(), QStringLiteral("RadioButtonUnoCuandoLaPCInicie"));
    QVERIFY(!Control<QPushButton>(f.get(), "BitBtnAnterior")->isEnabled());
    QCOMPARE(Control<QPushButton>(f.get(), "BitBtnSiguiente")->text(), QStringLiteral("&Next >"));
}

void TstAsistente::siguiente_rechazado_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<TPreparar>("preparar");
    QTest::addColumn<QString>("texto"); // empty: Next is accepted
    QTest::addColumn<QString>("foco");

    const TPreparar nada = [](QObject *) {};
    auto hasta = [](int riPagina, const QDateTime &rdInicio, const QDateTime &rdFin) {
        return TPreparar([=](QObject *f) {
            const QByteArray p = QByteArray::number(riPagina);
            if (riPagina == 6)
                Control<QDateEdit>(f, "DateTimePickerDos6FechaInicio")->setDate(rdInicio.date());
            else
                Fecha(f, "DateTimePickerDos" + p + "FechaInicio", "DateTimePickerDos" + p + "HoraInicio", rdInicio);
            Click(f, "RadioButtonDos" + p + "Hasta");
            Fecha(f, "DateTimePickerDos" + p + "FechaFin", "DateTimePickerDos" + p + "HoraFin", rdFin);
        });
    };
    const QDateTime inicio(QDate(2010, 11, 8), QTime(9, 5, 1));
    const QDateTime unoAntes(QDate(2010, 11, 8), QTime(9, 5, 0));
    const QString mensajeFin = "The end date is earlier than start date\r\rEnd date = Nov 8, 2010 9:05:00 AM";

    QTest::newRow("weekly without a day") << "RadioButtonUnoSemanalmente" << nada
                                          << "Please choose at least one day of the week" << "CheckBoxDos3Lun";
    QTest::newRow("daily end one second early") << "RadioButtonUnoDiariamente" << hasta(2, inicio, unoAntes)
                                                << mensajeFin << "DateTimePickerDos2FechaFin";
    QTest::newRow("daily end equal") << "RadioButtonUnoDiariamente" << hasta(2, inicio, inicio) << QString()
                                     << "EditTresTituloTarea";
    QTest::newRow("yearly end one second early") << "RadioButtonUnoAnualmente" << hasta(7, inicio, unoAntes)
                                                 << mensajeFin << "DateTimePickerDos7FechaFin";
    QTest::newRow("weekly end early") << "RadioButtonUnoSemanalmente"
                                      << TPreparar([hasta, inicio, unoAntes](QObject *f) {
                                             Click(f, "CheckBoxDos3Dom");
                                             hasta(3, inicio, unoAntes)(f);
                                         })
                                      << mensajeFin << "DateTimePickerDos3FechaFin";
    QTest::newRow("monthly nothing") << "RadioButtonUnoMensualmente" << nada << "Please choose at least one month"
                                     << "CheckBoxDos4Ene";
    QTest::newRow("monthly month, no day") << "RadioButtonUnoMensualmente"
                                           << TPreparar([](QObject *f) { Click(f, "CheckBoxDos4Dic"); })
                                           << "Please choose at least one day" << "CheckBoxDos4d1";
    QTest::newRow("monthly only Last") << "RadioButtonUnoMensualmente" << TPreparar([](QObject *f) {
        Click(f, "CheckBoxDos4Feb");
        Click(f, "CheckBoxDos4dUltimo");
    }) << QString() << "EditTresTituloTarea";
    QTest::newRow("hourly 17:00 to 08:00") << "RadioButtonUnoPorHoras" << TPreparar([](QObject *f) {
        Control<QTimeEdit>(f, "DateTimePickerDos6StartTime")->setTime(QTime(17, 0));
        Click(f, "CheckBoxDos6Lun");
    }) << "The end time is earlier than start time\r\rEnd time = 08:00 AM" << "DateTimePickerDos6StartTime";
    QTest::newRow("hourly 08:00 to 08:00") << "RadioButtonUnoPorHoras"
                                           << TPreparar([](QObject *f) { Click(f, "CheckBoxDos6Lun"); }) << QString()
                                           << "EditTresTituloTarea";
    QTest::newRow("hourly empty list") << "RadioButtonUnoPorHoras"
                                       << TPreparar([](QObject *f) { Click(f, "RadioButtonDos6Hours"); })
                                       << "Please add at least one hour" << "BitBtnDos6Agregar";
    QTest::newRow("hourly no weekday") << "RadioButtonUnoPorHoras" << nada
                                       << "Please choose at least one day of the week" << "CheckBoxDos6Lun";
    QTest::newRow("hourly until before noon start")
        << "RadioButtonUnoPorHoras" << TPreparar([hasta](QObject *f) {
               Click(f, "BitBtnDos6TodosDias");
               hasta(6, QDateTime(QDate(2026, 3, 10), QTime(12, 0)), QDateTime(QDate(2026, 3, 10), QTime(11, 59, 59)))(f);
           })
        << "The end date is earlier than start date\r\rEnd date = Mar 10, 2026 11:59:59 AM"
        << "DateTimePickerDos6FechaFin";
    QTest::newRow("one time in the past") << "RadioButtonUnoSoloUnaVez" << TPreparar([](QObject *f) {
        Fecha(f, "DateTimePickerDos1FechaInicio", "DateTimePickerDos1HoraInicio",
              QDateTime(QDate(1990, 1, 1), QTime(1, 0)));
    }) << QString() << "EditTresTituloTarea";
}

void TstAsistente::siguiente_rechazado()
{
    QFETCH(QString, radio);
    QFETCH(TPreparar, preparar);
    QFETCH(QString, texto);
    QFETCH(QString, foco);
    auto f = Abrir(Contexto());
    Tipo(f.get(), radio.toLatin1());
    const QString pagina = Pagina(f.get());
    preparar(f.get());
    pCajas->paCajas.clear();
    Click(f.get(), "BitBtnSiguiente");
    if (texto.isEmpty()) {
        QCOMPARE(pCajas->paCajas.size(), 0);
        QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetTres"));
    } else {
        QCOMPARE(pCajas->paCajas.size(), 1);
        QCOMPARE(pCajas->paCajas[0].sTexto, texto);
        QCOMPARE(pCajas->paCajas[0].iIcono, MB_ICONERROR);
        QCOMPARE(Pagina(f.get()), pagina);
        QCOMPARE(Control<QPushButton>(f.get(), "BitBtnSiguiente")->text(), QStringLiteral("&Next >"));
    }
    QCOMPARE(Foco(), foco);
    QVERIFY(pEntorno->Archivos_Datos().isEmpty());
}

void TstAsistente::mensual_todos_ninguno()
{
    auto f = Abrir(Contexto());
    Tipo(f.get(), "RadioButtonUnoMensualmente");
    Click(f.get(), "CheckBoxDos4dUltimo");
    Click(f.get(), "BitBtnDos4TodosDias");
    QVERIFY(Control<QCheckBox>(f.get(), "CheckBoxDos4dUltimo")->isChecked());
    for (int d = 1; d <= 31; ++d)
        QVERIFY(Control<QCheckBox>(f.get(), QByteArray("CheckBoxDos4d" + QByteArray::number(d)))->isChecked());
    Click(f.get(), "BitBtnDos4NingunoDias");
    QVERIFY(!Control<QCheckBox>(f.get(), "CheckBoxDos4dUltimo")->isChecked());
    QVERIFY(!Control<QCheckBox>(f.get(), "CheckBoxDos4d31")->isChecked());
    Click(f.get(), "BitBtnDos4TodosMeses");
    QVERIFY(Control<QCheckBox>(f.get(), "CheckBoxDos4Dic")->isChecked());
    Click(f.get(), "CheckBoxDos4d31");
    // The summary follows every change.
    const QString resumen = Control<QPlainTextEdit>(f.get(), "MemoDos4Resumen")->toPlainText();
    QVERIFY2(resumen.contains("31"), qPrintable(resumen));
    Click(f.get(), "BitBtnDos4NingunoMeses");
    QVERIFY(!Control<QCheckBox>(f.get(), "CheckBoxDos4Ene")->isChecked());
    QVERIFY(Control<QPlainTextEdit>(f.get(), "MemoDos4Resumen")->toPlainText() != resumen);
}

void TstAsistente::lista_horas()
{
    auto f = Abrir(Contexto());
    Tipo(f.get(), "RadioButtonUnoPorHoras");
    QVERIFY(Control<QGroupBox>(f.get(), "GroupBoxDos6Rango")->isEnabled());
    QVERIFY(!Control<QGroupBox>(f.get(), "GroupBoxDos6Horas")->isEnabled());
    Click(f.get(), "RadioButtonDos6Hours");
    QVERIFY(!Control<QGroupBox>(f.get(), "GroupBoxDos6Rango")->isEnabled());
    QVERIFY(!Control<QPushButton>(f.get(), "BitBtnDos6Borrar")->isEnabled());
    auto *hora = Control<QTimeEdit>(f.get(), "DateTimePickerDos6Hora");
    auto *lista = Control<QListWidget>(f.get(), "ListBoxDos6Horas");
    QCOMPARE(hora->time(), QTime(8, 0));
    hora->setTime(QTime(13, 30));
    Click(f.get(), "BitBtnDos6Agregar");
    hora->setTime(QTime(9, 0));
    Click(f.get(), "BitBtnDos6Agregar");
    QCOMPARE(lista->item(0)->text(), QStringLiteral("09:00 AM"));
    QCOMPARE(lista->item(1)->text(), QStringLiteral("01:30 PM"));
    pCajas->paCajas.clear();
    Click(f.get(), "BitBtnDos6Agregar");
    QCOMPARE(Ultima_Caja(), QStringLiteral("Hour already exists"));
    QCOMPARE(lista->count(), 2);
    for (int h : {0, 23, 12, 6, 18, 20}) {
        hora->setTime(QTime(h, 0));
        Click(f.get(), "BitBtnDos6Agregar");
    }
    QCOMPARE(lista->count(), 8);
    QCOMPARE(lista->item(0)->text(), QStringLiteral("12:00 AM"));
    QCOMPARE(lista->item(7)->text(), QStringLiteral("11:00 PM"));
    QVERIFY(!Control<QPushButton>(f.get(), "BitBtnDos6Agregar")->isEnabled());
    // Delete with nothing selected beeps; with a selection it deletes and enables Add.
    lista->clearSelection();
    const int antes = int(pCajas->paEventos.size());
    Click(f.get(), "BitBtnDos6Borrar");
    QCOMPARE(pCajas->paEventos.mid(antes), QStringList({"beep"}));
    QCOMPARE(lista->count(), 8);
    lista->setCurrentRow(3);
    const QString borrada = lista->item(3)->text();
    Click(f.get(), "BitBtnDos6Borrar");
    QCOMPARE(lista->count(), 7);
    QVERIFY(lista->findItems(borrada, Qt::MatchExactly).isEmpty());
    QVERIFY(Control<QPushButton>(f.get(), "BitBtnDos6Agregar")->isEnabled());
    // Switching back to the range keeps the list but disables its group.
    Click(f.get(), "RadioButtonDos6Range");
    QVERIFY(!Control<QGroupBox>(f.get(), "GroupBoxDos6Horas")->isEnabled());
    QCOMPARE(lista->count(), 7);
}

void TstAsistente::nombre_vacio()
{
    auto f = Abrir(Contexto());
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    Click(f.get(), "BitBtnSiguiente");
    QTest::keyClicks(Control<QLineEdit>(f.get(), "EditTresTituloTarea"), "   ");
    Click(f.get(), "BitBtnSiguiente");
    QCOMPARE(Ultima_Caja(), QStringLiteral("Please enter a Name"));
    QCOMPARE(Foco(), QStringLiteral("EditTresTituloTarea"));
    QVERIFY(f->isVisible());
    QVERIFY(pEntorno->Archivos_Datos().isEmpty());
    QVERIFY(paGuardados.isEmpty());
}

void TstAsistente::sonido_controles()
{
    auto f = Abrir(Contexto());
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    Click(f.get(), "BitBtnSiguiente");
    auto *combo = Control<QComboBox>(f.get(), "ComboBoxTresSeleccionaUnSonido");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->currentText(), QStringLiteral("Sound 1"));
    Click(f.get(), "CheckBoxTresTocarSonido");
    for (const char *n : {"RadioButtonTresUsarSonidoDefault", "RadioButtonTresSeleccionarSonido",
                          "ComboBoxTresSeleccionaUnSonido", "CheckBoxTresRepetirSonido", "BitBtnTresPlaySound",
                          "BitBtnTresStopSound", "BitBtnTresManejadorDeSonidos"})
        QVERIFY2(!Control<QWidget>(f.get(), n)->isEnabled(), n);
    Click(f.get(), "CheckBoxTresTocarSonido");
    Click(f.get(), "RadioButtonTresSeleccionarSonido");
    QVERIFY(combo->isEnabled());
    // "Choose a sound" with an empty list: no Play or Stop; Finish and Test ask for a sound.
    combo->clear();
    Click(f.get(), "RadioButtonTresUsarSonidoDefault");
    Click(f.get(), "RadioButtonTresSeleccionarSonido");
    QVERIFY(!Control<QPushButton>(f.get(), "BitBtnTresPlaySound")->isEnabled());
    QVERIFY(!Control<QPushButton>(f.get(), "BitBtnTresStopSound")->isEnabled());
    QTest::keyClicks(Control<QLineEdit>(f.get(), "EditTresTituloTarea"), "x");
    Click(f.get(), "BitBtnSiguiente");
    QCOMPARE(Ultima_Caja(), QStringLiteral("Please choose a sound"));
    QCOMPARE(pCajas->paCajas.last().iIcono, MB_ICONINFORMATION);
    Click(f.get(), "BitBtnTresTestTask");
    QCOMPARE(pCajas->paCajas.size(), 2);
    QCOMPARE(Ultima_Caja(), QStringLiteral("Please choose a sound"));
    QVERIFY(paPopups.isEmpty());
    QVERIFY(pEntorno->Archivos_Datos().isEmpty());
}

void TstAsistente::sonido_elegido_falta_data()
{
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("texto");
    QTest::newRow("English") << 0 << "Sound file not found. Please verify the correct file name was given";
    QTest::newRow("Spanish") << 1 << "No se encontró el archivo de sonido. Por favor verifica que esté bien escrito";
}

void TstAsistente::sonido_elegido_falta()
{
    QFETCH(int, lenguaje);
    QFETCH(QString, texto);
    auto f = Abrir(Contexto(lenguaje));
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    Click(f.get(), "BitBtnSiguiente");
    QTest::keyClicks(Control<QLineEdit>(f.get(), "EditTresTituloTarea"), "x");
    Click(f.get(), "RadioButtonTresSeleccionarSonido");
    Control<QComboBox>(f.get(), "ComboBoxTresSeleccionaUnSonido")->setCurrentIndex(1);
    QVERIFY(QFile::remove(pEntorno->pCarpetas.psAppDataSoundsAllUsers + "s2.mp3"));
    Click(f.get(), "BitBtnSiguiente");
    QCOMPARE(Ultima_Caja(), texto);
    QCOMPARE(Foco(), QStringLiteral("ComboBoxTresSeleccionaUnSonido"));
    QVERIFY(pEntorno->Archivos_Datos().isEmpty());
}

void TstAsistente::sonido_vista_previa()
{
    auto f = Abrir(Contexto());
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    Click(f.get(), "BitBtnSiguiente");
    Click(f.get(), "CheckBoxTresRepetirSonido");
    Click(f.get(), "BitBtnTresPlaySound");
    QCOMPARE(pReproductor.paEventos, QStringList({"play s1.mp3 loop=1 errors=1"}));
    // Back stops it; so does every way of leaving.
    Click(f.get(), "BitBtnAnterior");
    QVERIFY(!pReproductor.pbSonando);
    Click(f.get(), "BitBtnSiguiente");
    Click(f.get(), "RadioButtonTresSeleccionarSonido");
    Control<QComboBox>(f.get(), "ComboBoxTresSeleccionaUnSonido")->setCurrentIndex(1);
    Click(f.get(), "BitBtnTresPlaySound");
    QCOMPARE(pReproductor.paEventos.last(), QStringLiteral("play s2.mp3 loop=1 errors=1"));
    Control<QComboBox>(f.get(), "ComboBoxTresSeleccionaUnSonido")->setCurrentIndex(0);
    QVERIFY(!pReproductor.pbSonando);
    // A chosen sound whose file went away: "File not found", nothing played.
    Control<QComboBox>(f.get(), "ComboBoxTresSeleccionaUnSonido")->setCurrentIndex(1);
    QVERIFY(QFile::remove(pEntorno->pCarpetas.psAppDataSoundsAllUsers + "s2.mp3"));
    const int tocados = int(pReproductor.paEventos.size());
    Click(f.get(), "BitBtnTresPlaySound");
    QCOMPARE(Ultima_Caja(), QStringLiteral("File not found"));
    QCOMPARE(pReproductor.paEventos.size(), tocados);

    // No default sound: asked to set one; OK opens the manager, whose new sound is listed.
    Click(f.get(), "RadioButtonTresUsarSonidoDefault");
    QVERIFY(QFile::remove(pEntorno->pCarpetas.psAppDataSoundsAllUsers + "s1.mp3"));
    pCajas->paCajas.clear();
    Click(f.get(), "BitBtnTresPlaySound");
    QCOMPARE(Ultima_Caja(), QStringLiteral("There's no default sound assigned. Do you want to set it now?"));
    QCOMPARE(pCajas->paCajas.last().iBotones, MB_OKCANCEL);
    QCOMPARE(paManejador, QStringList({"Sound Manager"}));
    auto *combo = Control<QComboBox>(f.get(), "ComboBoxTresSeleccionaUnSonido");
    QCOMPARE(combo->count(), 1);
    QCOMPARE(combo->itemText(0), QStringLiteral("added.wav"));
    pCajas->piRespuesta = IDCANCEL;
    Click(f.get(), "BitBtnTresPlaySound");
    QCOMPARE(paManejador.size(), 1);
    Click(f.get(), "BitBtnTresPlaySound");
    f->reject();
    QVERIFY(!pReproductor.pbSonando);
}

void TstAsistente::ida_y_vuelta_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<TPreparar>("preparar");
    QTest::addColumn<double>("proxima");
    QTest::addColumn<QStringList>("claves"); // key=value lines the file must hold

    QTest::newRow("one time") << 1 << "RadioButtonUnoSoloUnaVez" << TPreparar([](QObject *f) {
        Fecha(f, "DateTimePickerDos1FechaInicio", "DateTimePickerDos1HoraInicio", QDateTime(QDate(2026, 3, 12), QTime(15, 30)));
        Click(f, "CheckBoxDos1AutoDelete");
    }) << D(2026, 3, 12, 15, 30) << QStringList({"AutoDelete=1", "TareaTipo=1"});
    QTest::newRow("daily until") << 2 << "RadioButtonUnoDiariamente" << TPreparar([](QObject *f) {
        Fecha(f, "DateTimePickerDos2FechaInicio", "DateTimePickerDos2HoraInicio", QDateTime(QDate(2026, 3, 1), QTime(8, 0)));
        Click(f, "RadioButtonDos2Hasta");
        Fecha(f, "DateTimePickerDos2FechaFin", "DateTimePickerDos2HoraFin", QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
    }) << D(2026, 3, 11, 8) << QStringList({"SiempreHasta=1", "FechaFin=" + Float_To_Str_Sin_Punto(D(2026, 12, 31, 23, 59, 59))});
    QTest::newRow("weekly") << 3 << "RadioButtonUnoSemanalmente" << TPreparar([](QObject *f) {
        Fecha(f, "DateTimePickerDos3FechaInicio", "DateTimePickerDos3HoraInicio", QDateTime(QDate(2026, 3, 1), QTime(21, 0)));
        Click(f, "CheckBoxDos3Vie");
        Click(f, "CheckBoxDos3Lun");
    }) << D(2026, 3, 13, 21) << QStringList({"DiasSemana=15", "SiempreHasta=0"});
    QTest::newRow("monthly") << 4 << "RadioButtonUnoMensualmente" << TPreparar([](QObject *f) {
        Fecha(f, "DateTimePickerDos4FechaInicio", "DateTimePickerDos4HoraInicio", QDateTime(QDate(2026, 3, 1), QTime(9, 0)));
        Click(f, "BitBtnDos4TodosMeses");
        Click(f, "CheckBoxDos4d15");
        Click(f, "CheckBoxDos4dUltimo");
    }) << D(2026, 3, 15, 9) << QStringList({"Meses=,01,02,03,04,05,06,07,08,09,10,11,12,", "Dias=,15,32,"});
    QTest::newRow("computer start") << 5 << "RadioButtonUnoCuandoLaPCInicie" << TPreparar([](QObject *) {})
                                    << -1.0 << QStringList({"TareaTipo=5", "Summary1=When the Computer Starts"});
    QTest::newRow("hourly range") << 6 << "RadioButtonUnoPorHoras" << TPreparar([](QObject *f) {
        Control<QDateEdit>(f, "DateTimePickerDos6FechaInicio")->setDate(QDate(2026, 3, 1));
        Control<QTimeEdit>(f, "DateTimePickerDos6StartTime")->setTime(QTime(9, 0));
        Control<QTimeEdit>(f, "DateTimePickerDos6EndTime")->setTime(QTime(17, 0));
        Control<QComboBox>(f, "ComboBoxDos6RepeatEvery")->setCurrentIndex(1);
        Click(f, "CheckBoxDos6Mar");
    }) << D(2026, 3, 10, 13) << QStringList({"FechaInicio=" + Float_To_Str_Sin_Punto(D(2026, 3, 1, 12)), "RangoHoras=1",
                                             "RangoHoraInicio=09:00", "RangoHoraFin=17:00", "RangoCadaHora=2",
                                             "HorasLista=", "DiasSemana=2"});
    QTest::newRow("hourly list") << 6 << "RadioButtonUnoPorHoras" << TPreparar([](QObject *f) {
        Click(f, "RadioButtonDos6Hours");
        for (QTime h : {QTime(13, 30), QTime(9, 0)}) {
            Control<QTimeEdit>(f, "DateTimePickerDos6Hora")->setTime(h);
            Click(f, "BitBtnDos6Agregar");
        }
        Click(f, "BitBtnDos6TodosDias");
    }) << D(2026, 3, 10, 13, 30) << QStringList({"RangoHoras=2", "HorasLista=09:00 AM,01:30 PM", "DiasSemana=1234567"});
    QTest::newRow("yearly") << 7 << "RadioButtonUnoAnualmente" << TPreparar([](QObject *f) {
        Fecha(f, "DateTimePickerDos7FechaInicio", "DateTimePickerDos7HoraInicio", QDateTime(QDate(2025, 7, 4), QTime(10, 0)));
    }) << D(2026, 7, 4, 10) << QStringList({"TareaTipo=7", "SiempreHasta=0"});
}

void TstAsistente::ida_y_vuelta()
{
    QFETCH(int, tipo);
    QFETCH(QString, radio);
    QFETCH(TPreparar, preparar);
    QFETCH(double, proxima);
    QFETCH(QStringList, claves);

    TContextoAsistente c = Contexto();
    pVentana.pbStartWithWindows = true;
    QString resumenPagina;
    {
        auto f = Abrir(c);
        Tipo(f.get(), radio.toLatin1());
        preparar(f.get());
        if (tipo != 5)
            resumenPagina = Control<QPlainTextEdit>(f.get(), QByteArray("MemoDos" + QByteArray::number(tipo) + "Resumen"))
                                ->toPlainText();
        if (tipo != 5)
            Click(f.get(), "BitBtnSiguiente");
        QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetTres"));
        QTest::keyClicks(Control<QLineEdit>(f.get(), "EditTresTituloTarea"), "Reminder " + QString::number(tipo));
        Control<QPlainTextEdit>(f.get(), "MemoTresMensaje")->setPlainText("first line\n\n  \nsecond = line");
        Click(f.get(), "RadioButtonTresAbrirVentana");
        Click(f.get(), "BitBtnSiguiente");
        QCOMPARE(Ultima_Caja(), QStringLiteral("Reminder added successfully"));
        QVERIFY(f->Guardado());
        QVERIFY(!f->isVisible());
    }
    const QStringList archivos = pEntorno->Archivos_Datos();
    QCOMPARE(archivos.size(), 1);
    QVERIFY2(QRegularExpression("^data\\d+-\\d{1,2}\\.od$").match(archivos[0]).hasMatch(), qPrintable(archivos[0]));
    const QString archivo = pEntorno->pCarpetas.psAppDataSystemLocal + archivos[0];
    QCOMPARE(paGuardados, QStringList({archivo}));

    // The store reads back what was chosen.
    const TResultadoCarga carga = Cargar_Directorio_Tareas(pEntorno->pCarpetas.psAppDataSystemLocal);
    QCOMPARE(carga.invalidos.size(), 0);
    QCOMPARE(carga.tabla.piTipoTareaTotal(), 1);
    const TTipoTarea t = carga.tabla.paTipoTarea[0];
    QCOMPARE(t.tiTareaTipo, tipo);
    QCOMPARE(t.tsTaskName, "Reminder " + QString::number(tipo));
    QCOMPARE(t.tsMensaje, QStringLiteral("first line\r\nsecond = line"));
    QCOMPARE(t.tiAlertWindow, int(ALERTA_VENTANA));
    QCOMPARE(t.tsPathDelSonido, pEntorno->pCarpetas.psAppDataSoundsAllUsers + "s1.mp3");
    QCOMPARE(Float_To_Str_Sin_Punto(t.tdFechaCreacion), Float_To_Str_Sin_Punto(DateTime_a_Dias(kAhora)));
    QCOMPARE(t.tiSnoozeTime, -1);
    if (tipo != 5)
        QCOMPARE(t.tsSummary, QString(resumenPagina).replace("\n", "\r\n"));
    const QMap<QString, QString> v = Valores(archivo);
    for (const QString &clave : claves)
        QVERIFY2(v.value(clave.section('=', 0, 0), "<missing>") == clave.section('=', 1), qPrintable(clave));

    // kestrin --list --json at the same moment.
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", pEntorno->Raiz() + "/data");
    env.insert("XDG_CONFIG_HOME", pEntorno->Raiz() + "/config");
    env.insert("KESTRIN_COMMON_DIR", pEntorno->Raiz() + "/common");
    env.insert("TZ", "UTC");
    p.setProcessEnvironment(env);
    p.start("faketime", {kAhora.toString("yyyy-MM-dd hh:mm:ss"), KESTRIN_BIN, "--list", "--json", "--language", "en"});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QJsonObject json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    const QJsonArray lista = json["reminders"].toArray();
    QCOMPARE(lista.size(), 1);
    const QJsonObject r = lista[0].toObject();
    QCOMPARE(r["file"].toString(), archivo);
    QCOMPARE(r["name"].toString(), "Reminder " + QString::number(tipo));
    QCOMPARE(r["type"].toInt(), tipo);
    QCOMPARE(Float_To_Str_Sin_Punto(r["nextRun"].toDouble()), Float_To_Str_Sin_Punto(proxima));
    QVERIFY2(!r["summary"].toString().isEmpty(), "no summary");
    QVERIFY(json["invalid"].toArray().isEmpty());

    // Opened again and finished without a change: the same bytes, kept values and all.
    const QByteArray antes = Bytes(archivo);
    {
        TTipoTarea copia = t;
        copia.tsFile = archivo;
        auto f = Abrir(Contexto(0, copia));
        if (Pagina(f.get()) != QStringLiteral("TabSheetTres"))
            Click(f.get(), "BitBtnSiguiente");
        Click(f.get(), "BitBtnSiguiente");
        QCOMPARE(Ultima_Caja(), QStringLiteral("Reminder edited successfully"));
    }
    QCOMPARE(pEntorno->Archivos_Datos(), archivos);
    if (Bytes(archivo) != antes) {
        QStringList a, b;
        Leer_Lineas_Planas(archivo, b);
        QFile tmp(archivo + ".x");
        tmp.open(QIODevice::WriteOnly);
        tmp.write(antes);
        tmp.close();
        Leer_Lineas_Planas(archivo + ".x", a);
        QCOMPARE(b, a);
        QFAIL("same lines, other bytes");
    }
}

void TstAsistente::editar_sin_cambios_data()
{
    QTest::addColumn<TAjustar>("ajustar");
    // Written by an earlier version, by hand or by "kestrin --in": longer than what may
    // be typed, or a list of hours that Add would never have made.
    QTest::newRow("a name and a message past the limits") << TAjustar([](TTipoTarea &t) {
        t.tsTaskName = QString("Renew the passport before the trip ").repeated(2).trimmed();
        t.tsMensaje = QString("Bring the old passport, two photos and the form. ").repeated(13).trimmed() +
                      "\r\n" + QString("Second line, ").repeated(30).trimmed();
    });
    QTest::newRow("hours in stored order, doubled, more than eight") << TAjustar([](TTipoTarea &t) {
        t.tiTareaTipo = TAREA_CADA_HORA;
        t.tdFechaInicio = D(2026, 3, 1, 12);
        t.tiRangoHoras = 2;
        t.tsHorasLista = "01:30 PM,09:00 AM,09:00 AM,12:00 AM,01:00 AM,02:00 AM,03:00 AM,04:00 AM,05:00 AM";
        t.tsDiasSemana = "1234567";
    });
}

void TstAsistente::editar_sin_cambios()
{
    QFETCH(TAjustar, ajustar);
    TTipoTarea t;
    t.tsFile = pEntorno->pCarpetas.psAppDataSystemLocal + "data8.od";
    t.tiTareaTipo = TAREA_UNA_VEZ;
    t.tdFechaInicio = D(2026, 3, 12, 15, 30);
    t.tdFechaFin = D(2026, 3, 12, 23, 59, 59);
    t.tsTaskName = "Short";
    t.tiAlertWindow = ALERTA_AMBAS;
    t.tiUsarSonidoDefault = 1;
    t.tsPathDelSonido = pEntorno->pCarpetas.psAppDataSoundsAllUsers + "s1.mp3";
    t.tiRepetirSonido = 1;
    t.tiAutoDelete = 1;
    t.tsMeses = ",";
    t.tsDias = ",";
    t.tdFechaCreacion = D(2026, 3, 1, 10);
    ajustar(t);
    t.tsSummary = Generar_Resumen_Tarea(t, 0);
    QVERIFY(Grabar_Archivo_Tarea(t.tsFile, t));
    const QByteArray antes = Bytes(t.tsFile);
    TTipoTarea leida;
    int codigo = 0;
    QCOMPARE(Leer_Archivo_Tarea(t.tsFile, leida, codigo), TLectura::Ok);
    leida.tsFile = t.tsFile;
    {
        auto f = Abrir(Contexto(0, leida));
        if (t.tiTareaTipo == TAREA_CADA_HORA) {
            auto *lista = Control<QListWidget>(f.get(), "ListBoxDos6Horas");
            QCOMPARE(lista->count(), 9);
            QCOMPARE(lista->item(0)->text(), QStringLiteral("01:30 PM"));
            QVERIFY(!Control<QPushButton>(f.get(), "BitBtnDos6Agregar")->isEnabled());
        }
        Click(f.get(), "BitBtnSiguiente");
        QCOMPARE(Control<QLineEdit>(f.get(), "EditTresTituloTarea")->text(), t.tsTaskName);
        Click(f.get(), "BitBtnSiguiente");
        QCOMPARE(Ultima_Caja(), QStringLiteral("Reminder edited successfully"));
    }
    QCOMPARE(Bytes(t.tsFile), antes);

    // What is typed still stops at the limit: the long name may shrink, never grow.
    auto f = Abrir(Contexto(0, leida));
    Click(f.get(), "BitBtnSiguiente");
    auto *nombre = Control<QLineEdit>(f.get(), "EditTresTituloTarea");
    nombre->setFocus();
    nombre->end(false);
    const qsizetype largo = nombre->text().size();
    QTest::keyClicks(nombre, "xy");
    QCOMPARE(nombre->text().size(), largo > 50 ? largo : largo + 2);
    auto *memo = Control<QPlainTextEdit>(f.get(), "MemoTresMensaje");
    memo->moveCursor(QTextCursor::End);
    const qsizetype mensaje = memo->toPlainText().size();
    memo->insertPlainText(QString(20, 'z'));
    QCOMPARE(memo->toPlainText().size(), mensaje > 500 ? mensaje : mensaje + 20);
    if (largo > 50) {
        QTest::keyClick(nombre, Qt::Key_Backspace);
        QTest::keyClicks(nombre, "x");
        QCOMPARE(nombre->text().size(), largo - 1);
    }
    f->reject();
}

void TstAsistente::ajustes_actuales()
{
    // The sound manager, opened from the wizard, deletes the default sound and sets
    // another: Play, Test and Finish take the new one at once.
    Sonido("s3.mp3");
    TContextoAsistente c = Contexto();
    c.Abrir_Manejador_Sonidos = [this](QWidget *, const QString &) {
        QFile::remove(pEntorno->pCarpetas.psAppDataSoundsAllUsers + "s1.mp3");
        pVentana.psDefaultSound = "s3.mp3";
    };
    auto f = Abrir(c);
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    Click(f.get(), "BitBtnSiguiente");
    Click(f.get(), "BitBtnTresManejadorDeSonidos");
    Click(f.get(), "CheckBoxTresRepetirSonido");
    Click(f.get(), "BitBtnTresPlaySound");
    QCOMPARE(pReproductor.paEventos, QStringList({"play s3.mp3 loop=1 errors=1"}));
    // Unticking "Repeat Sound" lets the preview end at its end.
    Click(f.get(), "CheckBoxTresRepetirSonido");
    QCOMPARE(pReproductor.paEventos.last(), QStringLiteral("loop=0"));
    QVERIFY(pReproductor.pbSonando);
    // A popup that cannot be shown: "Error 402", and Test comes back at once. The test
    // popup waits the popup seconds set now.
    Click(f.get(), "RadioButtonTresMostrarMensaje");
    psFalloPopup = "no screen";
    Click(f.get(), "BitBtnTresTestTask");
    QCOMPARE(Ultima_Caja(), QStringLiteral("Error 402\rno screen"));
    QVERIFY(Control<QPushButton>(f.get(), "BitBtnTresTestTask")->isEnabled());
    psFalloPopup.clear();
    pVentana.piDesktopAlertDuracion = 30;
    Click(f.get(), "BitBtnTresTestTask");
    QTest::qWait(3500); // past what the popup time of the opening allowed
    QVERIFY(!Control<QPushButton>(f.get(), "BitBtnTresTestTask")->isEnabled());
    Popup_Prueba_Cerrado();
    QTest::keyClicks(Control<QLineEdit>(f.get(), "EditTresTituloTarea"), "New default");
    Click(f.get(), "BitBtnSiguiente");
    QCOMPARE(Ultima_Caja(), QStringLiteral("Reminder added successfully"));
    QCOMPARE(Valores(paGuardados.value(0)).value("PathSonido"), pEntorno->pCarpetas.psAppDataSoundsAllUsers + "s3.mp3");
}

void TstAsistente::cambiar_tipo()
{
    TTipoTarea t;
    t.tsFile = pEntorno->pCarpetas.psAppDataSystemLocal + "data7.od";
    t.tiTareaTipo = TAREA_SEMANAL;
    t.tdFechaInicio = D(2026, 3, 1, 21);
    t.tsDiasSemana = "5";
    t.tiSiempreRepetirHasta = 1;
    t.tdFechaFin = D(2027, 1, 1);
    t.tsTaskName = "Backup";
    t.tiTocarSonido = 0;
    t.tdFechaCreacion = D(2025, 12, 1, 10, 0, 0) + 0.5 / 86400;
    t.tiSnoozeTime = 30;
    t.tdSnoozeRun = D(2026, 3, 10, 12, 20);
    t.tdLastRunTime = D(2026, 3, 6, 21);
    t.tiLenguaje = 1;
    QVERIFY(Grabar_Archivo_Tarea(t.tsFile, t));
    auto f = Abrir(Contexto(0, t));
    QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetDos3"));
    Click(f.get(), "BitBtnAnterior");
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    QCOMPARE(Control<QLabel>(f.get(), "LabelTitulo")->text(), QStringLiteral("Edit Reminder - One Time"));
    // The start moved with the type.
    QCOMPARE(Control<QDateEdit>(f.get(), "DateTimePickerDos1FechaInicio")->date(), QDate(2026, 3, 1));
    Click(f.get(), "BitBtnSiguiente");
    Click(f.get(), "BitBtnSiguiente");
    QCOMPARE(pEntorno->Archivos_Datos(), QStringList({"data7.od"}));
    const QMap<QString, QString> v = Valores(t.tsFile);
    for (const char *ida : {"DiasSemana", "SiempreHasta", "FechaFin", "SonidoElegido"})
        QVERIFY2(!v.contains(ida), ida);
    QCOMPARE(v.value("TareaTipo"), QStringLiteral("1"));
    QCOMPARE(v.value("AutoDelete"), QStringLiteral("0"));
    QCOMPARE(v.value("Lenguaje"), QStringLiteral("0"));
    QCOMPARE(v.value("Summary1").left(9), QStringLiteral("One Time."));
    QCOMPARE(v.value("FechaCreacion"), Float_To_Str_Sin_Punto(t.tdFechaCreacion));
    QCOMPARE(v.value("SnoozeTime"), QStringLiteral("30"));
    QCOMPARE(v.value("SnoozeRun"), Float_To_Str_Sin_Punto(t.tdSnoozeRun));
    QCOMPARE(v.value("LastRunTime"), Float_To_Str_Sin_Punto(t.tdLastRunTime));
}

void TstAsistente::inicio_con_sistema_data()
{
    QTest::addColumn<bool>("marcada");
    QTest::newRow("ticked") << true;
    QTest::newRow("unticked") << false;
}

void TstAsistente::inicio_con_sistema()
{
    QFETCH(bool, marcada);
    const QString entrada = pConfig.path() + "/autostart/Kestrin.desktop";
    QFile::remove(entrada);
    bool avisado = false;
    TContextoAsistente c = Contexto();
    c.Tras_Inicio_Con_Sistema = [&avisado] { avisado = true; };
    auto f = Abrir(c);
    Tipo(f.get(), "RadioButtonUnoCuandoLaPCInicie");
    QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetDos5"));
    QCOMPARE(Foco(), QStringLiteral("CheckBoxDos5StartWithWindows"));
    QVERIFY(Control<QCheckBox>(f.get(), "CheckBoxDos5StartWithWindows")->isChecked());
    if (!marcada)
        Click(f.get(), "CheckBoxDos5StartWithWindows");
    Click(f.get(), "BitBtnSiguiente");
    QTest::keyClicks(Control<QLineEdit>(f.get(), "EditTresTituloTarea"), "At start");
    Click(f.get(), "BitBtnSiguiente");
    QVERIFY(f->Guardado());
    QCOMPARE(pEntorno->Archivos_Datos().size(), 1);
    QCOMPARE(QFileInfo::exists(entrada), marcada);
    QCOMPARE(avisado, marcada);
    if (marcada)
        QCOMPARE(Leer_Registry(HKEY_CURRENT_USER, LLAVE_RUN, "Kestrin", "x"),
                 QStringLiteral("\"/opt/kestrin dir/kestrin\" silent"));
}

void TstAsistente::prueba_ventana()
{
    const QStringList datosAntes = pEntorno->Archivos_Datos();
    auto f = Abrir(Contexto());
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    Click(f.get(), "BitBtnSiguiente");
    QTest::keyClicks(Control<QLineEdit>(f.get(), "EditTresTituloTarea"), "Try me");
    Click(f.get(), "RadioButtonTresAbrirVentana");
    Click(f.get(), "CheckBoxTresTocarSonido");
    Click(f.get(), "BitBtnTresTestTask");
    QCOMPARE(pCajas->paCajas.size(), 0);
    const qint64 primero = f->Pid_Ventana_Prueba();
    QVERIFY(primero > 0);
    QTRY_VERIFY_WITH_TIMEOUT(Proceso_Es_Programa(primero, "AlertWindow"), 20000);
    QCOMPARE(Procesos_AlertWindow(pEntorno->Raiz()), QList<qint64>({primero}));
    QVERIFY(!Control<QPushButton>(f.get(), "BitBtnTresTestTask")->isEnabled());
    const QStringList tmp = QDir(pEntorno->pCarpetas.psAppDataAllUsers).entryList({"*.tmp"}, QDir::Files);
    QCOMPARE(tmp.size(), 1);
    const QMap<QString, QString> v = Valores(pEntorno->pCarpetas.psAppDataAllUsers + tmp[0]);
    QCOMPARE(v.value("TaskName1"), QStringLiteral("Try me"));
    QCOMPARE(v.value("TocarSonido"), QStringLiteral("0"));
    // Test comes back 2 s after the window started.
    QTRY_VERIFY_WITH_TIMEOUT(Control<QPushButton>(f.get(), "BitBtnTresTestTask")->isEnabled(), 5000);
    // A second test ends the first window first.
    Click(f.get(), "BitBtnTresTestTask");
    const qint64 segundo = f->Pid_Ventana_Prueba();
    QVERIFY(segundo > 0 && segundo != primero);
    QTRY_VERIFY_WITH_TIMEOUT(!Proceso_Es_Programa(primero, "AlertWindow"), 20000);
    QCOMPARE(QDir(pEntorno->pCarpetas.psAppDataAllUsers).entryList({"*.tmp"}, QDir::Files).size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(Proceso_Es_Programa(segundo, "AlertWindow"), 20000);
    // Closing the wizard ends it, removes the test file and leaves no sound.
    f->reject();
    QTRY_VERIFY_WITH_TIMEOUT(!Proceso_Es_Programa(segundo, "AlertWindow"), 20000);
    QCOMPARE(Procesos_AlertWindow(pEntorno->Raiz()), QList<qint64>());
    QVERIFY(QDir(pEntorno->pCarpetas.psAppDataAllUsers).entryList({"*.tmp"}, QDir::Files).isEmpty());
    QCOMPARE(pEntorno->Archivos_Datos(), datosAntes);
    QVERIFY(!pReproductor.pbSonando);
    QVERIFY(paGuardados.isEmpty());
}

void TstAsistente::prueba_sin_alertwindow()
{
    TContextoAsistente c = Contexto();
    c.pCarpetas.psEXEPath = pEntorno->Raiz() + "/nowhere/";
    auto f = Abrir(c);
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    Click(f.get(), "BitBtnSiguiente");
    Click(f.get(), "RadioButtonTresAbrirVentana");
    Click(f.get(), "BitBtnTresTestTask");
    QCOMPARE(pCajas->paCajas.size(), 1);
    QVERIFY2(Ultima_Caja().startsWith("Error 403\rNo such file or directory"), qPrintable(Ultima_Caja()));
    QCOMPARE(pCajas->paCajas.last().iIcono, MB_ICONERROR);
    QVERIFY(Control<QPushButton>(f.get(), "BitBtnTresTestTask")->isEnabled());
    QVERIFY(QDir(pEntorno->pCarpetas.psAppDataAllUsers).entryList({"*.tmp"}, QDir::Files).isEmpty());
    QCOMPARE(f->Pid_Ventana_Prueba(), 0);
}

void TstAsistente::prueba_popup()
{
    auto f = Abrir(Contexto(1));
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    Click(f.get(), "BitBtnSiguiente");
    Control<QPlainTextEdit>(f.get(), "MemoTresMensaje")->setPlainText(" \nbuy milk\n\n  eggs  ");
    Click(f.get(), "RadioButtonTresMostrarMensaje");
    Click(f.get(), "BitBtnTresTestTask");
    // An empty name shows the name label's caption.
    QCOMPARE(paPopups.size(), 1);
    QCOMPARE(paPopups[0], std::make_tuple(QString(), QStringLiteral("Nombre"), QStringLiteral("buy milk\r\n  eggs  ")));
    QCOMPARE(pReproductor.paEventos, QStringList({"play s1.mp3 loop=0 errors=0"}));
    QVERIFY(pReproductor.pbSonando);
    QVERIFY(!Control<QPushButton>(f.get(), "BitBtnTresTestTask")->isEnabled());
    QCOMPARE(f->Pid_Ventana_Prueba(), 0);
    Popup_Prueba_Cerrado();
    QVERIFY(!pReproductor.pbSonando);
    QVERIFY(Control<QPushButton>(f.get(), "BitBtnTresTestTask")->isEnabled());
    // Without word from the popup, Test comes back once the popup's time is over.
    Click(f.get(), "BitBtnTresTestTask");
    QVERIFY(!Control<QPushButton>(f.get(), "BitBtnTresTestTask")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(Control<QPushButton>(f.get(), "BitBtnTresTestTask")->isEnabled(), 10000);
    QVERIFY(!pReproductor.pbSonando);
    // "Both": the wizard does not start the preview itself.
    Click(f.get(), "RadioButtonTresAmbas");
    Click(f.get(), "BitBtnTresTestTask");
    QCOMPARE(paPopups.size(), 3);
    QCOMPARE(pReproductor.paEventos.size(), 2);
    QVERIFY(f->Pid_Ventana_Prueba() > 0);
    f->reject();
    QCOMPARE(f->Pid_Ventana_Prueba(), 0);
    QVERIFY(pEntorno->Archivos_Datos().isEmpty());
}

void TstAsistente::teclado_agrega()
{
    auto f = Abrir(Contexto());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
    // A button's accelerator clicks it the way a mouse click shows: a moment later.
    QTRY_VERIFY(Control<QRadioButton>(f.get(), "RadioButtonUnoDiariamente")->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetDos2"));
    QCOMPARE(Foco(), QStringLiteral("DateTimePickerDos2FechaInicio"));
    // Tab walks the page and never stops in the summary.
    QStringList visitados;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visitados << Foco();
    }
    QVERIFY2(!visitados.contains("MemoDos2Resumen"), qPrintable(visitados.join(' ')));
    QVERIFY2(visitados.contains("BitBtnDos2Now") && visitados.contains("RadioButtonDos2Siempre") &&
                 visitados.contains("BitBtnSiguiente"),
             qPrintable(visitados.join(' ')));
    Control<QDateEdit>(f.get(), "DateTimePickerDos2FechaInicio")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetTres"));
    QCOMPARE(Foco(), QStringLiteral("EditTresTituloTarea"));
    QTest::keyClicks(QApplication::focusWidget(), "Keys only");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(Foco(), QStringLiteral("MemoTresMensaje"));
    // Enter in the message is a new line, not Finish.
    QTest::keyClicks(QApplication::focusWidget(), "one");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), "two");
    QVERIFY(f->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY2(Foco().startsWith("RadioButtonTres"), qPrintable(Foco()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(f->Guardado());
    const QStringList archivos = pEntorno->Archivos_Datos();
    QCOMPARE(archivos.size(), 1);
    const QMap<QString, QString> v = Valores(pEntorno->pCarpetas.psAppDataSystemLocal + archivos[0]);
    QCOMPARE(v.value("TaskName1"), QStringLiteral("Keys only"));
    QCOMPARE(v.value("Mensaje1"), QStringLiteral("one"));
    QCOMPARE(v.value("Mensaje2"), QStringLiteral("two"));
    QCOMPARE(v.value("TareaTipo"), QStringLiteral("2"));
}

void TstAsistente::teclado_escape_y_memo()
{
    auto f = Abrir(Contexto(1));
    // Spanish accelerators: Alt+A picks "&Anual" ("< &Anterior" is disabled on this page),
    // Alt+M picks "&Mensual".
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(Control<QRadioButton>(f.get(), "RadioButtonUnoAnualmente")->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
    QTRY_VERIFY(Control<QRadioButton>(f.get(), "RadioButtonUnoMensualmente")->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Pagina(f.get()), QStringLiteral("TabSheetDos4"));
    // The refused Next from the keyboard puts the focus on January.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(Ultima_Caja(), QStringLiteral("Por favor selecciona al menos un mes"));
    QCOMPARE(Foco(), QStringLiteral("CheckBoxDos4Ene"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(Control<QCheckBox>(f.get(), "CheckBoxDos4Ene")->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!f->isVisible());
    QVERIFY(!f->Guardado());
    QVERIFY(pEntorno->Archivos_Datos().isEmpty());
}

// Every page, the buttons below included, is walked by Tab in reading order.
void TstAsistente::orden_de_tab()
{
    auto f = Abrir(Contexto());
    auto *paginas = Control<QStackedWidget>(f.get(), "PageControl");
    for (int i = 0; i < paginas->count(); ++i) {
        paginas->setCurrentIndex(i);
        En_Orden_De_Lectura(f.get(), paginas->currentWidget()->objectName());
    }
}

void TstAsistente::una_sola_vez()
{
    // A second request while a wizard is open is ignored.
    TContextoAsistente c = Contexto();
    bool segunda = true;
    QTimer::singleShot(0, [&] {
        segunda = Abrir_Asistente_Tarea(nullptr, c);
        if (auto *w = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            w->reject();
    });
    QVERIFY(!Abrir_Asistente_Tarea(nullptr, c));
    QVERIFY(!segunda);
    QVERIFY(pEntorno->Archivos_Datos().isEmpty());
}

void TstAsistente::limites()
{
    // Dates outside what the file form reads back are shown at the nearest limit, and
    // the pickers refuse to go beyond them.
    TTipoTarea t;
    t.tsFile = pEntorno->pCarpetas.psAppDataSystemLocal + "data1.od";
    t.tiTareaTipo = TAREA_DIARIA;
    t.tdFechaInicio = D(1900, 1, 1, 10);
    t.tiSiempreRepetirHasta = 1;
    t.tdFechaFin = D(2300, 1, 1);
    auto f = Abrir(Contexto(0, t));
    auto *inicio = Control<QDateEdit>(f.get(), "DateTimePickerDos2FechaInicio");
    auto *fin = Control<QDateEdit>(f.get(), "DateTimePickerDos7FechaFin");
    QCOMPARE(inicio->date(), QDate(1927, 5, 18));
    QCOMPARE(fin->date(), QDate(2173, 10, 13));
    inicio->setDate(QDate(1800, 1, 1));
    QCOMPARE(inicio->date(), QDate(1927, 5, 18));
    Control<QDateEdit>(f.get(), "DateTimePickerDos6FechaInicio")->setDate(QDate(9999, 1, 1));
    QCOMPARE(Control<QDateEdit>(f.get(), "DateTimePickerDos6FechaInicio")->date(), QDate(2173, 10, 13));
    // The name stops at 50 characters, the message at 500.
    Click(f.get(), "BitBtnSiguiente");
    auto *nombre = Control<QLineEdit>(f.get(), "EditTresTituloTarea");
    nombre->clear();
    QTest::keyClicks(nombre, QString(60, 'n'));
    QCOMPARE(nombre->text().size(), 50);
    auto *memo = Control<QPlainTextEdit>(f.get(), "MemoTresMensaje");
    memo->setPlainText(QString(600, 'm'));
    QCOMPARE(memo->toPlainText().size(), 500);
    Click(f.get(), "BitBtnSiguiente");
    const QMap<QString, QString> v = Valores(t.tsFile);
    QCOMPARE(v.value("FechaInicio"), Float_To_Str_Sin_Punto(D(1927, 5, 18, 10)));
    QCOMPARE(v.value("Mensaje1").size(), 500);
    QCOMPARE(v.value("TaskName1").size(), 50);
    TTipoTarea leida;
    int codigo = 0;
    QCOMPARE(Leer_Archivo_Tarea(t.tsFile, leida, codigo), TLectura::Ok);
    QCOMPARE(Dias_a_Fecha(leida.tdFechaFin), QDate(2173, 10, 13));
}

void TstAsistente::sin_acceso_directorio()
{
    // The data folder lies below a plain file: it can be neither found nor made.
    QFile tapon(pEntorno->Raiz() + "/plug");
    QVERIFY(tapon.open(QIODevice::WriteOnly));
    tapon.close();
    TContextoAsistente c = Contexto(1);
    c.pCarpetas.psAppDataSystemLocal = pEntorno->Raiz() + "/plug/System/";
    auto f = Abrir(c);
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    Click(f.get(), "BitBtnSiguiente");
    QTest::keyClicks(Control<QLineEdit>(f.get(), "EditTresTituloTarea"), "x");
    Click(f.get(), "BitBtnSiguiente");
    QCOMPARE(Ultima_Caja(), "No hay acceso al directorio: " + c.pCarpetas.psAppDataSystemLocal);
    QVERIFY(f->isVisible());
    QVERIFY(!f->Guardado());
    QVERIFY(paGuardados.isEmpty());
}

void TstAsistente::inicio_con_sistema_falla()
{
    // The settings folder lies below a plain file: the entry cannot be written, so it does
    // not read back; "Error 100" and nothing saved, the wizard stays open.
    QFile tapon(pEntorno->Raiz() + "/plug");
    QVERIFY(tapon.open(QIODevice::WriteOnly));
    tapon.close();
    const QByteArray antes = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(tapon.fileName()));
    bool avisado = false;
    TContextoAsistente c = Contexto();
    c.Tras_Inicio_Con_Sistema = [&avisado] { avisado = true; };
    auto f = Abrir(c);
    Tipo(f.get(), "RadioButtonUnoCuandoLaPCInicie");
    Click(f.get(), "BitBtnSiguiente");
    QTest::keyClicks(Control<QLineEdit>(f.get(), "EditTresTituloTarea"), "At start");
    Click(f.get(), "BitBtnSiguiente");
    qputenv("XDG_CONFIG_HOME", antes);
    QVERIFY2(Ultima_Caja().startsWith("Error 100. Unable to save to registry."), qPrintable(Ultima_Caja()));
    QCOMPARE(pCajas->paCajas.last().iIcono, MB_ICONERROR);
    QVERIFY(f->isVisible());
    QVERIFY(!avisado);
    QVERIFY(pEntorno->Archivos_Datos().isEmpty());
}

void TstAsistente::prueba_carpeta_temporal()
{
    // The common folder cannot be made: the test file goes to the user's temporary folder.
    QFile tapon(pEntorno->Raiz() + "/plug");
    QVERIFY(tapon.open(QIODevice::WriteOnly));
    tapon.close();
    TContextoAsistente c = Contexto();
    c.pCarpetas.psAppDataAllUsers = pEntorno->Raiz() + "/plug/Kestrin/";
    auto f = Abrir(c);
    Tipo(f.get(), "RadioButtonUnoSoloUnaVez");
    Click(f.get(), "BitBtnSiguiente");
    Click(f.get(), "RadioButtonTresAbrirVentana");
    Click(f.get(), "CheckBoxTresTocarSonido");
    Click(f.get(), "BitBtnTresTestTask");
    QCOMPARE(pCajas->paCajas.size(), 0);
    const QStringList tmp = QDir(c.pCarpetas.psUserTempDir).entryList({"*.tmp"}, QDir::Files);
    QCOMPARE(tmp.size(), 1);
    const qint64 pid = f->Pid_Ventana_Prueba();
    QTRY_VERIFY_WITH_TIMEOUT(Proceso_Es_Programa(pid, "AlertWindow"), 20000);
    f->reject();
    QTRY_VERIFY_WITH_TIMEOUT(!Proceso_Es_Programa(pid, "AlertWindow"), 20000);
    QVERIFY(QDir(c.pCarpetas.psUserTempDir).entryList({"*.tmp"}, QDir::Files).isEmpty());
}

QTEST_MAIN(TstAsistente)
#include "tst_asistente.moc"
