// "kestrin --in": the built program on private folders at a fixed clock. The file it
// writes is read back by "kestrin --list --json"; bad counts are refused with status 2
// and nothing written.

#include "store/daycount.h"
#include "store/reminderfile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kAhora = QStringLiteral("2026-03-10 22:30:15");

struct TResultado {
    int iCodigo = -1;
    QString sSalida;
    QString sErrores;
};

} // namespace

class TstQuickCommand : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void writesAndLists_data();
    void writesAndLists();
    void badCount_data();
    void badCount();
    void help();

private:
    TResultado Ejecutar(const QStringList &rArgumentos);
    QString Carpeta_Tareas() const { return pRaiz->path() + QStringLiteral("/data/Kestrin/System/"); }
    std::unique_ptr<QTemporaryDir> pRaiz;
};

void TstQuickCommand::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("faketime")).isEmpty(), "faketime is not installed");
}

void TstQuickCommand::init()
{
    pRaiz = std::make_unique<QTemporaryDir>();
    QVERIFY(pRaiz->isValid());
}

TResultado TstQuickCommand::Ejecutar(const QStringList &rArgumentos)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString raiz = pRaiz->path();
    env.insert(QStringLiteral("XDG_DATA_HOME"), raiz + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), raiz + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_CONFIG_DIRS"), raiz + QStringLiteral("/etc-xdg"));
    env.insert(QStringLiteral("KESTRIN_COMMON_DIR"), raiz + QStringLiteral("/common"));
    env.insert(QStringLiteral("HOME"), raiz);
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Never the user's own bus: the broadcast is checked end to end on a private one.
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("faketime"), QStringList{QStringLiteral("-f"), kAhora, QStringLiteral(KESTRIN_BIN)} + rArgumentos);
    if (!p.waitForFinished(30000))
        qWarning("kestrin did not finish");
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

void TstQuickCommand::writesAndLists_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<QString>("idiomaGuardado");
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<int>("minutos");
    QTest::newRow("10 minutes with a message") << QStringList{"--in", "10", "--message", "Tea is ready"} << "0"
                                               << "Quick Reminder" << "Tea is ready" << 10;
    QTest::newRow("5 hours past midnight, spanish") << QStringList{"--in=300"} << "1" << "Recordatorio Rápido" << ""
                                                    << 300;
    QTest::newRow("two-line message, padded count") << QStringList{"--in", " 007 ", "--message", "Call\n  back"}
                                                    << "0" << "Quick Reminder" << "Call\r\nback" << 7;
}

void TstQuickCommand::writesAndLists()
{
    QFETCH(QStringList, argumentos);
    QFETCH(QString, idiomaGuardado);
    QFETCH(QString, nombre);
    QFETCH(QString, mensaje);
    QFETCH(int, minutos);
    QDir().mkpath(pRaiz->path() + QStringLiteral("/config/Kestrin"));
    QFile conf(pRaiz->path() + QStringLiteral("/config/Kestrin/Kestrin.conf"));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("[General]\nLanguage=" + idiomaGuardado.toUtf8() + "\nDefaultSound=Bell.WAV\n");
    conf.close();

    const TResultado r = Ejecutar(argumentos);
    QVERIFY2(r.iCodigo == 0, qPrintable(r.sErrores));
    const QStringList archivos = QDir(Carpeta_Tareas()).entryList({QStringLiteral("*.od")}, QDir::Files);
    QCOMPARE(archivos.size(), 1);
    const QString archivo = Carpeta_Tareas() + archivos.first();
    QVERIFY2(r.sSalida.contains(archivo), qPrintable(r.sSalida));

    const TResultado lista = Ejecutar({QStringLiteral("--list"), QStringLiteral("--json")});
    QCOMPARE(lista.iCodigo, 0);
    const QJsonArray tareas = QJsonDocument::fromJson(lista.sSalida.toUtf8()).object().value("reminders").toArray();
    QCOMPARE(tareas.size(), 1);
    const QJsonObject t = tareas.first().toObject();
    QCOMPARE(t.value("name").toString(), nombre);
    QCOMPARE(t.value("type").toInt(), 1);
    QCOMPARE(t.value("file").toString(), archivo);
    const double ahora = DateTime_a_Dias(QDateTime::fromString(kAhora, QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    QCOMPARE(Dias_a_Milisegundos(t.value("nextRun").toDouble()), Dias_a_Milisegundos(ahora) + minutos * 60000LL);

    TTipoTarea tarea;
    int codigo = -1;
    QCOMPARE(Leer_Archivo_Tarea(archivo, tarea, codigo), TLectura::Ok);
    QCOMPARE(tarea.tsMensaje, mensaje); // values are trimmed when read
    QStringList lineas;
    QCOMPARE(Leer_Lineas_Planas(archivo, lineas), TLectura::Ok);
    if (mensaje.contains(QStringLiteral("back")))
        QVERIFY(lineas.contains(QStringLiteral("Mensaje2=  back"))); // stored as typed
    QCOMPARE(tarea.tiAutoDelete, 1);
    QCOMPARE(tarea.tiTocarSonido, 1);
    QCOMPARE(tarea.tiAlertWindow, 3);
    QCOMPARE(tarea.tsPathDelSonido, pRaiz->path() + QStringLiteral("/common/Kestrin/Sounds/Bell.WAV"));
    // The settings were only read.
    QVERIFY(conf.open(QIODevice::ReadOnly));
    QCOMPARE(conf.readAll(), "[General]\nLanguage=" + idiomaGuardado.toUtf8() + "\nDefaultSound=Bell.WAV\n");
}

void TstQuickCommand::badCount_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::newRow("zero") << QStringList{"--in", "0"};
    QTest::newRow("negative") << QStringList{"--in", "-5"};
    QTest::newRow("negative, joined") << QStringList{"--in=-1"};
    QTest::newRow("one over five years") << QStringList{"--in", "2629801"};
    QTest::newRow("beyond 64 bits") << QStringList{"--in", "99999999999999999999999"};
    QTest::newRow("not a number") << QStringList{"--in", "ten"};
    QTest::newRow("decimal") << QStringList{"--in", "1.5"};
    QTest::newRow("unit") << QStringList{"--in", "5m"};
    QTest::newRow("empty") << QStringList{"--in", ""};
    QTest::newRow("message alone") << QStringList{"--message", "hello"};
    QTest::newRow("with --list") << QStringList{"--list", "--in", "5"};
}

void TstQuickCommand::badCount()
{
    QFETCH(QStringList, argumentos);
    const TResultado r = Ejecutar(argumentos);
    QCOMPARE(r.iCodigo, 2);
    QVERIFY(r.sSalida.isEmpty());
    QVERIFY(!r.sErrores.isEmpty());
    if (argumentos.first().startsWith(QStringLiteral("--in")))
        QVERIFY2(r.sErrores.contains(QStringLiteral("Invalid number of minutes")), qPrintable(r.sErrores));
    // Nothing at all was written: not even the folder.
    QVERIFY(!QFileInfo::exists(pRaiz->path() + QStringLiteral("/data/Kestrin")));
    QVERIFY(!QFileInfo::exists(pRaiz->path() + QStringLiteral("/config/Kestrin")));
}

void TstQuickCommand::help()
{
    const TResultado r = Ejecutar({QStringLiteral("--help")});
    QCOMPARE(r.iCodigo, 0);
    QVERIFY2(r.sSalida.contains(QStringLiteral("--in <MINUTES>")), qPrintable(r.sSalida));
    QVERIFY(r.sSalida.contains(QStringLiteral("--message <TEXT>")));
    QVERIFY(r.sSalida.contains(QStringLiteral("--list")));
}

QTEST_MAIN(TstQuickCommand)
#include "tst_quick_command.moc"
