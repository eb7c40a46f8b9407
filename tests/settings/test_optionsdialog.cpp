// The options dialog, offscreen: what it shows from the settings in memory, what OK
// writes to the real settings file (read back through the store), what it refuses,
// and that the language change stays inside the dialog until OK.

#include "report/messagerecorder.h"
#include "settings/options.h"
#include "settings/optionstexts.h"
#include "settings/registry.h"
#include "texts/language.h"
#include "tempxdg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString kExe = QStringLiteral("/opt/Kestrin Apps/kestrin");
const QStringList kFuentes{QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Serif")};

TConfiguracion Configuracion()
{
    TConfiguracion c;
    c.psDefaultSound = QStringLiteral("s1.mp3");
    c.pbStartWithWindows = false;
    c.pbWakeUpComputer = true;
    c.piDesktopAlertDuracion = 10;
    c.pbDesktopAlertPermanent = false;
    c.piDefaultSnoozeTime = 10;
    c.psFontMensaje = QStringLiteral("Arial");
    return c;
}

QString Guardado(const char *rsNombre)
{
    return Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QLatin1String(rsNombre), QString());
}

} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void snoozeShown_data();
    void snoozeShown();
    void saveReadsBack();
    void seconds_data();
    void seconds();
    void permanentKeepsOldSeconds();
    void languageStaysInsideUntilOk();
    void cancelWritesNothing();
    void fonts_data();
    void fonts();
    void fonts_desktop();
    void wakeTimers_data();
    void wakeTimers();
    void failedSaveKeepsDialogOpen();
    void secondRequestIgnored();

private:
    template <typename T> T *W(const char *rsNombre)
    {
        T *w = pDialogo->findChild<T *>(QLatin1String(rsNombre));
        if (!w)
            qFatal("no widget %s", rsNombre);
        return w;
    }
    void Abrir();

    std::unique_ptr<TCarpetasXdgTemporales> pXdg;
    std::unique_ptr<TGrabadorMensajes> pCajas;
    TConfiguracion pConfig;
    TContextoOpciones pContexto;
    std::unique_ptr<TfrmOpciones> pDialogo;
    int piTemporizadores = 0;
    QWidget *pDuenoTemporizadores = nullptr;
};

void TestOptionsDialog::init()
{
    pXdg = std::make_unique<TCarpetasXdgTemporales>();
    pCajas = std::make_unique<TGrabadorMensajes>();
    Establecer_Lenguaje(0);
    pConfig = Configuracion();
    pContexto = TContextoOpciones();
    pContexto.pConfig = &pConfig;
    pContexto.iLenguaje = 0;
    pContexto.sEjecutable = kExe;
    pContexto.aFuentes = kFuentes;
    pContexto.Despertador_Disponible = [] { return true; };
    piTemporizadores = 0;
    pDuenoTemporizadores = nullptr;
    pContexto.Abrir_Temporizadores = [this](QWidget *rDueno) {
        ++piTemporizadores;
        pDuenoTemporizadores = rDueno;
    };
}

void TestOptionsDialog::cleanup()
{
    pDialogo.reset();
    pCajas.reset();
    pXdg.reset();
    Establecer_Lenguaje(0);
}

void TestOptionsDialog::Abrir()
{
    pDialogo = std::make_unique<TfrmOpciones>(nullptr, pContexto);
    QVERIFY(pDialogo->Inicializar());
    pDialogo->show();
}

void TestOptionsDialog::snoozeShown_data()
{
    QTest::addColumn<int>("guardado");
    QTest::addColumn<QString>("mostrado");
    QTest::addColumn<QString>("grabado");
    QTest::newRow("10") << 10 << "10 Minutes" << "10";
    QTest::newRow("1 singular") << 1 << "1 Minute" << "1";
    QTest::newRow("60 last") << 60 << "60 Minutes" << "60";
    QTest::newRow("25 not listed") << 25 << "10 Minutes" << "10";
    QTest::newRow("0") << 0 << "10 Minutes" << "10";
    QTest::newRow("negative") << -3 << "10 Minutes" << "10";
}

void TestOptionsDialog::snoozeShown()
{
    QFETCH(int, guardado);
    QFETCH(QString, mostrado);
    QFETCH(QString, grabado);
    pConfig.piDefaultSnoozeTime = guardado;
    Abrir();
    QCOMPARE(W<QComboBox>("ComboBoxSnooze")->count(), 16);
    QCOMPARE(W<QComboBox>("ComboBoxSnooze")->currentText(), mostrado);
    QTest::mouseClick(W<QPushButton>("BitBtnAceptar"), Qt::LeftButton);
    QCOMPARE(pDialogo->result(), int(QDialog::Accepted));
    QCOMPARE(Guardado("SnoozeTime"), grabado);
    QCOMPARE(pConfig.piDefaultSnoozeTime, grabado.toInt());
}

void TestOptionsDialog::saveReadsBack()
{
    Abrir();
    W<QComboBox>("ComboBoxLenguaje")->setCurrentIndex(1);
    W<QCheckBox>("CheckBoxStartWithWindows")->setChecked(true);
    W<QCheckBox>("CheckBoxWakeUp")->setChecked(false);
    QLineEdit *segundos = W<QLineEdit>("EditSegundos");
    segundos->clear();
    QTest::keyClicks(segundos, QStringLiteral("4x5-"));
    QCOMPARE(segundos->text(), QStringLiteral("45")); // typing keeps digits only
    W<QComboBox>("ComboBoxSnooze")->setCurrentIndex(11); // 20 minutes
    W<QComboBox>("ComboBoxFont")->setCurrentIndex(2);
    QVERIFY(!W<QCheckBox>("CheckBoxNotificaciones")->isChecked()); // off until the user turns it on
    W<QCheckBox>("CheckBoxNotificaciones")->setChecked(true);
    QTest::mouseClick(W<QPushButton>("BitBtnAceptar"), Qt::LeftButton);

    QCOMPARE(pDialogo->result(), int(QDialog::Accepted));
    QVERIFY2(pCajas->paCajas.isEmpty(), qPrintable(pCajas->paCajas.value(0).sTexto));
    // Read back the way start-up reads them.
    QCOMPARE(Guardado("Language"), QStringLiteral("1"));
    QCOMPARE(Guardado("WakeUpComputer"), QStringLiteral("0"));
    QCOMPARE(Guardado("WaitTimeAlert"), QStringLiteral("45"));
    QCOMPARE(Guardado("PermanentAlert"), QStringLiteral("0"));
    QCOMPARE(Guardado("SnoozeTime"), QStringLiteral("20"));
    QCOMPARE(Guardado("Font"), QStringLiteral("Liberation Serif"));
    QCOMPARE(Guardado("DesktopNotifications"), QStringLiteral("1"));
    TConfiguracion leida;
    Cargar_Configuracion(leida, kExe, kFuentes);
    QVERIFY(leida.pbStartWithWindows);
    QVERIFY(leida.pbDesktopNotifications);
    QCOMPARE(leida.piDesktopAlertDuracion, 45);
    QCOMPARE(leida.psFontMensaje, QStringLiteral("Liberation Serif"));
    // And the memory the main window compares afterwards.
    QCOMPARE(Lenguaje_Actual(), 1);
    QVERIFY(pConfig.pbStartWithWindows);
    QVERIFY(!pConfig.pbWakeUpComputer);
    QCOMPARE(pConfig.piDesktopAlertDuracion, 45);
    QCOMPARE(pConfig.piDefaultSnoozeTime, 20);
    QCOMPARE(pConfig.psFontMensaje, QStringLiteral("Liberation Serif"));

    // Off again: the autostart entry goes.
    pDialogo.reset();
    pContexto.iLenguaje = 1;
    Abrir();
    QVERIFY(W<QCheckBox>("CheckBoxStartWithWindows")->isChecked());
    QVERIFY(W<QCheckBox>("CheckBoxNotificaciones")->isChecked());
    W<QCheckBox>("CheckBoxStartWithWindows")->setChecked(false);
    W<QCheckBox>("CheckBoxNotificaciones")->setChecked(false);
    QTest::mouseClick(W<QPushButton>("BitBtnAceptar"), Qt::LeftButton);
    QCOMPARE(pDialogo->result(), int(QDialog::Accepted));
    QVERIFY(!QFile::exists(pXdg->Autostart()));
    QVERIFY(!pConfig.pbStartWithWindows);
    QCOMPARE(Guardado("DesktopNotifications"), QStringLiteral("0"));
    QVERIFY(!pConfig.pbDesktopNotifications);
}

void TestOptionsDialog::seconds_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("grabado"); // empty: refused
    QTest::newRow("leading zeros") << "00030" << 0 << "30";
    QTest::newRow("one") << "1" << 0 << "1";
    QTest::newRow("largest") << "99999" << 0 << "99999";
    QTest::newRow("blanks around") << " 7 " << 0 << "7";
    QTest::newRow("zero") << "0" << 0 << "";
    QTest::newRow("zeros") << "00000" << 1 << "";
    QTest::newRow("empty") << "" << 0 << "";
    QTest::newRow("pasted letters") << "abc" << 0 << "";
    QTest::newRow("pasted negative") << "-5" << 1 << "";
    QTest::newRow("pasted decimal") << "2.5" << 0 << "";
}

void TestOptionsDialog::seconds()
{
    QFETCH(QString, texto);
    QFETCH(int, lenguaje);
    QFETCH(QString, grabado);
    Abrir();
    W<QComboBox>("ComboBoxLenguaje")->setCurrentIndex(lenguaje);
    // setText stands for a paste, which the check on OK must still catch.
    W<QLineEdit>("EditSegundos")->setText(texto);
    QTest::mouseClick(W<QPushButton>("BitBtnAceptar"), Qt::LeftButton);
    if (grabado.isEmpty()) {
        QCOMPARE(pDialogo->result(), int(QDialog::Rejected));
        QVERIFY(pDialogo->isVisible());
        QCOMPARE(pCajas->paCajas.size(), 1);
        QCOMPARE(pCajas->paCajas[0].sTexto, lenguaje == 1 ? QStringLiteral("Por favor escribe un número mayor a 0")
                                                          : QStringLiteral("Please enter a number greater than 0"));
        QCOMPARE(pCajas->paCajas[0].iIcono, MB_ICONERROR);
        QCOMPARE(pDialogo->focusWidget(), W<QLineEdit>("EditSegundos"));
        // Nothing at all was saved, not even the values before the seconds.
        QVERIFY(!QFile::exists(pXdg->Archivo_Usuario()));
        QCOMPARE(pConfig.piDesktopAlertDuracion, 10);
    } else {
        QCOMPARE(pDialogo->result(), int(QDialog::Accepted));
        QCOMPARE(Guardado("WaitTimeAlert"), grabado);
    }
}

void TestOptionsDialog::permanentKeepsOldSeconds()
{
    pConfig.piDesktopAlertDuracion = 77;
    pConfig.pbDesktopAlertPermanent = true;
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("WaitTimeAlert"), QStringLiteral("77"));
    Abrir();
    QVERIFY(W<QRadioButton>("RadioButtonPermanente")->isChecked());
    QLineEdit *segundos = W<QLineEdit>("EditSegundos");
    QCOMPARE(segundos->text(), QStringLiteral("77"));
    QVERIFY(!segundos->isEnabled());
    QTest::mouseClick(W<QRadioButton>("RadioButtonSegundos"), Qt::LeftButton);
    QVERIFY(segundos->isEnabled());
    QTest::mouseClick(W<QRadioButton>("RadioButtonPermanente"), Qt::LeftButton);
    QVERIFY(!segundos->isEnabled());
    // What the box holds while permanent is neither checked nor written.
    segundos->setText(QStringLiteral("abc"));
    QTest::mouseClick(W<QPushButton>("BitBtnAceptar"), Qt::LeftButton);
    QCOMPARE(pDialogo->result(), int(QDialog::Accepted));
    QCOMPARE(Guardado("PermanentAlert"), QStringLiteral("1"));
    QCOMPARE(Guardado("WaitTimeAlert"), QStringLiteral("77"));
    QCOMPARE(pConfig.piDesktopAlertDuracion, 77);
    QVERIFY(pConfig.pbDesktopAlertPermanent);
}

void TestOptionsDialog::languageStaysInsideUntilOk()
{
    pConfig.piDefaultSnoozeTime = 30;
    Abrir();
    QCOMPARE(pDialogo->windowTitle(), QStringLiteral("Options"));
    QComboBox *lenguaje = W<QComboBox>("ComboBoxLenguaje");
    QCOMPARE(lenguaje->itemText(1), QStringLiteral("Español"));
    W<QComboBox>("ComboBoxSnooze")->setCurrentIndex(3); // the user's choice, 4 minutes
    lenguaje->setCurrentIndex(1);
    emit lenguaje->activated(1);
    QCOMPARE(pDialogo->windowTitle(), QStringLiteral("Opciones"));
    QCOMPARE(W<QLabel>("LabelCambiarLenguaje")->text(), QStringLiteral("Cambiar Idioma"));
    QCOMPARE(W<QPushButton>("BitBtnCancelar")->text(), QStringLiteral("Cancelar"));
    QCOMPARE(W<QRadioButton>("RadioButtonSegundos")->text(), QStringLiteral("Segundos"));
    QCOMPARE(W<QLabel>("LabelSnooze")->text(), QStringLiteral("Tiempo a posponer (Snooze)"));
    QCOMPARE(W<QCheckBox>("CheckBoxNotificaciones")->text(),
             QStringLiteral("Mostrar los recordatorios como notificaciones del escritorio"));
    QCOMPARE(W<QComboBox>("ComboBoxSnooze")->currentText(), QStringLiteral("4 Minutos"));
    QCOMPARE(W<QComboBox>("ComboBoxSnooze")->itemText(0), QStringLiteral("1 Minuto"));
    QCOMPARE(pDialogo->Lenguaje_Elegido(), 1);
    // Not yet the program's language, nor stored.
    QCOMPARE(Lenguaje_Actual(), 0);
    QVERIFY(Guardado("Language").isEmpty());
    lenguaje->setCurrentIndex(0);
    emit lenguaje->activated(0);
    QCOMPARE(W<QComboBox>("ComboBoxSnooze")->currentText(), QStringLiteral("4 Minutes"));
    QCOMPARE(pDialogo->windowTitle(), QStringLiteral("Options"));
    QCOMPARE(W<QCheckBox>("CheckBoxNotificaciones")->text(), QStringLiteral("Show reminders as desktop notifications"));
}

void TestOptionsDialog::cancelWritesNothing()
{
    Abrir();
    W<QComboBox>("ComboBoxLenguaje")->setCurrentIndex(1);
    W<QCheckBox>("CheckBoxStartWithWindows")->setChecked(true);
    W<QLineEdit>("EditSegundos")->setText(QStringLiteral("55"));
    QTest::keyClick(pDialogo.get(), Qt::Key_Escape);
    QCOMPARE(pDialogo->result(), int(QDialog::Rejected));
    QVERIFY(!pDialogo->isVisible());
    QVERIFY(!QFile::exists(pXdg->Archivo_Usuario()));
    QVERIFY(!QFile::exists(pXdg->Autostart()));
    QCOMPARE(Lenguaje_Actual(), 0);
    QCOMPARE(pConfig.piDesktopAlertDuracion, 10);
    QVERIFY(!pConfig.pbStartWithWindows);
}

void TestOptionsDialog::fonts_data()
{
    QTest::addColumn<QStringList>("instaladas");
    QTest::addColumn<QString>("enMemoria");
    QTest::addColumn<QString>("elegida");
    QTest::addColumn<QString>("otra"); // chosen before OK; empty: none
    QTest::addColumn<QString>("grabada");
    // Nothing chosen: the stored font stays as it is ("Segoe UI" here), whatever is shown.
    QTest::newRow("exact") << kFuentes << "DejaVu Sans" << "DejaVu Sans" << "" << "Segoe UI";
    QTest::newRow("other case") << kFuentes << "dejavu SANS" << "DejaVu Sans" << "" << "Segoe UI";
    QTest::newRow("not installed: none selected, never the first") << kFuentes << "Segoe UI" << "" << ""
                                                                    << "Segoe UI";
    QTest::newRow("no fonts at all") << QStringList() << "Segoe UI" << "" << "" << "Segoe UI";
    QTest::newRow("another chosen") << kFuentes << "DejaVu Sans" << "DejaVu Sans" << "Liberation Serif"
                                    << "Liberation Serif";
}

void TestOptionsDialog::fonts()
{
    QFETCH(QStringList, instaladas);
    QFETCH(QString, enMemoria);
    QFETCH(QString, elegida);
    QFETCH(QString, otra);
    QFETCH(QString, grabada);
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("Font"), QStringLiteral("Segoe UI"));
    pContexto.aFuentes = instaladas;
    pConfig.psFontMensaje = enMemoria;
    Abrir();
    QComboBox *fuente = W<QComboBox>("ComboBoxFont");
    QCOMPARE(fuente->currentText(), elegida);
    if (!elegida.isEmpty())
        QCOMPARE(W<QLabel>("LabelTextoDeEjemplo")->font().family(), elegida);
    else
        QCOMPARE(fuente->currentIndex(), -1);
    if (!otra.isEmpty())
        fuente->setCurrentIndex(fuente->findText(otra));
    QTest::mouseClick(W<QPushButton>("BitBtnAceptar"), Qt::LeftButton);
    QCOMPARE(pDialogo->result(), int(QDialog::Accepted));
    QCOMPARE(Guardado("Font"), grabada);
    QCOMPARE(pConfig.psFontMensaje, otra.isEmpty() ? enMemoria : otra);
}

// On this machine's own fonts: the Windows names of the stored defaults resolve to a
// family that is installed, and never to a symbol or mathematics one.
void TestOptionsDialog::fonts_desktop()
{
    const TFuentesEscritorio escritorio = Fuentes_Del_Escritorio();
    if (escritorio.aInstaladas.isEmpty())
        QSKIP("no font is installed");
    for (const QString &nombre : {QStringLiteral("Segoe UI"), QStringLiteral("Arial"), QString()}) {
        const QString familia = Elegir_Fuente(nombre, escritorio);
        QVERIFY2(escritorio.aInstaladas.contains(familia, Qt::CaseInsensitive), qPrintable(nombre + " → " + familia));
        QVERIFY2(!escritorio.De_Simbolos(familia), qPrintable(nombre + " → " + familia));
    }
    QVERIFY(escritorio.De_Simbolos(QStringLiteral("DejaVu Math TeX Gyre")));
}

void TestOptionsDialog::wakeTimers_data()
{
    QTest::addColumn<bool>("disponible");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("nota");
    QTest::newRow("readable") << true << 0 << "(Not available on this computer)";
    QTest::newRow("not readable") << false << 0 << "(Not available on this computer)";
    QTest::newRow("no lectura, español") << false << 1 << "(No disponible en esta computadora)";
}

void TestOptionsDialog::wakeTimers()
{
    QFETCH(bool, disponible);
    QFETCH(int, lenguaje);
    QFETCH(QString, nota);
    pContexto.Despertador_Disponible = [disponible] { return disponible; };
    pContexto.iLenguaje = lenguaje;
    Abrir();
    QPushButton *boton = W<QPushButton>("BitBtnWakeTimers");
    QLabel *etiqueta = W<QLabel>("LabelOnlyWindows7");
    QCOMPARE(boton->isEnabled(), disponible);
    QCOMPARE(etiqueta->isVisible(), !disponible);
    QCOMPARE(etiqueta->text(), nota);
    QTest::mouseClick(boton, Qt::LeftButton);
    QCOMPARE(piTemporizadores, disponible ? 1 : 0);
    if (disponible)
        QCOMPARE(pDuenoTemporizadores, static_cast<QWidget *>(pDialogo.get()));
}

void TestOptionsDialog::failedSaveKeepsDialogOpen()
{
    // The settings folder cannot be made: the autostart entry is saved, then the first
    // value of the settings file fails with its code, and the dialog stays open.
    TCarpetasXdgTemporales::Bloquear_Con_Archivo(pXdg->Config() + QStringLiteral("/Kestrin"));
    Abrir();
    W<QCheckBox>("CheckBoxStartWithWindows")->setChecked(true);
    W<QComboBox>("ComboBoxLenguaje")->setCurrentIndex(1);
    QTest::mouseClick(W<QPushButton>("BitBtnAceptar"), Qt::LeftButton);
    QCOMPARE(pDialogo->result(), int(QDialog::Rejected));
    QVERIFY(pDialogo->isVisible());
    QCOMPARE(pCajas->paCajas.size(), 1);
    QVERIFY2(pCajas->paCajas[0].sTexto.startsWith(QStringLiteral("Error 102. No se puede grabar en el registro.")),
             qPrintable(pCajas->paCajas[0].sTexto));
    QVERIFY(pConfig.pbStartWithWindows);
    QVERIFY(pConfig.pbWakeUpComputer);
    QCOMPARE(Lenguaje_Actual(), 0);
}

void TestOptionsDialog::secondRequestIgnored()
{
    int abiertos = 0;
    bool segundo = true;
    QTimer::singleShot(0, this, [&] {
        const auto dialogos = QApplication::topLevelWidgets();
        for (QWidget *w : dialogos)
            if (w->objectName() == QLatin1String("frmOpciones") && w->isVisible())
                ++abiertos;
        segundo = Abrir_Opciones(nullptr, pContexto); // returns at once
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<TfrmOpciones *>(w))
                d->findChild<QPushButton *>(QStringLiteral("BitBtnAceptar"))->click();
    });
    QVERIFY(Abrir_Opciones(nullptr, pContexto));
    QCOMPARE(abiertos, 1);
    QVERIFY(!segundo);
    QCOMPARE(Guardado("Language"), QStringLiteral("0"));
}

QTEST_MAIN(TestOptionsDialog)
#include "test_optionsdialog.moc"
