#include "loader.h"
#include "reminderfile.h"
#include "storetestutil.h"
#include "textforms.h"
#include "writer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {
// The common keys of a valid file, then the type's keys.
QStringList Base(int tipo)
{
    QStringList l = {"TaskName1=Name",     "Mensaje1=Hello",   "Lenguaje=1",    "AlertWindow=3",
                     "TocarSonido=1",      "UsarSonidoDefault=2", "SonidoElegido=Sound 2",
                     "PathSonido=/x/s2.mp3", "RepetirSonido=1", "TareaTipo=" + QString::number(tipo)};
    switch (tipo) {
    case 1: l << "FechaInicio=405204375" << "AutoDelete=1"; break;
    case 2: case 7: l << "FechaInicio=405204375" << "SiempreHasta=1" << "FechaFin=40600"; break;
    case 3: l << "FechaInicio=405204375" << "DiasSemana=135" << "SiempreHasta=0" << "FechaFin=0"; break;
    case 4: l << "FechaInicio=405204375" << "Meses=,01,12," << "Dias=,15,32,"; break;
    case 6:
        l << "FechaInicio=405205" << "RangoHoras=1" << "RangoHoraInicio=08:00" << "RangoHoraFin=12:00"
          << "RangoCadaHora=2" << "HorasLista=08:00 AM" << "DiasSemana=12345" << "SiempreHasta=0" << "FechaFin=0";
        break;
    default: break;
    }
    return l;
}

// Replaces (or with an empty value after "!" removes) the line of a key.
QStringList Con(QStringList l, const QString &cambio)
{
    const bool quitar = cambio.startsWith(QLatin1Char('!'));
    const QString llave = (quitar ? cambio.mid(1) : cambio.section(QLatin1Char('='), 0, 0)).toLower();
    for (qsizetype i = 0; i < l.size(); ++i)
        if (l[i].section(QLatin1Char('='), 0, 0).toLower() == llave) {
            if (quitar)
                l.removeAt(i);
            else
                l[i] = cambio;
            return l;
        }
    if (!quitar)
        l << cambio;
    return l;
}

int Codigo(const QStringList &lineas)
{
    TTipoTarea t;
    return Validar_Tarea(TValoresTarea(lineas), t);
}
} // namespace

class TestReminderFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(Usar_Locale_Con_Coma(), "no locale with a decimal comma"); }

    void validationCodes_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QStringList>("cambios");
        QTest::addColumn<int>("codigo");
        for (int t = 1; t <= 7; ++t)
            QTest::addRow("type %d valid", t) << t << QStringList() << 0;
        QTest::newRow("no Lenguaje") << 1 << QStringList{"!Lenguaje"} << 1;
        QTest::newRow("Lenguaje=7 loads") << 1 << QStringList{"Lenguaje=7"} << 0;
        QTest::newRow("AlertWindow abc") << 1 << QStringList{"AlertWindow=abc"} << 3;
        QTest::newRow("AlertWindow 4") << 1 << QStringList{"AlertWindow=4"} << 2;
        QTest::newRow("TocarSonido empty") << 1 << QStringList{"TocarSonido="} << 5;
        QTest::newRow("TocarSonido 2") << 1 << QStringList{"TocarSonido=2"} << 4;
        QTest::newRow("UsarSonidoDefault x") << 1 << QStringList{"UsarSonidoDefault=x"} << 7;
        QTest::newRow("UsarSonidoDefault 0") << 1 << QStringList{"UsarSonidoDefault=0"} << 6;
        QTest::newRow("RepetirSonido x") << 1 << QStringList{"RepetirSonido=x"} << 9;
        QTest::newRow("RepetirSonido 3") << 1 << QStringList{"RepetirSonido=3"} << 8;
        QTest::newRow("TareaTipo x") << 1 << QStringList{"TareaTipo=x"} << 27;
        QTest::newRow("TareaTipo 8") << 1 << QStringList{"TareaTipo=8"} << 26;
        QTest::newRow("TareaTipo 0") << 1 << QStringList{"TareaTipo=0"} << 26;
        QTest::newRow("1 no start") << 1 << QStringList{"!FechaInicio"} << 10;
        QTest::newRow("1 needs no SiempreHasta") << 1 << QStringList{"!SiempreHasta", "!FechaFin"} << 0;
        QTest::newRow("2 start") << 2 << QStringList{"FechaInicio=abc"} << 11;
        QTest::newRow("2 until x") << 2 << QStringList{"SiempreHasta=x"} << 13;
        QTest::newRow("2 until 2") << 2 << QStringList{"SiempreHasta=2"} << 12;
        QTest::newRow("2 no end though for ever") << 2 << QStringList{"SiempreHasta=0", "!FechaFin"} << 14;
        QTest::newRow("3 start") << 3 << QStringList{"!FechaInicio"} << 15;
        QTest::newRow("3 no days") << 3 << QStringList{"DiasSemana="} << 16;
        QTest::newRow("3 comma days") << 3 << QStringList{"DiasSemana=1,3"} << 17;
        QTest::newRow("3 day 8") << 3 << QStringList{"DiasSemana=18"} << 17;
        QTest::newRow("3 until") << 3 << QStringList{"SiempreHasta=5"} << 18;
        QTest::newRow("3 until x") << 3 << QStringList{"SiempreHasta=y"} << 19;
        QTest::newRow("3 end") << 3 << QStringList{"FechaFin=x"} << 20;
        QTest::newRow("4 start") << 4 << QStringList{"!FechaInicio"} << 21;
        QTest::newRow("4 no months") << 4 << QStringList{"!Meses"} << 22;
        QTest::newRow("4 bad month char") << 4 << QStringList{"Meses=,01;"} << 23;
        QTest::newRow("4 month 13 loads") << 4 << QStringList{"Meses=,13,"} << 0;
        QTest::newRow("4 no days") << 4 << QStringList{"Dias="} << 24;
        QTest::newRow("4 bad day char") << 4 << QStringList{"Dias=,1 5,"} << 25;
        QTest::newRow("5 needs nothing") << 5 << QStringList{"!FechaInicio"} << 0;
        QTest::newRow("6 start") << 6 << QStringList{"!FechaInicio"} << 34;
        QTest::newRow("6 range x") << 6 << QStringList{"RangoHoras=x"} << 36;
        QTest::newRow("6 range 3") << 6 << QStringList{"RangoHoras=3"} << 35;
        QTest::newRow("6 no first") << 6 << QStringList{"RangoHoraInicio="} << 37;
        QTest::newRow("6 first 8:00 loads") << 6 << QStringList{"RangoHoraInicio=8:00"} << 0;
        QTest::newRow("6 first with seconds") << 6 << QStringList{"RangoHoraInicio=08:00:00"} << 38;
        QTest::newRow("6 first too short") << 6 << QStringList{"RangoHoraInicio=800"} << 38;
        QTest::newRow("6 no last") << 6 << QStringList{"!RangoHoraFin"} << 39;
        QTest::newRow("6 last length") << 6 << QStringList{"RangoHoraFin=123456"} << 40;
        QTest::newRow("6 step negative") << 6 << QStringList{"RangoCadaHora=-1"} << 41;
        QTest::newRow("6 step x") << 6 << QStringList{"RangoCadaHora=x"} << 42;
        QTest::newRow("6 step 0 loads") << 6 << QStringList{"RangoCadaHora=0"} << 0;
        QTest::newRow("6 list skips range checks") << 6 << QStringList{"RangoHoras=2", "RangoHoraInicio=", "RangoCadaHora=x"} << 0;
        QTest::newRow("6 no days") << 6 << QStringList{"DiasSemana="} << 43;
        QTest::newRow("6 comma days") << 6 << QStringList{"DiasSemana=1,3"} << 44;
        QTest::newRow("6 until") << 6 << QStringList{"SiempreHasta=9"} << 45;
        QTest::newRow("6 until x") << 6 << QStringList{"SiempreHasta=x"} << 46;
        QTest::newRow("6 end") << 6 << QStringList{"!FechaFin"} << 47;
        QTest::newRow("7 start") << 7 << QStringList{"!FechaInicio"} << 48;
        QTest::newRow("7 until") << 7 << QStringList{"SiempreHasta=-1"} << 49;
        QTest::newRow("7 until x") << 7 << QStringList{"SiempreHasta=x"} << 50;
        QTest::newRow("7 end") << 7 << QStringList{"FechaFin=1234567.8"} << 51;
        QTest::newRow("creation") << 5 << QStringList{"FechaCreacion=abc"} << 28;
        QTest::newRow("creation empty") << 5 << QStringList{"FechaCreacion="} << 0;
        QTest::newRow("last run") << 5 << QStringList{"LastRunTime=x"} << 29;
        QTest::newRow("snooze time") << 5 << QStringList{"SnoozeTime=x"} << 30;
        QTest::newRow("snooze time empty") << 5 << QStringList{"SnoozeTime="} << 0;
        QTest::newRow("snooze run") << 5 << QStringList{"SnoozeRun=x"} << 31;
        QTest::newRow("autodelete 2") << 5 << QStringList{"AutoDelete=2"} << 32;
        QTest::newRow("autodelete x") << 5 << QStringList{"AutoDelete=x"} << 33;
        QTest::newRow("first failing check wins") << 3 << QStringList{"AlertWindow=9", "DiasSemana="} << 2;
        QTest::newRow("value trimmed") << 2 << QStringList{"SiempreHasta=  1 \t"} << 0;
        QTest::newRow("key in other case") << 2 << QStringList{"!SiempreHasta", "siempreHASTA=1"} << 0;
        // Keys compare lowered, not case-folded: a long s is no s.
        QTest::newRow("key not ASCII") << 1 << QStringList{"!TocarSonido", "Tocar\u017Fonido=1"} << 5;
        QTest::newRow("number after many zeros") << 5 << QStringList{"SnoozeTime=" + QString(60, '0') + "5"} << 0;
        QTest::newRow("number with a digit not Latin-1") << 5 << QStringList{"SnoozeTime=5\u0663"} << 30;
        QTest::newRow("date with a digit not Latin-1") << 5 << QStringList{"LastRunTime=40520\u0663375"} << 29;
        QTest::newRow("date of many digits") << 5 << QStringList{"LastRunTime=40520" + QString(60, '0')} << 0;
    }
    void validationCodes()
    {
        QFETCH(int, tipo);
        QFETCH(QStringList, cambios);
        QFETCH(int, codigo);
        QStringList l = Base(tipo);
        for (const QString &c : cambios)
            l = Con(l, c);
        QCOMPARE(Codigo(l), codigo);
    }

    void readingRules()
    {
        QStringList l = Base(1);
        l << "Mensaje3=  hello  " << "Mensaje2=" << "lastruntime=405204375" << "LastRunTime=40000"
          << "a line without equals" << "Summary1=  One time " << "Summary2=x=y"
          << "Mensaje01=leading zero" << "Mensaje+4=sign" << "Mensaje 5=blank" << "Mensaje\u0665=not a digit";
        // The first line of a key wins among ASCII keys alone too (they are found by hash).
        TTipoTarea ascii;
        QCOMPARE(Validar_Tarea(TValoresTarea(Base(1) << "lastruntime=405204375" << "LastRunTime=40000"), ascii), 0);
        QCOMPARE(ascii.tdLastRunTime, 40520.4375);
        // A key that lowers to ASCII (the Kelvin sign) is found by its lowered form.
        l = Con(l, "!TaskName1");
        l << "Tas\u212AName1=Kelvin";
        TTipoTarea t;
        QCOMPARE(Validar_Tarea(TValoresTarea(l), t), 0);
        QCOMPARE(t.tsMensaje, QStringLiteral("Hello\r\nhello")); // gap skipped, trimmed
        QCOMPARE(t.tdLastRunTime, 40520.4375);                     // first line wins
        QCOMPARE(t.tsSummary, QStringLiteral("One time\r\nx=y"));
        QCOMPARE(t.tsTaskName, QStringLiteral("Kelvin"));
        QCOMPARE(t.tiLenguaje, 1);
        QCOMPARE(t.tsPathDelSonido, QStringLiteral("/x/s2.mp3"));
        QCOMPARE(t.tiSnoozeTime, -1);
        QCOMPARE(t.tdSnoozeRun, 0.0);
    }

    void fiveHundredMessageLines()
    {
        QStringList l = Base(5);
        for (int n = 1; n <= 600; ++n)
            l << QStringLiteral("Mensaje%1=line %1").arg(n);
        l = Con(l, "Mensaje1=line 1");
        TTipoTarea t;
        QCOMPARE(Validar_Tarea(TValoresTarea(l), t), 0);
        const QStringList lineas = t.tsMensaje.split(QStringLiteral("\r\n"));
        QCOMPARE(lineas.size(), 500);
        QCOMPARE(lineas.last(), QStringLiteral("line 500"));
    }

    // Keys the type does not read keep the defaults even when present.
    void unreadKeysKeepDefaults()
    {
        QStringList l = Base(2);
        l << "DiasSemana=7" << "Meses=,05," << "RangoHoras=2" << "RangoHoraInicio=10:00" << "RangoCadaHora=5"
          << "HorasLista=01:00 PM";
        TTipoTarea t;
        QCOMPARE(Validar_Tarea(TValoresTarea(l), t), 0);
        QVERIFY(t.tsDiasSemana.isEmpty());
        QVERIFY(t.tsMeses.isEmpty());
        QVERIFY(t.tsHorasLista.isEmpty());
        QCOMPARE(t.tiRangoHoras, 1);
        QCOMPARE(t.tsRangoHoraInicio, QStringLiteral("08:00"));
        QCOMPARE(t.tiRangoCadaHora, 1);
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("fin");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void lineEnds()
    {
        QFETCH(QByteArray, fin);
        QTemporaryDir dir;
        const QString archivo = dir.filePath("a.od");
        Escribir_Plano(archivo, Base(3), fin.constData());
        TTipoTarea t;
        int codigo = -1;
        QCOMPARE(Leer_Archivo_Tarea(archivo, t, codigo), TLectura::Ok);
        QCOMPARE(codigo, 0);
        QCOMPARE(t.tsDiasSemana, QStringLiteral("135"));
        QCOMPARE(t.tsFile, archivo);
    }

    void partirLineas()
    {
        QCOMPARE(Partir_Lineas("a\r\nb\rc\nd"), (QStringList{"a", "b", "c", "d"}));
        QCOMPARE(Partir_Lineas("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
        QCOMPARE(Partir_Lineas(""), QStringList());
        QCOMPARE(Partir_Lineas("\n\r"), (QStringList{"", ""}));
        QCOMPARE(Partir_Lineas("a\r\n\r\n\n\rb\r\n", true), (QStringList{"a", "b"}));
        QCOMPARE(Partir_Lineas("\n\n\r\n", true), QStringList());
    }

    // Stray plain text, truncated and non-Base64 lines, and binary junk never stop a file
    // that has its keys, and never crash one that has not.
    void badLines()
    {
        QTemporaryDir dir;
        const QString archivo = dir.filePath("a.od");
        Escribir_Plano(archivo, Base(1));
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::Append));
        f.write("TaskName1=Plain text is no key\r\n");
        f.write(Encriptar("Mensaje2=truncated line").left(30).toLatin1() + "\r\n");
        f.write("\x01\x02\xff\xfe\x00garbage\r\n", 14);
        f.write("####****\r\n");
        f.close();
        TTipoTarea t;
        int codigo = -1;
        QCOMPARE(Leer_Archivo_Tarea(archivo, t, codigo), TLectura::Ok);
        QCOMPARE(codigo, 0);
        QCOMPARE(t.tsTaskName, QStringLiteral("Name"));
        QCOMPARE(t.tsMensaje, QStringLiteral("Hello"));
    }

    void binaryGarbageAndHugeFile()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("junk.od"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        // Under the size cap, so it is read, deciphered to nothing and found invalid.
        QByteArray junk(3 * 1024 * 1024, '\0');
        QRandomGenerator rng(7);
        for (qsizetype i = 0; i < junk.size(); i += 4)
            *reinterpret_cast<quint32 *>(junk.data() + i) = rng.generate();
        f.write(junk);
        f.close();
        Escribir_Plano(dir.filePath("good.od"), Base(5));
        const TResultadoCarga r = Cargar_Directorio_Tareas(dir.path());
        QVERIFY(r.error.isEmpty());
        QCOMPARE(r.tabla.piTipoTareaTotal(), 1);
        QCOMPARE(r.invalidos.size(), 1);
        QCOMPARE(r.invalidos[0].tiCodigo, 1);
        QVERIFY(r.invalidos[0].tsFile.endsWith("junk.od"));
    }

    void loaderOrderAndFilter()
    {
        QTemporaryDir dir;
        Escribir_Plano(dir.filePath("b.od"), Base(2));
        Escribir_Plano(dir.filePath("A.od"), Base(3));
        Escribir_Plano(dir.filePath("c.OD"), Base(5));
        Escribir_Plano(dir.filePath("bad.od"), Con(Base(4), "Dias="));
        Escribir_Plano(dir.filePath("retired.odb"), Base(1));
        Escribir_Plano(dir.filePath("test.tmp"), Base(1));
        QDir(dir.path()).mkdir("folder.od");
        const TResultadoCarga r = Cargar_Directorio_Tareas(dir.path() + "/");
        QVERIFY(r.directorioExiste);
        QVERIFY(r.error.isEmpty());
        QStringList nombres;
        for (const TTipoTarea &t : r.tabla.paTipoTarea)
            nombres << QFileInfo(t.tsFile).fileName();
        QCOMPARE(nombres, (QStringList{"A.od", "b.od", "c.OD"}));
        QCOMPARE(r.tabla.paTipoTarea[0].tsFile, dir.path() + "/A.od"); // no doubled slash
        QCOMPARE(r.invalidos.size(), 1);
        QCOMPARE(r.invalidos[0].tiCodigo, 24);
    }

    // Names sort without regard to case: by their first 16 bytes at once, by the rest only
    // on a tie, and by their texts when one is not ASCII.
    void sortedNames_data()
    {
        QTest::addColumn<QStringList>("nombres");
        QTest::addColumn<QStringList>("orden");
        QTest::newRow("case") << QStringList{"b.od", "C.OD", "a.od"} << QStringList{"a.od", "b.od", "C.OD"};
        QTest::newRow("a name begins another") << QStringList{"ab.od", "a.od"} << QStringList{"a.od", "ab.od"};
        QTest::newRow("the first 16 bytes alike")
            << QStringList{"same-first-16-bytes-b.od", "same-first-16-byte.od", "Same-First-16-Bytes-a.od"}
            << QStringList{"same-first-16-byte.od", "Same-First-16-Bytes-a.od", "same-first-16-bytes-b.od"};
        QTest::newRow("not ASCII") << QStringList{QStringLiteral("éclair.od"), "Zeta.od", "alpha.od"}
                                   << QStringList{"alpha.od", "Zeta.od", QStringLiteral("éclair.od")};
    }
    void sortedNames()
    {
        QFETCH(QStringList, nombres);
        QFETCH(QStringList, orden);
        QTemporaryDir dir;
        for (const QString &n : nombres)
            Escribir_Plano(dir.filePath(n), Base(2));
        QStringList l;
        Get_Files(l, dir.path(), "*.od", true, 0);
        for (QString &ruta : l)
            ruta = QFileInfo(ruta).fileName();
        QCOMPARE(l, orden);
    }

    // Enough files to be read on several threads: the table and the reports still follow
    // the files' order, whichever thread read which file.
    void loaderOrderOnSeveralThreads()
    {
        QTemporaryDir dir;
        QStringList validos, invalidos;
        for (int i = 399; i >= 0; --i) {
            const QString nombre = QStringLiteral("r%1.od").arg(i, 3, 10, QLatin1Char('0'));
            const bool malo = i % 9 == 4;
            Escribir_Plano(dir.filePath(nombre), malo ? Con(Base(3), "DiasSemana=") : Base(1 + i % 7));
            (malo ? invalidos : validos).prepend(nombre);
        }
        const TResultadoCarga r = Cargar_Directorio_Tareas(dir.path());
        QStringList nombres, malos;
        for (const TTipoTarea &t : r.tabla.paTipoTarea)
            nombres << QFileInfo(t.tsFile).fileName();
        for (const TArchivoInvalido &a : r.invalidos) {
            malos << QFileInfo(a.tsFile).fileName();
            QCOMPARE(a.tiCodigo, 16);
        }
        QCOMPARE(nombres, validos);
        QCOMPARE(malos, invalidos);
    }

    // A link to a device or a pipe is no reminder file: reading it would never end.
    void devicesAndPipesNotListed()
    {
        QTemporaryDir dir;
        Escribir_Plano(dir.filePath("good.od"), Base(5));
        QVERIFY(QFile::link(dir.filePath("good.od"), dir.filePath("link.od")));
        QVERIFY(QFile::link("/dev/zero", dir.filePath("zero.od")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
        QVERIFY(QFile::link(dir.filePath("pipe"), dir.filePath("pipe.od")));
        // A link to nothing or to a folder is no file either; a hidden file is one.
        QVERIFY(QFile::link(dir.filePath("nothing"), dir.filePath("broken.od")));
        QVERIFY(QFile::link(dir.path(), dir.filePath("folder.od")));
        Escribir_Plano(dir.filePath(".hidden.Od"), Base(5));
        QStringList l;
        Get_Files(l, dir.path(), "*.od", true, 0);
        QCOMPARE(l, (QStringList{dir.path() + "/.hidden.Od", dir.path() + "/good.od", dir.path() + "/link.od"}));
        const TResultadoCarga r = Cargar_Directorio_Tareas(dir.path());
        QVERIFY(r.error.isEmpty());
        QCOMPARE(r.tabla.piTipoTareaTotal(), 3);
    }

    void missingDirectory()
    {
        const TResultadoCarga r = Cargar_Directorio_Tareas("/nonexistent/kestrin/System/");
        QVERIFY(!r.directorioExiste);
        QCOMPARE(r.tabla.piTipoTareaTotal(), 0);
        QVERIFY(r.error.isEmpty());
    }

    void unreadableAndVanished()
    {
        QTemporaryDir dir;
        TTipoTarea t;
        int codigo = 0;
        QString error;
        QCOMPARE(Leer_Archivo_Tarea(dir.filePath("gone.od"), t, codigo, &error), TLectura::NoExiste);
        // A folder cannot be read as a file, even by root.
        QDir(dir.path()).mkdir("x.od");
        QCOMPARE(Leer_Archivo_Tarea(dir.filePath("x.od"), t, codigo, &error), TLectura::Error);
        QVERIFY(error.contains("x.od"));
    }

    void getFilesDateLimit()
    {
        QTemporaryDir dir;
        Escribir_Plano(dir.filePath("old.od"), Base(5));
        Escribir_Plano(dir.filePath("new.od"), Base(5));
        QFile viejo(dir.filePath("old.od"));
        QVERIFY(viejo.open(QIODevice::ReadWrite));
        QVERIFY(viejo.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
        viejo.close();
        QStringList l;
        Get_Files(l, dir.path(), "*.od", true, int(Solo_Fecha(Ahora())));
        QCOMPARE(l, QStringList{dir.path() + "/old.od"});
        Get_Files(l, dir.path(), "*.od", true, 0);
        QCOMPARE(l.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestReminderFile)
#include "test_reminderfile.moc"
