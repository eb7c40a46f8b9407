// "kestrin --show | --quit | --reload" run as a program against a stand-in that holds
// the instance and records the broadcasts it hears, on the private session bus this
// test runs on (dbus-run-session); with nobody holding it; and without any bus.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

namespace {
struct TResultado {
    int iCodigo = -1;
    QString sSalida;
    QString sErrores;
};

const QString kNoCorre = QStringLiteral("Kestrin is not running.\n");
const QString kSinBusNiKestrin = QStringLiteral("No D-Bus session bus, and Kestrin is not running.\n");
const QString kSinBusConKestrin =
    QStringLiteral("Kestrin is running, but without a D-Bus session bus nothing can reach it.\n");
const QString kArrancando = QStringLiteral("Kestrin is not running: starting it.\n");
} // namespace

class TstCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void opcion_data();
    void opcion();
    void unaSolaOpcion_data();
    void unaSolaOpcion();
    void showSinKestrinLoArranca_data();
    void showSinKestrinLoArranca();
    void ayuda();
    void linea_incorrecta_data();
    void linea_incorrecta();
    void sin_pantalla();
    void sin_modulos_data();
    void sin_modulos();

private:
    QProcessEnvironment Entorno(bool rbBus) const;
    TResultado Correr(const QStringList &rArgs, bool rbBus, QProcess **fVivo = nullptr);
    bool Iniciar_Dueno(bool rbBus);
    QStringList Oidos();

    QString psKestrin;
    QString psDueno;
    std::unique_ptr<QTemporaryDir> pDir;
    std::unique_ptr<QProcess> pDueno;
    QString psOido; // what the stand-in has printed so far
};

void TstCommandLine::initTestCase()
{
    psKestrin = QStringLiteral(KESTRIN_BIN);
    psDueno = QStringLiteral(INSTANCIA_BIN);
    QVERIFY(QFile::exists(psKestrin));
    QVERIFY(QFile::exists(psDueno));
    QVERIFY2(!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"), "run this test under dbus-run-session");
}

void TstCommandLine::init()
{
    pDir = std::make_unique<QTemporaryDir>();
    QVERIFY(pDir->isValid());
    psOido.clear();
}

void TstCommandLine::cleanup()
{
    if (pDueno) {
        pDueno->closeWriteChannel();
        if (!pDueno->waitForFinished(5000))
            pDueno->kill();
        pDueno->waitForFinished(1000);
        pDueno.reset();
    }
}

QProcessEnvironment TstCommandLine::Entorno(bool rbBus) const
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("XDG_RUNTIME_DIR"), pDir->path());
    entorno.insert(QStringLiteral("XDG_DATA_HOME"), pDir->filePath(QStringLiteral("data")));
    entorno.insert(QStringLiteral("XDG_CONFIG_HOME"), pDir->filePath(QStringLiteral("config")));
    entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!rbBus)
        entorno.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") + pDir->filePath(QStringLiteral("no-bus")));
    return entorno;
}

TResultado TstCommandLine::Correr(const QStringList &rArgs, bool rbBus, QProcess **fVivo)
{
    auto *p = new QProcess(this);
    p->setProcessEnvironment(Entorno(rbBus));
    p->start(psKestrin, rArgs);
    TResultado r;
    if (!p->waitForFinished(fVivo ? 8000 : 20000)) {
        if (fVivo) {
            *fVivo = p; // still running: the caller looks at it and ends it
            return r;
        }
        p->kill();
        p->waitForFinished();
    }
    r.iCodigo = p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
    r.sSalida = QString::fromUtf8(p->readAllStandardOutput());
    r.sErrores = QString::fromUtf8(p->readAllStandardError());
    delete p;
    return r;
}

// The stand-in takes the instance the way Kestrin does and prints each message it hears.
bool TstCommandLine::Iniciar_Dueno(bool rbBus)
{
    pDueno = std::make_unique<QProcess>();
    psOido.clear(); // what an earlier stand-in said must not pass for this one
    pDueno->setProcessEnvironment(Entorno(rbBus));
    pDueno->start(psDueno, {QStringLiteral("acquire"), QStringLiteral("--hold")});
    for (int i = 0; i < 50 && !psOido.contains(QLatin1String("owner")); ++i) {
        pDueno->waitForReadyRead(100);
        psOido += QString::fromUtf8(pDueno->readAllStandardOutput());
    }
    return psOido.contains(QLatin1String("owner again=1"));
}

// The messages the stand-in has heard. The command waits until the bus has its signal,
// but the stand-in still has to read it: give it a moment, then take everything.
QStringList TstCommandLine::Oidos()
{
    while (pDueno->waitForReadyRead(300))
        psOido += QString::fromUtf8(pDueno->readAllStandardOutput());
    psOido += QString::fromUtf8(pDueno->readAllStandardOutput());
    QStringList oidos;
    for (const QString &linea : psOido.split(QLatin1Char('\n')))
        if (linea.startsWith(QLatin1String("received ")))
            oidos << linea.mid(9);
    return oidos;
}

void TstCommandLine::opcion_data()
{
    QTest::addColumn<QString>("opcion");
    QTest::addColumn<bool>("bus");
    QTest::addColumn<bool>("dueno");
    QTest::addColumn<int>("codigo");
    QTest::addColumn<QString>("salida");
    QTest::addColumn<QString>("errores");
    QTest::addColumn<QString>("mensaje"); // what the running one must hear, and only that

    QTest::newRow("--show, running") << "--show" << true << true << 0
                                     << "Kestrin is running: asked it to show its window.\n" << QString()
                                     << "KestrinMessage";
    QTest::newRow("--quit, running") << "--quit" << true << true << 0
                                     << "Kestrin is running: asked it to shut down.\n" << QString()
                                     << "KestrinShutDownMessage";
    QTest::newRow("--reload, running")
        << "--reload" << true << true << 0 << "Kestrin is running: asked it to read the reminder files again.\n"
        << QString() << "KestrinReadFiles";
    QTest::newRow("--quit, none") << "--quit" << true << false << 1 << QString() << kNoCorre << QString();
    QTest::newRow("--reload, none") << "--reload" << true << false << 1 << QString() << kNoCorre << QString();
    QTest::newRow("--quit, no bus") << "--quit" << false << false << 1 << QString() << kSinBusNiKestrin << QString();
    QTest::newRow("--reload, no bus") << "--reload" << false << false << 1 << QString() << kSinBusNiKestrin
                                      << QString();
    // Without a bus the lock file shows that one runs; it cannot be told anything.
    QTest::newRow("--show, no bus, running") << "--show" << false << true << 1 << QString() << kSinBusConKestrin
                                             << QString();
    QTest::newRow("--quit, no bus, running") << "--quit" << false << true << 1 << QString() << kSinBusConKestrin
                                             << QString();
    QTest::newRow("--reload, no bus, running") << "--reload" << false << true << 1 << QString()
                                               << kSinBusConKestrin << QString();
}

void TstCommandLine::opcion()
{
    QFETCH(QString, opcion);
    QFETCH(bool, bus);
    QFETCH(bool, dueno);
    QFETCH(int, codigo);
    QFETCH(QString, salida);
    QFETCH(QString, errores);
    QFETCH(QString, mensaje);

    if (dueno)
        QVERIFY(Iniciar_Dueno(bus));
    // A stand-in on the bus in the no-bus rows would make a wrong "running" pass unseen;
    // one that holds only the bus name must not count where there is no bus.
    std::unique_ptr<QProcess> ajeno;
    if (!bus && !dueno) {
        ajeno = std::make_unique<QProcess>();
        ajeno->setProcessEnvironment(Entorno(true));
        ajeno->start(psDueno, {QStringLiteral("acquire"), QStringLiteral("--hold")});
        QVERIFY(ajeno->waitForReadyRead(5000));
    }
    const TResultado r = Correr({opcion}, bus);
    if (ajeno) {
        ajeno->closeWriteChannel();
        QVERIFY(ajeno->waitForFinished(5000));
    }
    QCOMPARE(r.sErrores, errores); // one line, and no second report from lower down
    QCOMPARE(r.sSalida, salida);
    QCOMPARE(r.iCodigo, codigo);
    if (dueno) {
        QCOMPARE(Oidos(), mensaje.isEmpty() ? QStringList() : QStringList{mensaje});
        QVERIFY2(pDueno->state() == QProcess::Running, "the stand-in ended");
    }
}

void TstCommandLine::unaSolaOpcion_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("--quit --reload") << QStringList{"--quit", "--reload"};
    QTest::newRow("--show --quit") << QStringList{"--show", "--quit"};
    QTest::newRow("--reload --list") << QStringList{"--reload", "--list"};
    QTest::newRow("--list --show") << QStringList{"--list", "--show"};
    QTest::newRow("--in 5 --reload") << QStringList{"--in", "5", "--reload"};
}

// Two orders at once are refused before anything is sent.
void TstCommandLine::unaSolaOpcion()
{
    QFETCH(QStringList, args);
    QVERIFY(Iniciar_Dueno(true));
    const TResultado r = Correr(args, true);
    QCOMPARE(r.iCodigo, 1);
    QCOMPARE(r.sErrores, QStringLiteral("Choose one of --show, --quit, --reload, --list, --in, --export and --import.\n"));
    QCOMPARE(r.sSalida, QString());
    QCOMPARE(Oidos(), QStringList());
}

void TstCommandLine::showSinKestrinLoArranca_data()
{
    QTest::addColumn<bool>("bus");
    QTest::newRow("session bus") << true;
    QTest::newRow("no bus") << false;
}

// With nobody running, --show becomes the program itself started without options, in
// the same process: its output follows the one line, and nothing is broadcast.
void TstCommandLine::showSinKestrinLoArranca()
{
    QFETCH(bool, bus);
    QProcess *vivoSolo = nullptr;
    const TResultado solo = Correr({}, bus, &vivoSolo);
    // The program alone holds the instance while it runs: it ends before --show looks.
    if (vivoSolo) {
        vivoSolo->kill();
        vivoSolo->waitForFinished();
    }
    QProcess *vivoShow = nullptr;
    const TResultado show = Correr({QStringLiteral("--show")}, bus, &vivoShow);
    if (vivoSolo == nullptr) {
        QVERIFY2(vivoShow == nullptr, "--show still runs, the program alone ended");
        QCOMPARE(show.iCodigo, solo.iCodigo);
        QCOMPARE(show.sSalida, kArrancando + solo.sSalida);
        return;
    }
    // The program alone keeps running (a window): so must --show, as the program alone.
    auto fin = qScopeGuard([&] {
        for (QProcess *p : {vivoSolo, vivoShow})
            if (p) {
                p->kill();
                p->waitForFinished();
                delete p;
            }
    });
    QVERIFY2(vivoShow != nullptr, "--show ended, the program alone keeps running");
    QFile linea(QStringLiteral("/proc/%1/cmdline").arg(vivoShow->processId()));
    QVERIFY(linea.open(QIODevice::ReadOnly));
    QCOMPARE(linea.readAll(), QFile::encodeName(psKestrin) + '\0');
    QCOMPARE(QString::fromUtf8(vivoShow->readLine()), kArrancando);
}

void TstCommandLine::ayuda()
{
    const TResultado r = Correr({QStringLiteral("--help")}, false);
    QCOMPARE(r.iCodigo, 0);
    // Named as it is typed, not by the path it was started from.
    QVERIFY2(r.sSalida.startsWith(QStringLiteral("Usage: kestrin [options] [silent]\n")), qPrintable(r.sSalida));
    for (const char *texto : {"--show", "--quit", "--reload", "--list", "--in <MINUTES>", "  silent ",
                              "Exit status:", "  2  a wrong command line", "Examples:", "kestrin --list"})
        QVERIFY2(r.sSalida.contains(QLatin1String(texto)), texto);
    QVERIFY(!r.sSalida.contains(QStringLiteral(KESTRIN_BIN)));
}

// A command line with something Kestrin does not know is refused with status 2 and one
// line on stderr, before anything else happens; nothing is ignored.
void TstCommandLine::linea_incorrecta_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<QString>("error");
    QTest::newRow("--list extra") << QStringList{"--list", "extra"} << "kestrin: unexpected argument \"extra\"";
    QTest::newRow("--quit silent") << QStringList{"--quit", "silent"} << "kestrin: unexpected argument \"silent\"";
    QTest::newRow("silent extra") << QStringList{"silent", "extra"} << "kestrin: unexpected argument \"extra\"";
    QTest::newRow("a word alone") << QStringList{"start"} << "kestrin: unexpected argument \"start\"";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "kestrin: Unknown option 'frobnicate'.";
}

void TstCommandLine::linea_incorrecta()
{
    QFETCH(QStringList, argumentos);
    QFETCH(QString, error);
    const TResultado r = Correr(argumentos, false);
    QCOMPARE(r.iCodigo, 2);
    QCOMPARE(r.sSalida, QString());
    QVERIFY2(r.sErrores.startsWith(error) && r.sErrores.count(QLatin1Char('\n')) == 1, qPrintable(r.sErrores));
}

// Without any display the program says what it needs in one line, status 1, instead of
// Qt's abort.
void TstCommandLine::sin_pantalla()
{
    QProcessEnvironment entorno = Entorno(false);
    for (const char *variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        entorno.remove(QLatin1String(variable));
    QProcess p;
    p.setProcessEnvironment(entorno);
    p.start(psKestrin, {});
    QVERIFY(p.waitForFinished(20000));
    TResultado r{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                 QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    QCOMPARE(r.iCodigo, 1);
    QCOMPARE(r.sErrores, QStringLiteral("Kestrin needs a graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set): "
                                        "./run in the source folder starts it on a virtual display, and --list, --in, "
                                        "--quit and --reload need none.\n"));
}

// kestrin copied alone, without the folders of its modules: --list and --version need
// none; an option whose module is missing says which one, status 1, and does nothing.
void TstCommandLine::sin_modulos_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<int>("codigo");
    QTest::addColumn<QString>("error");
    QTest::newRow("--list") << QStringList{"--list"} << 0 << QString();
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QString();
    QTest::newRow("--quit") << QStringList{"--quit"} << 1 << "kestrin-bus.so";
    QTest::newRow("--in") << QStringList{"--in", "5"} << 1 << "kestrin-bus.so";
    QTest::newRow("--export") << QStringList{"--export", "-"} << 1 << "kestrin-ical.so";
    QTest::newRow("--import") << QStringList{"--import", "none.ics"} << 1 << "kestrin-ical.so";
}

void TstCommandLine::sin_modulos()
{
    QFETCH(QStringList, argumentos);
    QFETCH(int, codigo);
    QFETCH(QString, error);
    const QString solo = pDir->filePath(QStringLiteral("alone/kestrin"));
    QVERIFY(QDir().mkpath(QFileInfo(solo).path()));
    QVERIFY(QFile::exists(solo) || QFile::copy(psKestrin, solo));
    QProcess p;
    p.setProcessEnvironment(Entorno(true));
    p.start(solo, argumentos);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), codigo);
    const QString errores = QString::fromUtf8(p.readAllStandardError());
    if (error.isEmpty()) {
        QCOMPARE(errores, QString());
    } else {
        QVERIFY2(errores.startsWith(QStringLiteral("kestrin: cannot load the module of this option (") + error),
                 qPrintable(errores));
        QCOMPARE(p.readAllStandardOutput(), QByteArray());
        // Nothing was written by an option that did not run.
        QVERIFY(!QDir(pDir->filePath(QStringLiteral("data/Kestrin/System"))).exists() ||
                QDir(pDir->filePath(QStringLiteral("data/Kestrin/System"))).isEmpty());
    }
}

QTEST_GUILESS_MAIN(TstCommandLine)
#include "tst_commandline.moc"
