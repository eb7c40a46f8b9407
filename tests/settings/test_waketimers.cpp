// The wake-timer dialog and the helper program on a temporary sysfs tree: the states it
// shows, every numbered error in both languages, a helper that hangs, an authorisation
// that is refused, and the helper's own refusal to be pointed elsewhere.

#include "report/messagerecorder.h"
#include "settings/waketimers.h"
#include "settings/wakesetting.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QApplication>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString gsRelativa = QStringLiteral("/class/rtc/rtc0/device/power/wakeup");

QString Leer(const QString &rsRuta)
{
    QFile f(rsRuta);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<unreadable>");
}

} // namespace

class TestWakeTimers : public QObject {
    Q_OBJECT

    QTemporaryDir pSysfs;
    QString psInterruptor;
    QString psGuionLento;

    void Escribir_Interruptor(const QByteArray &rTexto)
    {
        QDir().mkpath(QFileInfo(psInterruptor).path());
        QFile f(psInterruptor);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(rTexto);
    }
    void Quitar_Interruptor()
    {
        QFile::remove(psInterruptor);
        QDir(psInterruptor).removeRecursively();
    }
    TContextoWakeTimers Contexto(const QStringList &raPrefijo = {}, int riLimiteMs = 10000)
    {
        TContextoWakeTimers c;
        c.psAyudante = QStringLiteral(KESTRIN_WAKEUP_PATH);
        c.paPrefijoCambio = raPrefijo;
        c.piLimiteMs = riLimiteMs;
        return c;
    }
    // Opens the dialog, waits for the first reading and returns the recorder's boxes.
    void Abrir(TfrmWakeTimers &rDialogo, int riLenguaje)
    {
        QVERIFY(rDialogo.Inicializar(riLenguaje));
        rDialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rDialogo));
    }

private slots:
    void initTestCase()
    {
        psInterruptor = pSysfs.path() + gsRelativa;
        qputenv("KESTRIN_SYSFS_ROOT", pSysfs.path().toUtf8());
        psGuionLento = pSysfs.path() + QStringLiteral("/hanging-helper");
        QFile guion(psGuionLento);
        QVERIFY(guion.open(QIODevice::WriteOnly));
        guion.write("#!/bin/sh\nexec sleep 30\n");
        guion.close();
        guion.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void answerParsing_data()
    {
        QTest::addColumn<QString>("salida");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<bool>("habilitado");
        QTest::newRow("enabled") << QStringLiteral("wakeup=enabled\n") << 0 << true;
        QTest::newRow("disabled") << QStringLiteral("wakeup=disabled\n") << 0 << false;
        QTest::newRow("blanks around") << QStringLiteral("\nwakeup=enabled  \n\n") << 0 << true;
        QTest::newRow("nothing") << QString() << 601 << false;
        QTest::newRow("only line ends") << QStringLiteral("\n\n") << 601 << false;
        QTest::newRow("empty switch") << QStringLiteral("wakeup=\n") << 602 << false;
        QTest::newRow("other word") << QStringLiteral("wakeup=maybe\n") << 602 << false;
        QTest::newRow("letter case") << QStringLiteral("wakeup=Enabled\n") << 602 << false;
        QTest::newRow("no wakeup line") << QStringLiteral("enabled\n") << 603 << false;
        QTest::newRow("prefix mid-line") << QStringLiteral("x wakeup=enabled\n") << 603 << false;
    }
    void answerParsing()
    {
        QFETCH(QString, salida);
        QFETCH(int, codigo);
        QFETCH(bool, habilitado);
        const TResultadoDespertar r = Interpretar_Respuesta_Despertar(salida, 0);
        QCOMPARE(r.iCodigo, codigo);
        QCOMPARE(r.bHabilitado, habilitado);
        if (codigo)
            QCOMPARE(r.sMensaje, QStringLiteral("Error %1. Unable to read settings").arg(codigo));
        else
            QVERIFY(r.sMensaje.isEmpty());
    }

    void gateFollowsTheSwitch()
    {
        Quitar_Interruptor();
        QVERIFY(!Existe_Interruptor_Despertar());
        Escribir_Interruptor("disabled\n");
        QVERIFY(Existe_Interruptor_Despertar());
    }

    // What the dialog shows once on screen, for each state of the switch.
    void firstReading_data()
    {
        QTest::addColumn<QString>("interruptor"); // "<dir>" a folder in its place, "<none>" missing
        QTest::addColumn<int>("lenguaje");
        QTest::addColumn<QString>("estado");      // both labels
        QTest::addColumn<QString>("caja");        // the start of the one box, empty for none
        QTest::newRow("enabled en") << "enabled\n" << 0 << "Enabled" << "";
        QTest::newRow("enabled es") << "enabled\n" << 1 << "Habilitado" << "";
        QTest::newRow("disabled en") << "disabled\n" << 0 << "Disabled" << "";
        QTest::newRow("disabled es") << "disabled\n" << 1 << "Deshabilitado" << "";
        QTest::newRow("missing en") << "<none>" << 0 << "" << "Error 600. No such file or directory: ";
        QTest::newRow("missing es") << "<none>" << 1 << "" << "Error 600. No such file or directory: ";
        QTest::newRow("unreadable en") << "<dir>" << 0 << "" << "Error 600. Is a directory: ";
        QTest::newRow("unreadable es") << "<dir>" << 1 << "" << "Error 600. Is a directory: ";
        QTest::newRow("other word en") << "auto\n" << 0 << "" << "Error 602. Unable to read settings";
        QTest::newRow("other word es") << "auto\n" << 1 << "" << "Error 602. No pudo leer la configuración";
        QTest::newRow("empty es") << "" << 1 << "" << "Error 602. No pudo leer la configuración";
    }
    void firstReading()
    {
        QFETCH(QString, interruptor);
        QFETCH(int, lenguaje);
        QFETCH(QString, estado);
        QFETCH(QString, caja);
        Quitar_Interruptor();
        if (interruptor == QLatin1String("<dir>"))
            QVERIFY(QDir().mkpath(psInterruptor));
        else if (interruptor != QLatin1String("<none>"))
            Escribir_Interruptor(interruptor.toUtf8());
        TGrabadorMensajes grabador;
        TfrmWakeTimers dialogo(nullptr, Contexto());
        QVERIFY(dialogo.Inicializar(lenguaje));
        // Nothing is read before the dialog is on screen.
        QTest::qWait(80);
        QVERIFY(dialogo.LabelBateria->text().isEmpty() && grabador.paCajas.isEmpty());
        dialogo.show();
        if (caja.isEmpty()) {
            QTRY_COMPARE(dialogo.LabelConectado->text(), estado);
            QCOMPARE(dialogo.LabelBateria->text(), estado);
            QVERIFY(grabador.paCajas.isEmpty());
        } else {
            QTRY_COMPARE(grabador.paCajas.size(), 1);
            QVERIFY2(grabador.paCajas.first().sTexto.startsWith(caja), qPrintable(grabador.paCajas.first().sTexto));
            QCOMPARE(grabador.paCajas.first().iIcono, MB_ICONERROR);
            QVERIFY(dialogo.LabelConectado->text().isEmpty());
        }
        QVERIFY(!dialogo.Timer.isActive());
        QVERIFY(dialogo.BitBtnEnableWakeTimers->isEnabled());
    }

    void hangingHelperIsKilled_data()
    {
        QTest::addColumn<int>("lenguaje");
        QTest::addColumn<QString>("texto");
        QTest::newRow("en") << 0 << "Error 600. The command did not finish within 1 second and was stopped";
        QTest::newRow("es") << 1 << "Error 600. El comando no terminó en 1 segundo y fue detenido";
    }
    void hangingHelperIsKilled()
    {
        QFETCH(int, lenguaje);
        QFETCH(QString, texto);
        TContextoWakeTimers contexto = Contexto({}, 300);
        contexto.psAyudante = psGuionLento;
        const TResultadoDespertar r = Leer_Interruptor_Despertar(contexto, lenguaje);
        QCOMPARE(r.iCodigo, 600);
        QCOMPARE(r.sMensaje, texto);
    }

    // A change is stopped after its own limit too, and says so as error 610.
    void hangingChangeIsStopped_data()
    {
        QTest::addColumn<int>("lenguaje");
        QTest::addColumn<QString>("texto");
        QTest::newRow("en") << 0 << "Error 610. The command did not finish within 1 second and was stopped";
        QTest::newRow("es") << 1 << "Error 610. El comando no terminó en 1 segundo y fue detenido";
    }
    void hangingChangeIsStopped()
    {
        QFETCH(int, lenguaje);
        QFETCH(QString, texto);
        Escribir_Interruptor("disabled\n");
        TContextoWakeTimers contexto = Contexto({QStringLiteral("/bin/sh"), QStringLiteral("-c"), QStringLiteral("exec sleep 30")});
        contexto.piLimiteCambioMs = 300;
        const TResultadoDespertar r = Cambiar_Interruptor_Despertar(contexto, true, lenguaje);
        QCOMPARE(r.iCodigo, 610);
        QCOMPARE(r.sMensaje, texto);
        QCOMPARE(Leer(psInterruptor), QStringLiteral("disabled\n"));
    }

    void helperThatCannotStart()
    {
        TContextoWakeTimers contexto = Contexto();
        contexto.psAyudante = pSysfs.path() + QStringLiteral("/no-such-helper");
        const TResultadoDespertar r = Leer_Interruptor_Despertar(contexto, 0);
        QCOMPARE(r.iCodigo, 600);
        QVERIFY2(r.sMensaje.startsWith(QStringLiteral("Error 600. ")) && r.sMensaje.size() > 11,
                 qPrintable(r.sMensaje));
    }

    // Enable and Disable through the dialog, with an empty prefix (the test runs with the
    // rights to write its own tree).
    void enableAndDisable_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QString>("boton");
        QTest::addColumn<int>("lenguaje");
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QString>("confirmacion");
        QTest::newRow("enable en") << QByteArray("disabled\n") << "BitBtnEnableWakeTimers" << 0 << "enabled" << "Enabled" << "Wake Timers Enabled";
        QTest::newRow("enable es") << QByteArray("disabled\n") << "BitBtnEnableWakeTimers" << 1 << "enabled" << "Habilitado" << "Temporizadores de Reactivación Habilitados";
        QTest::newRow("disable en") << QByteArray("enabled\n") << "BitBtnDisableWakeTimers" << 0 << "disabled" << "Disabled" << "Wake Timers Disabled";
        QTest::newRow("disable es") << QByteArray("enabled\n") << "BitBtnDisableWakeTimers" << 1 << "disabled" << "Deshabilitado" << "Temporizadores de Reactivación Deshabilitados";
        QTest::newRow("enable when enabled") << QByteArray("enabled\n") << "BitBtnEnableWakeTimers" << 0 << "enabled" << "Enabled" << "Wake Timers Enabled";
    }
    void enableAndDisable()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QString, boton);
        QFETCH(int, lenguaje);
        QFETCH(QString, escrito);
        QFETCH(QString, estado);
        QFETCH(QString, confirmacion);
        Quitar_Interruptor();
        Escribir_Interruptor(antes);
        TGrabadorMensajes grabador;
        TfrmWakeTimers dialogo(nullptr, Contexto());
        Abrir(dialogo, lenguaje);
        QTRY_VERIFY(!dialogo.LabelConectado->text().isEmpty());
        QTest::mouseClick(dialogo.findChild<QPushButton *>(boton), Qt::LeftButton);
        QCOMPARE(Leer(psInterruptor), escrito);
        QCOMPARE(dialogo.LabelConectado->text(), estado);
        QCOMPARE(dialogo.LabelBateria->text(), estado);
        QCOMPARE(grabador.paCajas.size(), 1);
        QCOMPARE(grabador.paCajas.first().sTexto, confirmacion);
        QCOMPARE(grabador.paCajas.first().iIcono, MB_ICONINFORMATION);
    }

    // pkexec's refusals (126 dismissed, 127 not authorised), a failing change and a
    // change that does not hold: the switch keeps its state and no success is shown.
    void refusedOrFailedChange_data()
    {
        QTest::addColumn<QStringList>("prefijo");
        QTest::addColumn<int>("lenguaje");
        QTest::addColumn<QString>("caja");
        const QString sh = QStringLiteral("/bin/sh");
        const QString c = QStringLiteral("-c");
        QTest::newRow("dismissed en") << QStringList{sh, c, "exit 126"} << 0 << "Error 610. The change was not authorized";
        QTest::newRow("dismissed es") << QStringList{sh, c, "exit 126"} << 1 << "Error 610. El cambio no fue autorizado";
        QTest::newRow("not authorised, with pkexec's words")
            << QStringList{sh, c, "echo 'Error executing command as another user: Not authorized' >&2; exit 127"} << 0
            << "Error 610. The change was not authorized (Error executing command as another user: Not authorized)";
        QTest::newRow("prefix missing") << QStringList{"/nonexistent/pkexec"} << 0 << "Error 610. ";
        QTest::newRow("ran but did nothing") << QStringList{sh, c, "exit 0"} << 0 << "Error 610. The wake setting did not change";
        QTest::newRow("ran but did nothing es") << QStringList{sh, c, "exit 0"} << 1 << "Error 610. La configuración de reactivación no cambió";
    }
    void refusedOrFailedChange()
    {
        QFETCH(QStringList, prefijo);
        QFETCH(int, lenguaje);
        QFETCH(QString, caja);
        Quitar_Interruptor();
        Escribir_Interruptor("disabled\n");
        TGrabadorMensajes grabador;
        TfrmWakeTimers dialogo(nullptr, Contexto(prefijo));
        Abrir(dialogo, lenguaje);
        QTRY_VERIFY(!dialogo.LabelConectado->text().isEmpty());
        QTest::mouseClick(dialogo.BitBtnEnableWakeTimers, Qt::LeftButton);
        QCOMPARE(Leer(psInterruptor), QStringLiteral("disabled\n"));
        QCOMPARE(grabador.paCajas.size(), 1);
        QVERIFY2(grabador.paCajas.first().sTexto.startsWith(caja), qPrintable(grabador.paCajas.first().sTexto));
        QCOMPARE(grabador.paCajas.first().iIcono, MB_ICONERROR);
        QVERIFY(dialogo.BitBtnEnableWakeTimers->isEnabled());
    }

    void textsInBothLanguages_data()
    {
        QTest::addColumn<int>("lenguaje");
        QTest::addColumn<QStringList>("textos");
        QTest::newRow("en") << 0 << QStringList{"Wake Timers", "Wake Timers must be enabled to allow the program to wake up the computer", "",
                                                "Allow Wake Timers", "On battery (for laptops):", "Plugged in:",
                                                "Enable Wake Timers", "Disable Wake Timers", "Close"};
        QTest::newRow("es") << 1 << QStringList{"Temporizadores de Reactivación", "Los Temporizadores de Reactivación deben estar habilitados para",
                                                "permitir que el programa despierte a la computadora",
                                                "Permitir Temporizadores de Reactivación", "En Bateria (para portátiles):", "Conectado:",
                                                "Habilitar Temporizadores", "Deshabilitar Temporizadores", "Cerrar"};
        QTest::newRow("any other value is English") << 7 << QStringList{"Wake Timers", "Wake Timers must be enabled to allow the program to wake up the computer", "",
                                                "Allow Wake Timers", "On battery (for laptops):", "Plugged in:",
                                                "Enable Wake Timers", "Disable Wake Timers", "Close"};
    }
    void textsInBothLanguages()
    {
        QFETCH(int, lenguaje);
        QFETCH(QStringList, textos);
        TfrmWakeTimers dialogo(nullptr, Contexto());
        dialogo.LabelBateria->setText(QStringLiteral("stale"));
        QVERIFY(dialogo.Inicializar(lenguaje));
        const QStringList vistos{dialogo.windowTitle(), dialogo.LabelNota1->text(), dialogo.LabelNota2->text(),
                                 dialogo.GroupBox->title(), dialogo.LabelBateria1->text(), dialogo.LabelConectado1->text(),
                                 dialogo.BitBtnEnableWakeTimers->text(), dialogo.BitBtnDisableWakeTimers->text(),
                                 dialogo.BitBtnCerrar->text()};
        QCOMPARE(vistos, textos);
        QVERIFY(dialogo.LabelBateria->text().isEmpty());
        // A picture of each language for the eye (build/test-artifacts/waketimers/).
        const QString carpeta = qEnvironmentVariable("KESTRIN_TEST_ARTIFACTS");
        if (!carpeta.isEmpty()) {
            Escribir_Interruptor("enabled\n");
            TGrabadorMensajes grabador;
            Abrir(dialogo, lenguaje);
            QTRY_VERIFY(!dialogo.LabelConectado->text().isEmpty());
            QDir().mkpath(carpeta);
            QVERIFY(dialogo.grab().save(carpeta + QStringLiteral("/waketimers_%1.png").arg(lenguaje)));
        }
    }

    // The helper itself: its command line, and no pointing elsewhere under pkexec.
    void helperCommandLine_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QStringList>("entorno");
        QTest::addColumn<int>("salida");
        QTest::addColumn<QString>("texto");
        QTest::newRow("query") << QStringList{"query"} << QStringList{} << 0 << "wakeup=enabled\n";
        QTest::newRow("no command") << QStringList{} << QStringList{} << 2 << "";
        QTest::newRow("unknown command") << QStringList{"toggle"} << QStringList{} << 2 << "";
        QTest::newRow("two commands") << QStringList{"enable", "disable"} << QStringList{} << 2 << "";
        // Under pkexec the temporary tree is ignored: the real /sys switch is read (or
        // found missing), never the tree the caller named.
        QTest::newRow("root from pkexec ignored") << QStringList{"query"} << QStringList{"PKEXEC_UID=1000"} << -1 << "";
    }
    void helperCommandLine()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QStringList, entorno);
        QFETCH(int, salida);
        QFETCH(QString, texto);
        Quitar_Interruptor();
        Escribir_Interruptor("enabled\n");
        QProcess ayudante;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString &par : entorno)
            env.insert(par.section(QLatin1Char('='), 0, 0), par.section(QLatin1Char('='), 1));
        ayudante.setProcessEnvironment(env);
        ayudante.start(QStringLiteral(KESTRIN_WAKEUP_PATH), argumentos);
        QVERIFY(ayudante.waitForFinished(5000));
        const QString salidaTexto = QString::fromUtf8(ayudante.readAllStandardOutput());
        if (salida >= 0) {
            QCOMPARE(ayudante.exitCode(), salida);
            QCOMPARE(salidaTexto, texto);
        } else {
            const QString real = QStringLiteral("/sys") + gsRelativa;
            if (QFileInfo::exists(real))
                QCOMPARE(salidaTexto.trimmed(), QStringLiteral("wakeup=") + Leer(real).trimmed());
            else
                QVERIFY2(ayudante.exitCode() == 1
                             && QString::fromUtf8(ayudante.readAllStandardError()).contains(real),
                         qPrintable(salidaTexto));
        }
        QCOMPARE(Leer(psInterruptor), QStringLiteral("enabled\n"));
    }

    // Installed set-group-ID, the helper runs with rights its caller lacks although no
    // pkexec is involved: the caller's KESTRIN_SYSFS_ROOT is ignored then too.
    void helperSetGroupIdIgnoresOverride()
    {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs root and setpriv to run a set-group-ID copy as another user");
        QTemporaryDir carpeta;
        QFile::setPermissions(carpeta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther);
        const QString copia = carpeta.filePath(QStringLiteral("kestrin-wakeup"));
        QVERIFY(QFile::copy(QStringLiteral(KESTRIN_WAKEUP_PATH), copia));
        QVERIFY(::chown(QFile::encodeName(copia).constData(), 0, 0) == 0);
        QVERIFY(::chmod(QFile::encodeName(copia).constData(), 02755) == 0);
        // A tree the caller may read, so only the helper's own rule keeps it out.
        QTemporaryDir arbol;
        QVERIFY(QDir().mkpath(arbol.path() + QFileInfo(gsRelativa).path()));
        QFile interruptor(arbol.path() + gsRelativa);
        QVERIFY(interruptor.open(QIODevice::WriteOnly));
        interruptor.write("enabled\n");
        interruptor.close();
        QVERIFY(QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a+rX"), arbol.path()}) == 0);
        QProcess ayudante;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KESTRIN_SYSFS_ROOT"), arbol.path());
        ayudante.setProcessEnvironment(env);
        ayudante.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                                   QStringLiteral("--clear-groups"), copia, QStringLiteral("query")});
        QVERIFY(ayudante.waitForFinished(5000));
        const QString salida = QString::fromUtf8(ayudante.readAllStandardOutput());
        const QString real = QStringLiteral("/sys") + gsRelativa;
        if (QFileInfo::exists(real))
            QCOMPARE(salida.trimmed(), QStringLiteral("wakeup=") + Leer(real).trimmed());
        else
            QVERIFY2(ayudante.exitCode() == 1 && QString::fromUtf8(ayudante.readAllStandardError()).contains(real),
                     qPrintable(salida));
    }

    // A change never creates the switch where there is none.
    void changeOfMissingSwitchCreatesNothing()
    {
        Quitar_Interruptor();
        const TResultadoDespertar r = Cambiar_Interruptor_Despertar(Contexto(), true, 0);
        QCOMPARE(r.iCodigo, 610);
        QVERIFY2(r.sMensaje.startsWith(QStringLiteral("Error 610. No such file or directory")), qPrintable(r.sMensaje));
        QVERIFY(!QFileInfo::exists(psInterruptor));
    }

    void secondRequestWhileOpenIsIgnored()
    {
        Escribir_Interruptor("enabled\n");
        TGrabadorMensajes grabador;
        int abiertos = -1;
        // While the first is open, a second request; later every open one is counted and
        // closed, so a second dialog that did open cannot hang the test.
        QTimer::singleShot(200, [&] { Mostrar_Wake_Timers(nullptr, 1, Contexto()); });
        QTimer::singleShot(400, [&] {
            abiertos = 0;
            const auto ventanas = QApplication::topLevelWidgets();
            for (QWidget *w : ventanas) {
                if (auto *d = qobject_cast<TfrmWakeTimers *>(w); d && d->isVisible()) {
                    ++abiertos;
                    d->reject();
                }
            }
        });
        Mostrar_Wake_Timers(nullptr, 0, Contexto());
        QCOMPARE(abiertos, 1);
        // Once closed, the next request opens again.
        abiertos = -1;
        QTimer::singleShot(100, [&] {
            abiertos = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *d = qobject_cast<TfrmWakeTimers *>(w); d && d->isVisible()) {
                    ++abiertos;
                    d->reject();
                }
        });
        Mostrar_Wake_Timers(nullptr, 0, Contexto());
        QCOMPARE(abiertos, 1);
    }
};

QTEST_MAIN(TestWakeTimers)
#include "test_waketimers.moc"
