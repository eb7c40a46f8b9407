// "kestrin --list": the built program run on a data folder of valid and invalid
// reminder files, at a fixed clock (faketime), compared with the expected output.

#include "store/daycount.h"
#include "store/reserva.h"
#include "store/writer.h"
#include "../store/asnobody.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <thread>

namespace {

const QString kAhora = QStringLiteral("2026-03-10 12:00:00"); // a Tuesday

double D(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return Fecha_Hora_a_Dias(QDate(y, mo, d), QTime(h, mi, s));
}

TTipoTarea Tarea(const QString &rsNombre, int riTipo, double rdInicio)
{
    TTipoTarea t;
    t.tsTaskName = rsNombre;
    t.tsMensaje = QStringLiteral("Message of ") + rsNombre;
    t.tiTareaTipo = riTipo;
    t.tdFechaInicio = rdInicio;
    t.tdFechaCreacion = D(2025, 12, 1, 10);
    return t;
}

struct TResultado {
    int iCodigo = -1;
    QString sSalida;
    QString sErrores;
};

} // namespace

class TstListCommand : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listado_data();
    void listado();
    void json_legible();
    void sin_permiso_data();
    void sin_permiso();
    void carpeta_inexistente_data();
    void carpeta_inexistente();
    void opciones();
    void idioma_guardado();
    void muchos();
    void reserva_entre_hilos();

private:
    QTemporaryDir pDatos;
    QTemporaryDir pVacio;
    QString Carpeta_Tareas() const { return pDatos.path() + QStringLiteral("/Kestrin/System/"); }
    TResultado Ejecutar(const QStringList &rArgumentos, const QString &rsDatos);
    QString Esperado(const QString &rsArchivo);
    QMap<QString, QByteArray> Instantanea();
};

void TstListCommand::initTestCase()
{
    QVERIFY(pDatos.isValid() && pVacio.isValid());
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("faketime")).isEmpty(), "faketime is not installed");
    const QString dir = Carpeta_Tareas();
    QList<QPair<QString, TTipoTarea>> tareas;
    tareas << qMakePair(QStringLiteral("data01.od"), Tarea("Dentist", TAREA_UNA_VEZ, D(2026, 3, 10, 15, 30)));
    TTipoTarea t = Tarea("water plants", TAREA_DIARIA, D(2026, 1, 1, 8));
    t.tdLastRunTime = D(2026, 3, 10, 8);
    tareas << qMakePair(QStringLiteral("data02.od"), t);
    t = Tarea("Backup", TAREA_SEMANAL, D(2026, 1, 2, 21));
    t.tsDiasSemana = QStringLiteral("5");
    t.tdLastRunTime = D(2026, 3, 6, 21);
    tareas << qMakePair(QStringLiteral("data03.od"), t);
    t = Tarea("Rent", TAREA_MENSUAL, D(2025, 1, 1, 9));
    t.tsMeses = QStringLiteral(",01,02,03,04,05,06,07,08,09,10,11,12,");
    t.tsDias = QStringLiteral(",32,");
    tareas << qMakePair(QStringLiteral("data04.od"), t);
    tareas << qMakePair(QStringLiteral("data05.od"), Tarea("Start-up check", TAREA_AL_INICIAR, 0));
    t = Tarea("Stretch", TAREA_CADA_HORA, D(2026, 3, 2, 12));
    t.tiRangoHoras = 1;
    t.tsRangoHoraInicio = QStringLiteral("09:00");
    t.tsRangoHoraFin = QStringLiteral("17:00");
    t.tiRangoCadaHora = 2;
    t.tsDiasSemana = QStringLiteral("12345");
    tareas << qMakePair(QStringLiteral("data06.od"), t);
    t = Tarea("Birthday", TAREA_ANUAL, D(1990, 3, 9, 7));
    t.tdLastRunTime = D(2026, 3, 9, 7);
    tareas << qMakePair(QStringLiteral("data07.od"), t);
    tareas << qMakePair(QStringLiteral("data08.od"), Tarea("zeta", TAREA_UNA_VEZ, D(2026, 3, 1, 9)));
    tareas << qMakePair(QStringLiteral("data09.od"), Tarea("Alpha", TAREA_UNA_VEZ, D(2026, 3, 2, 10)));
    t = Tarea("Snoozed", TAREA_UNA_VEZ, D(2026, 3, 9, 18));
    t.tiSnoozeTime = 10;
    t.tdSnoozeRun = D(2026, 3, 10, 12, 10);
    t.tdLastRunTime = D(2026, 3, 9, 18);
    tareas << qMakePair(QStringLiteral("data10.od"), t);
    t = Tarea("Café con leche", TAREA_DIARIA, D(2026, 2, 1, 7, 15));
    t.tiSiempreRepetirHasta = 1;
    t.tdFechaFin = D(2026, 3, 10, 23);
    tareas << qMakePair(QStringLiteral("data11.od"), t);
    // Ends at 16:45, which the file stores a hair early: 16:45 today still counts.
    t = Tarea("Standup", TAREA_CADA_HORA, D(2026, 3, 3, 12));
    t.tiRangoHoras = 2;
    t.tsHorasLista = QStringLiteral("09:30 AM,04:45 PM");
    t.tsDiasSemana = QStringLiteral("2");
    t.tiSiempreRepetirHasta = 1;
    t.tdFechaFin = D(2026, 3, 10, 16, 45);
    tareas << qMakePair(QStringLiteral("data12.od"), t);
    for (const auto &p : tareas)
        QVERIFY(Grabar_Archivo_Tarea(dir + p.first, p.second));

    // Invalid files: no "Lenguaje" (code 1), and weekdays written with a comma (17).
    QVERIFY(Grabar_Lineas_Cifradas(dir + QStringLiteral("bad1.od"),
                                   {"TaskName1=No language", "AlertWindow=1", "TareaTipo=5"}));
    QStringList lineas = Lineas_Archivo_Tarea(Tarea("Bad weekly", TAREA_SEMANAL, D(2026, 3, 1, 8)));
    lineas.replaceInStrings(QRegularExpression(QStringLiteral("^DiasSemana=.*$")), QStringLiteral("DiasSemana=1,3"));
    QVERIFY(lineas.contains(QStringLiteral("DiasSemana=1,3")));
    QVERIFY(Grabar_Lineas_Cifradas(dir + QStringLiteral("bad2.od"), lineas));
    // Neither a retired reminder nor an editor's test file is listed.
    QVERIFY(Grabar_Archivo_Tarea(dir + QStringLiteral("retired.odb"), Tarea("Retired", TAREA_AL_INICIAR, 0)));
    QVERIFY(Grabar_Archivo_Tarea(dir + QStringLiteral("test.tmp"), Tarea("Test", TAREA_AL_INICIAR, 0)));
}

TResultado TstListCommand::Ejecutar(const QStringList &rArgumentos, const QString &rsDatos)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), rsDatos);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), rsDatos + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_CONFIG_DIRS"), rsDatos + QStringLiteral("/etc-xdg"));
    env.insert(QStringLiteral("HOME"), rsDatos);
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("faketime"), QStringList{QStringLiteral("-f"), kAhora, Para_Nobody(QStringLiteral(KESTRIN_BIN))} + rArgumentos);
    TResultado r;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.iCodigo = p.exitCode();
    r.sSalida = QString::fromUtf8(p.readAllStandardOutput());
    r.sErrores = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString TstListCommand::Esperado(const QString &rsArchivo)
{
    QFile f(QStringLiteral(EXPECTED_DIR "/") + rsArchivo);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing %1>").arg(f.fileName());
    return QString::fromUtf8(f.readAll()).replace(QStringLiteral("@DIR@"), pDatos.path());
}

QMap<QString, QByteArray> TstListCommand::Instantanea()
{
    QMap<QString, QByteArray> m;
    QDirIterator it(pDatos.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString ruta = it.next();
        QFile f(ruta);
        QByteArray contenido = QFileInfo(ruta).lastModified().toString(Qt::ISODateWithMs).toUtf8();
        if (f.open(QIODevice::ReadOnly))
            contenido += QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
        m.insert(ruta, contenido);
    }
    return m;
}

void TstListCommand::listado_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<QString>("salida");
    QTest::addColumn<QString>("errores");
    QTest::newRow("tabla en") << QStringList{"--list"} << "list_en.txt" << "invalid_en.txt";
    QTest::newRow("tabla en explicito") << QStringList{"--language", "en", "--list"} << "list_en.txt"
                                        << "invalid_en.txt";
    QTest::newRow("tabla es") << QStringList{"--list", "--language", "es"} << "list_es.txt" << "invalid_es.txt";
    QTest::newRow("json en") << QStringList{"--list", "--json"} << "list_en.json" << "invalid_en.txt";
    QTest::newRow("json es") << QStringList{"--list", "--json", "--language=es"} << "list_es.json" << "invalid_es.txt";
}

void TstListCommand::listado()
{
    QFETCH(QStringList, argumentos);
    QFETCH(QString, salida);
    QFETCH(QString, errores);
    const auto antes = Instantanea();
    const TResultado r = Ejecutar(argumentos, pDatos.path());
    QCOMPARE(r.iCodigo, 0);
    QCOMPARE(r.sSalida, Esperado(salida));
    QCOMPARE(r.sErrores, Esperado(errores));
    QCOMPARE(Instantanea(), antes); // listing changes no file
}

// The JSON numbers are the day counts of the moments the texts show.
void TstListCommand::json_legible()
{
    const TResultado r = Ejecutar({"--list", "--json"}, pDatos.path());
    QJsonParseError error;
    const QJsonObject raiz = QJsonDocument::fromJson(r.sSalida.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray tareas = raiz.value(QStringLiteral("reminders")).toArray();
    QCOMPARE(tareas.size(), 12);
    const QJsonObject primera = tareas.at(0).toObject();
    QCOMPARE(primera.value(QStringLiteral("name")).toString(), QStringLiteral("Snoozed"));
    QCOMPARE(primera.value(QStringLiteral("nextRun")).toDouble(), D(2026, 3, 10, 12, 10));
    QCOMPARE(Dias_a_Milisegundos(primera.value(QStringLiteral("lastRun")).toDouble()),
             Dias_a_Milisegundos(D(2026, 3, 9, 18)));
    QCOMPARE(tareas.at(8).toObject().value(QStringLiteral("nextRun")).toDouble(), -1.0);
    QCOMPARE(tareas.at(11).toObject().value(QStringLiteral("nextRun")).toDouble(), 0.0);
    const QJsonArray invalidos = raiz.value(QStringLiteral("invalid")).toArray();
    QCOMPARE(invalidos.size(), 2);
    QCOMPARE(invalidos.at(1).toObject().value(QStringLiteral("code")).toInt(), 17);
}

// A file nobody may read is left out and named, the others are listed, and the status
// is 1; a folder that cannot be listed is reported like a missing one. Root ignores mode
// bits: under root the case runs as nobody.
void TstListCommand::sin_permiso_data()
{
    QTest::addColumn<QString>("caso");
    QTest::newRow("file, table") << "file";
    QTest::newRow("file, json") << "file-json";
    QTest::newRow("folder") << "folder";
}

void TstListCommand::sin_permiso()
{
    KESTRIN_COMO_NOBODY(QStringLiteral(KESTRIN_BIN));
    QFETCH(QString, caso);
    QTemporaryDir raiz;
    const QString dir = raiz.path() + QStringLiteral("/Kestrin/System/");
    QVERIFY(Grabar_Archivo_Tarea(dir + "a.od", Tarea("Alpha", TAREA_UNA_VEZ, D(2026, 3, 11, 9))));
    QVERIFY(Grabar_Archivo_Tarea(dir + "b.od", Tarea("Bravo", TAREA_UNA_VEZ, D(2026, 3, 12, 9))));
    QVERIFY(Grabar_Archivo_Tarea(dir + "c.od", Tarea("Charlie", TAREA_UNA_VEZ, D(2026, 3, 13, 9))));
    const QString cerrado = caso == "folder" ? dir : dir + "b.od";
    QVERIFY(QFile::setPermissions(cerrado, QFileDevice::Permissions()));
    const TResultado r = Ejecutar(caso == "file-json" ? QStringList{"--list", "--json"} : QStringList{"--list"}, raiz.path());
    QFile::setPermissions(cerrado, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(r.iCodigo, 1);
    if (caso == "folder") {
        QCOMPARE(r.sSalida, QString());
        QCOMPARE(r.sErrores, "There is no access to directory: " + dir + "\n" + QDir::cleanPath(dir) +
                                 ": Permission denied\n");
        return;
    }
    QCOMPARE(r.sErrores, "Error 207 - " + dir + "b.od: Permission denied\n");
    if (caso == "file") {
        QVERIFY(r.sSalida.contains("Alpha") && r.sSalida.contains("Charlie"));
        QVERIFY(!r.sSalida.contains("Bravo"));
        return;
    }
    const QJsonObject raizJson = QJsonDocument::fromJson(r.sSalida.toUtf8()).object();
    QCOMPARE(raizJson.value("reminders").toArray().size(), 2);
    QCOMPARE(raizJson.value("invalid").toArray().size(), 0);
    const QJsonArray ilegibles = raizJson.value("unreadable").toArray();
    QCOMPARE(ilegibles.size(), 1);
    QCOMPARE(ilegibles.at(0).toObject().value("file").toString(), dir + "b.od");
    QCOMPARE(ilegibles.at(0).toObject().value("error").toString(), QStringLiteral("Permission denied"));
}

// A fresh profile has no reminder folder yet: an empty list, not an error. Something
// else in the folder's place is an error.
void TstListCommand::carpeta_inexistente_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<bool>("archivoEnSuLugar");
    QTest::addColumn<int>("codigo");
    QTest::addColumn<QString>("salida");
    QTest::addColumn<QString>("errores"); // the folder's path follows
    QTest::newRow("en") << QStringList{"--list"} << false << 0 << "Name  Next Run Time  Last Run Time\n" << QString();
    QTest::newRow("json") << QStringList{"--list", "--json"} << false << 0
                          << "{\n    \"invalid\": [\n    ],\n    \"reminders\": [\n    ],\n    \"unreadable\": [\n    ]\n}\n"
                          << QString();
    QTest::newRow("file in its place") << QStringList{"--list"} << true << 1 << QString()
                                       << "There is no access to directory: ";
    QTest::newRow("file in its place, es") << QStringList{"--list", "--language", "es"} << true << 1 << QString()
                                           << "No hay acceso al directorio: ";
}

void TstListCommand::carpeta_inexistente()
{
    QFETCH(QStringList, argumentos);
    QFETCH(bool, archivoEnSuLugar);
    QFETCH(int, codigo);
    QFETCH(QString, salida);
    QFETCH(QString, errores);
    QTemporaryDir raiz;
    if (archivoEnSuLugar) {
        QVERIFY(QDir().mkpath(raiz.path() + QStringLiteral("/Kestrin")));
        QFile f(raiz.path() + QStringLiteral("/Kestrin/System"));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const TResultado r = Ejecutar(argumentos, raiz.path());
    QCOMPARE(r.iCodigo, codigo);
    QCOMPARE(r.sSalida, salida);
    QCOMPARE(r.sErrores, errores.isEmpty() ? QString() : errores + raiz.path() + QStringLiteral("/Kestrin/System/\n"));
    if (!archivoEnSuLugar)
        QVERIFY(!QFileInfo::exists(raiz.path() + QStringLiteral("/Kestrin"))); // nothing created
}

void TstListCommand::opciones()
{
    const TResultado ayuda = Ejecutar({"--help"}, pVacio.path());
    QCOMPARE(ayuda.iCodigo, 0);
    for (const char *opcion : {"--list", "--json", "--language <en|es>"})
        QVERIFY2(ayuda.sSalida.contains(QLatin1String(opcion)), opcion);

    const TResultado idioma = Ejecutar({"--list", "--language", "fr"}, pDatos.path());
    QCOMPARE(idioma.iCodigo, 1);
    QCOMPARE(idioma.sSalida, QString());
    QVERIFY(idioma.sErrores.contains(QStringLiteral("fr")));

    const TResultado solo = Ejecutar({"--json"}, pDatos.path());
    QCOMPARE(solo.iCodigo, 1);
    QCOMPARE(solo.sSalida, QString());
}

// Without --language the stored choice applies: the user's value, else the machine-wide
// one, and listing writes neither.
void TstListCommand::idioma_guardado()
{
    const QString usuario = pDatos.path() + QStringLiteral("/config/Kestrin/Kestrin.conf");
    const QString comun = pDatos.path() + QStringLiteral("/etc-xdg/Kestrin/Kestrin.conf");
    auto escribir = [](const QString &archivo, const QByteArray &datos) {
        QDir().mkpath(QFileInfo(archivo).path());
        QFile f(archivo);
        return f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size();
    };
    QVERIFY(escribir(comun, "[General]\nLanguage=1\n"));
    const TResultado maquina = Ejecutar({"--list"}, pDatos.path());
    QVERIFY(!QFileInfo::exists(usuario)); // the machine-wide value is not copied by a listing
    QVERIFY(escribir(usuario, "[General]\nLanguage=0\n"));
    const TResultado propio = Ejecutar({"--list"}, pDatos.path());
    QFile::remove(usuario);
    QFile::remove(comun);
    QCOMPARE(maquina.iCodigo, 0);
    QCOMPARE(maquina.sSalida, Esperado(QStringLiteral("list_es.txt")));
    QCOMPARE(propio.sSalida, Esperado(QStringLiteral("list_en.txt")));
}

QTEST_GUILESS_MAIN(TstListCommand)
#include "tst_list_command.moc"

// Hundreds of files are read on several threads and their rows joined: the order is still
// the next run, then the name (A to Z without regard to case), then the file; the
// invalid files come in file order; the table lists the rows in the same order.
void TstListCommand::muchos()
{
    QTemporaryDir datos;
    QVERIFY(datos.isValid());
    const QString dir = datos.path() + QStringLiteral("/Kestrin/System/");
    QStringList invalidosEsperados;
    for (int k = 0; k < 450; ++k) {
        const QString archivo = dir + QStringLiteral("r%1.od").arg(k, 3, 10, QLatin1Char('0'));
        if (k % 97 == 0) {
            QVERIFY(Grabar_Lineas_Cifradas(archivo, {"TaskName1=No language", "AlertWindow=1", "TareaTipo=5"}));
            invalidosEsperados << archivo;
            continue;
        }
        const QString nombre = k % 3 == 0 ? QStringLiteral("Same")
                                          : QString::fromLatin1(k % 3 == 1 ? "b%1" : "B%1").arg(449 - k / 7);
        QVERIFY(Grabar_Archivo_Tarea(archivo, Tarea(nombre, TAREA_UNA_VEZ, D(2026, 4, 1 + k % 5, 9))));
    }
    const TResultado json = Ejecutar({"--list", "--json"}, datos.path());
    QCOMPARE(json.iCodigo, 0);
    const QJsonObject raiz = QJsonDocument::fromJson(json.sSalida.toUtf8()).object();
    QStringList invalidos;
    for (const QJsonValue &v : raiz.value(QStringLiteral("invalid")).toArray())
        invalidos << v.toObject().value(QStringLiteral("file")).toString();
    QCOMPARE(invalidos, invalidosEsperados);
    const QJsonArray tareas = raiz.value(QStringLiteral("reminders")).toArray();
    QCOMPARE(tareas.size(), 450 - invalidosEsperados.size());
    QStringList nombres;
    for (qsizetype i = 0; i < tareas.size(); ++i) {
        const QJsonObject t = tareas.at(i).toObject();
        nombres << t.value(QStringLiteral("name")).toString();
        if (i == 0)
            continue;
        const QJsonObject a = tareas.at(i - 1).toObject();
        const auto clave = [](const QJsonObject &o) {
            return std::make_tuple(o.value(QStringLiteral("nextRun")).toDouble(),
                                   o.value(QStringLiteral("name")).toString().toUpper(),
                                   o.value(QStringLiteral("file")).toString());
        };
        QVERIFY2(clave(a) < clave(t), qPrintable(QString::number(i)));
    }
    const TResultado tabla = Ejecutar({"--list"}, datos.path());
    QCOMPARE(tabla.iCodigo, 0);
    QStringList lineas = tabla.sSalida.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(!lineas.isEmpty());
    lineas.removeFirst(); // the titles
    for (QString &l : lineas)
        l = l.section(QLatin1Char(' '), 0, 0);
    QCOMPARE(lineas, nombres);
}

// Pieces taken on several threads at once never overlap and are aligned; a piece larger
// than a block gets one of its own; a reserve made where an earlier one was hands out only
// its own room.
void TstListCommand::reserva_entre_hilos()
{
    {
        TReservaBytes anterior;
        std::memset(anterior.Tomar(64), 1, 64);
    }
    TReservaBytes reserva;
    std::memset(reserva.Tomar(64), 2, 64);
    struct TPieza {
        unsigned char *p;
        size_t n;
        unsigned char marca;
    };
    std::vector<TPieza> piezas[4];
    std::vector<std::thread> hilos;
    for (int h = 0; h < 4; ++h)
        hilos.emplace_back([&, h] {
            for (int k = 0; k < 3000; ++k) {
                const size_t n = k == 1500 ? size_t(9) << 20 : k % 700 == 0 ? 300 * 1024 : size_t(1 + (k * 37 + h) % 613);
                auto *p = static_cast<unsigned char *>(reserva.Tomar(n));
                const auto marca = static_cast<unsigned char>(k * 4 + h);
                std::memset(p, marca, n);
                piezas[h].push_back({p, n, marca});
            }
        });
    for (std::thread &t : hilos)
        t.join();
    for (const auto &lista : piezas)
        for (const TPieza &pieza : lista) {
            QCOMPARE(reinterpret_cast<quintptr>(pieza.p) % 16, quintptr(0));
            for (size_t i = 0; i < pieza.n; i += 97)
                QCOMPARE(pieza.p[i], pieza.marca);
            QCOMPARE(pieza.p[pieza.n - 1], pieza.marca);
        }
}
