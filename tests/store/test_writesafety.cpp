// Writers against bad luck: values the file form cannot hold, text the loader would
// drop, retired copies, lines that cannot be deciphered, file systems without links,
// a folder lock held for ever, stale temporary files, and the folder sync after renames.

#include "cipher.h"
#include "cleanup.h"
#include "loader.h"
#include "reminderfile.h"
#include "renames.h"
#include "storetestutil.h"
#include "textforms.h"
#include "writer.h"
#include "platform/filelock.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <ctime>

namespace {
TTipoTarea Tarea(const QString &rsNombre, int riTipo = TAREA_DIARIA)
{
    TTipoTarea t;
    t.tsTaskName = rsNombre;
    t.tsMensaje = QStringLiteral("hello");
    t.tiTareaTipo = riTipo;
    t.tdFechaInicio = Dia(2026, 3, 1, 8);
    t.tdFechaFin = Dia(2026, 4, 1, 8);
    t.tdFechaCreacion = Dia(2026, 2, 1);
    return t;
}

QByteArray Contenido(const QString &rsArchivo)
{
    QFile f(rsArchivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Nombre(const QString &rsArchivo)
{
    TTipoTarea t;
    int codigo = -1;
    if (Leer_Archivo_Tarea(rsArchivo, t, codigo) != TLectura::Ok || codigo != 0)
        return QStringLiteral("<unreadable>");
    return t.tsTaskName;
}

QString Lineas(int n, const QString &rsPrefijo)
{
    QStringList l;
    for (int i = 1; i <= n; ++i)
        l << rsPrefijo + QString::number(i);
    return l.join(QStringLiteral("\r\n"));
}
} // namespace

class TestWriteSafety : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(Usar_Locale_Con_Coma(), "no locale with a decimal comma"); }
    void cleanup()
    {
        Simular_Rechazos_Sistema_Archivos(0);
        Observar_Sincronizaciones_Carpeta(nullptr);
        Fijar_Espera_Bloqueo_Carpeta_Ms(5000);
    }

    // A date is written only in a form that reads back as the same date.
    void datesTheFileFormCanHold_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<bool>("grabable");
        QTest::newRow("none") << 0.0 << true;
        QTest::newRow("1927-05-18, first five-digit day") << 10000.0 << true;
        QTest::newRow("1927-05-17 noon") << 9999.5 << false;
        QTest::newRow("1900-01-07 noon, short text") << 8.5 << true;
        QTest::newRow("2010-12-08 10:30") << 40520.4375 << true;
        QTest::newRow("2173-10-13 23:59") << 99999.999 << true;
        QTest::newRow("2173-10-14 noon") << 100000.5 << false;
        QTest::newRow("2173-10-14 midnight") << 100000.0 << false;
        QTest::newRow("not a number") << std::nan("") << false;
    }
    void datesTheFileFormCanHold()
    {
        QFETCH(double, valor);
        QFETCH(bool, grabable);
        QCOMPARE(Fecha_Se_Puede_Grabar(valor), grabable);
        if (grabable)
            QCOMPARE(Str_To_Float_Sin_Punto(Float_To_Str_Sin_Punto(valor)), valor);

        // Every date the writer stores, and the snooze, refuse it the same way; the file
        // on disk stays as it was.
        QTemporaryDir dir;
        const QString archivo = dir.filePath("x.od");
        QVERIFY(Grabar_Archivo_Tarea(archivo, Tarea("before")));
        const QByteArray antes = Contenido(archivo);
        for (double TTipoTarea::*campo : {&TTipoTarea::tdFechaInicio, &TTipoTarea::tdFechaFin,
                                          &TTipoTarea::tdLastRunTime, &TTipoTarea::tdSnoozeRun}) {
            TTipoTarea t = Tarea("after");
            t.*campo = valor;
            QString error;
            QCOMPARE(Grabar_Archivo_Tarea(archivo, t, &error), grabable);
            if (grabable) {
                TTipoTarea leida;
                int codigo = -1;
                QCOMPARE(Leer_Archivo_Tarea(archivo, leida, codigo), TLectura::Ok);
                QCOMPARE(codigo, 0);
                QCOMPARE(leida.*campo, valor);
                QVERIFY(Grabar_Archivo_Tarea(archivo, Tarea("before")));
            } else {
                QVERIFY2(error.contains("outside the dates"), qPrintable(error));
                QCOMPARE(Contenido(archivo), antes);
                QString nuevo;
                QVERIFY(!Grabar_Archivo_Tarea_Nuevo(dir.path(), t, Dia(2026, 3, 1), nuevo));
            }
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"x.od"});
        if (!grabable && valor > 1) {
            // A snooze that would end past the last date is refused before anything changes.
            QString error;
            QCOMPARE(Posponer_Archivo_Tarea(archivo, 24 * 60, valor - 1, &error), TCambio::Error);
            QCOMPARE(Contenido(archivo), antes);
        }
    }

    // The writer refuses what the loader would drop, so nothing is lost in silence.
    void linesTheLoaderKeeps_data()
    {
        QTest::addColumn<int>("mensaje");
        QTest::addColumn<int>("resumen");
        QTest::addColumn<bool>("grabable");
        QTest::newRow("500 message lines") << 500 << 1 << true;
        QTest::newRow("501 message lines") << 501 << 1 << false;
        QTest::newRow("50 summary lines") << 1 << 50 << true;
        QTest::newRow("51 summary lines") << 1 << 51 << false;
    }
    void linesTheLoaderKeeps()
    {
        QFETCH(int, mensaje);
        QFETCH(int, resumen);
        QFETCH(bool, grabable);
        QTemporaryDir dir;
        TTipoTarea t = Tarea("lines");
        // Blank lines are not written, so they do not count.
        t.tsMensaje = Lineas(mensaje, "m") + "\r\n \r\n\r\n";
        t.tsSummary = "\r\n" + Lineas(resumen, "s");
        QString error, nuevo;
        QCOMPARE(Grabar_Archivo_Tarea(dir.filePath("x.od"), t, &error), grabable);
        QCOMPARE(Grabar_Archivo_Tarea_Nuevo(dir.path(), t, Dia(2026, 3, 1), nuevo), grabable);
        if (!grabable) {
            QVERIFY2(error.contains("lines"), qPrintable(error));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
            return;
        }
        TTipoTarea leida;
        int codigo = -1;
        QCOMPARE(Leer_Archivo_Tarea(dir.filePath("x.od"), leida, codigo), TLectura::Ok);
        QCOMPARE(leida.tsMensaje, Lineas(mensaje, "m"));
        QCOMPARE(leida.tsSummary, Lineas(resumen, "s"));
    }

    // A reminder the readers would refuse for its size is not written.
    void sizeCapOnWrite()
    {
        QTemporaryDir dir;
        TTipoTarea t = Tarea("big");
        t.tsMensaje = Lineas(400, QString(5000, QLatin1Char('x'))); // about 8 MB once enciphered
        QString error, nuevo;
        QVERIFY(!Grabar_Archivo_Tarea(dir.filePath("x.od"), t, &error));
        QVERIFY2(error.contains("bytes"), qPrintable(error));
        QVERIFY(!Grabar_Archivo_Tarea_Nuevo(dir.path(), t, Dia(2026, 3, 1), nuevo));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    // A retired copy never comes back over a live reminder, and its name stays taken.
    void retiredCopyNeverReplaces()
    {
        QTemporaryDir dir;
        const QString vivo = dir.filePath("x.od");
        QVERIFY(Grabar_Archivo_Tarea(vivo, Tarea("old")));
        QVERIFY(Retirar_Archivo_Tarea(vivo));
        QVERIFY(Grabar_Archivo_Tarea(vivo, Tarea("live")));
        QVERIFY(!Restaurar_Archivo_Tarea(vivo));
        QCOMPARE(Posponer_Archivo_Tarea(vivo, 10, Dia(2026, 3, 1, 9)), TCambio::Ok);
        QCOMPARE(Nombre(vivo), QStringLiteral("live"));
        QCOMPARE(Nombre(Nombre_Retirado(vivo)), QStringLiteral("old"));
        TTipoTarea t;
        int codigo = -1;
        QCOMPARE(Leer_Archivo_Tarea(vivo, t, codigo), TLectura::Ok);
        QCOMPARE(t.tiSnoozeTime, 10);
        // Without a live file the retired copy comes back, once.
        QVERIFY(QFile::remove(vivo));
        QVERIFY(Restaurar_Archivo_Tarea(vivo));
        QCOMPARE(Nombre(vivo), QStringLiteral("old"));
        QVERIFY(!QFile::exists(Nombre_Retirado(vivo)));

        // Every name of this moment has a retired copy: the new reminder takes another.
        const double ahora = Dia(2010, 12, 8, 10, 30);
        const QString prefijo = dir.path() + "/data" + Float_To_Str_Sin_Punto(ahora) + "-";
        for (int i = 0; i < 100; ++i)
            QVERIFY(Grabar_Archivo_Tarea(prefijo + QString::number(i) + ".odb", Tarea("retired")));
        QString nuevo;
        QVERIFY(Grabar_Archivo_Tarea_Nuevo(dir.path(), Tarea("new"), ahora, nuevo));
        QVERIFY2(!nuevo.startsWith(prefijo), qPrintable(nuevo));
        QVERIFY(!QFile::exists(Nombre_Retirado(nuevo)));
        QCOMPARE(Nombre(nuevo), QStringLiteral("new"));
    }

    // The in-place change rewrites only its own line; every other stored line, one that
    // cannot be deciphered included, comes back byte for byte.
    void inPlaceKeepsStoredLines_data()
    {
        QTest::addColumn<QByteArray>("extrana");
        QTest::newRow("plain text") << QByteArray("hello world");
        QTest::newRow("not Base64") << QByteArray("@@@@####");
        QTest::newRow("Base64 of noise") << QByteArray("AAECAwQFBgcICQoLDA0ODw==");
        QTest::newRow("odd length") << QByteArray("QUJDRA=");
        QTest::newRow("Latin-1 bytes") << QByteArray("caf\xe9 cr\xe8me");
    }
    void inPlaceKeepsStoredLines()
    {
        QFETCH(QByteArray, extrana);
        QTemporaryDir dir;
        const QString archivo = dir.filePath("x.od");
        QVERIFY(Grabar_Archivo_Tarea(archivo, Tarea("keep")));
        QList<QByteArray> antes = Contenido(archivo).split('\n');
        antes.removeLast(); // after the last line end
        antes.insert(2, extrana + '\r');
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(antes.join('\n') + '\n');
        f.close();

        QCOMPARE(Cambiar_Valor_En_Archivo(archivo, "LastRunTime", "405204375"), TCambio::Ok);
        QCOMPARE(Posponer_Archivo_Tarea(archivo, 5, Dia(2026, 3, 1, 9)), TCambio::Ok);
        QList<QByteArray> despues = Contenido(archivo).split('\n');
        despues.removeLast();
        QCOMPARE(despues.size(), antes.size());
        int cambiadas = 0;
        for (int i = 0; i < antes.size(); ++i) {
            if (despues[i] == antes[i])
                continue;
            ++cambiadas;
            const QString plana = DesEncriptar(QString::fromLatin1(despues[i].chopped(1)));
            QVERIFY2(plana.startsWith("LastRunTime=") || plana.startsWith("SnoozeTime=") || plana.startsWith("SnoozeRun="),
                     qPrintable(plana));
        }
        QCOMPARE(cambiadas, 3);
        QCOMPARE(despues[2], extrana + '\r');
        QCOMPARE(Nombre(archivo), QStringLiteral("keep"));
    }

    // Where the file system refuses hard links, or also renames that do not replace, a
    // new reminder still gets a fresh name and never replaces a file that has it.
    void claimWithoutLinks_data()
    {
        QTest::addColumn<unsigned>("rechazos");
        QTest::newRow("links") << 0u;
        QTest::newRow("no links") << unsigned(RECHAZAR_ENLACE);
        QTest::newRow("no links, no exclusive rename") << unsigned(RECHAZAR_ENLACE | RECHAZAR_RENOMBRAR_EXCL);
        QTest::newRow("no unnamed files") << unsigned(RECHAZAR_SIN_NOMBRE);
        QTest::newRow("no unnamed files, no links") << unsigned(RECHAZAR_SIN_NOMBRE | RECHAZAR_ENLACE);
        QTest::newRow("nothing but exclusive creation")
            << unsigned(RECHAZAR_SIN_NOMBRE | RECHAZAR_ENLACE | RECHAZAR_RENOMBRAR_EXCL);
    }
    void claimWithoutLinks()
    {
        QFETCH(unsigned, rechazos);
        Simular_Rechazos_Sistema_Archivos(rechazos);
        QTemporaryDir dir;
        const double ahora = Dia(2026, 3, 1, 9);
        const QString prefijo = dir.path() + "/data" + Float_To_Str_Sin_Punto(ahora) + "-";
        for (int i = 0; i < 100; i += 2) // half the names of this moment are taken
            QVERIFY(Grabar_Archivo_Tarea(prefijo + QString::number(i) + ".od", Tarea("taken")));
        QSet<QString> nombres;
        for (int n = 0; n < 60; ++n) {
            QString nuevo, error;
            QVERIFY2(Grabar_Archivo_Tarea_Nuevo(dir.path(), Tarea("new"), ahora, nuevo, &error), qPrintable(error));
            QVERIFY(!nombres.contains(nuevo));
            nombres.insert(nuevo);
            QCOMPARE(Nombre(nuevo), QStringLiteral("new"));
        }
        for (int i = 0; i < 100; i += 2)
            QCOMPARE(Nombre(prefijo + QString::number(i) + ".od"), QStringLiteral("taken"));
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 50 + 60);

        // The rename that brings a retired copy back refuses a taken name the same way.
        const QString de = dir.filePath("r.odb"), a = dir.filePath("r.od");
        QVERIFY(Grabar_Archivo_Tarea(de, Tarea("retired")));
        QVERIFY(Grabar_Archivo_Tarea(a, Tarea("live")));
        QCOMPARE(Renombrar_Sin_Reemplazar(de, a), TReclamo::Ocupado);
        QCOMPARE(Nombre(a), QStringLiteral("live"));
        QVERIFY(QFile::remove(a));
        QCOMPARE(Renombrar_Sin_Reemplazar(de, a), TReclamo::Ok);
        QCOMPARE(Nombre(a), QStringLiteral("retired"));
        QVERIFY(!QFile::exists(de));
    }

    // Every rename that creates, replaces, retires or restores a reminder is followed by
    // a sync of its folder, once the file has its final name.
    void folderSyncedAfterRename_data()
    {
        QTest::addColumn<QString>("paso");
        QTest::newRow("rewrite") << "rewrite";
        QTest::newRow("change in place") << "change";
        QTest::newRow("new file") << "new";
        QTest::newRow("retire") << "retire";
        QTest::newRow("restore") << "restore";
        QTest::newRow("new, a group") << "group";
        QTest::newRow("new, a group of many batches") << "many";
    }
    void folderSyncedAfterRename()
    {
        QFETCH(QString, paso);
        QTemporaryDir dir;
        const QString archivo = dir.filePath("x.od");
        QVERIFY(Grabar_Archivo_Tarea(archivo, Tarea("x")));
        if (paso == "restore")
            QVERIFY(Retirar_Archivo_Tarea(archivo));
        QString esperado = paso == "retire" ? Nombre_Retirado(archivo) : archivo;
        QStringList vistos; // what the folder held when it was synced
        Observar_Sincronizaciones_Carpeta([&](const QString &carpeta) {
            vistos << carpeta + ":" + QDir(carpeta).entryList({"x.od*", "data*"}, QDir::Files).join(",");
        });
        QString nuevo;
        if (paso == "rewrite")
            QVERIFY(Grabar_Archivo_Tarea(archivo, Tarea("y")));
        else if (paso == "change")
            QCOMPARE(Cambiar_Valor_En_Archivo(archivo, "LastRunTime", "40520"), TCambio::Ok);
        else if (paso == "new")
            QVERIFY(Grabar_Archivo_Tarea_Nuevo(dir.path(), Tarea("n"), Dia(2026, 3, 1), nuevo));
        else if (paso == "retire")
            QVERIFY(Retirar_Archivo_Tarea(archivo));
        else if (paso == "group") {
            // One refused reminder in a group costs only itself; the others share one folder sync.
            TTipoTarea mala = Tarea("bad");
            mala.tsMensaje = Lineas(501, "m");
            const TTipoTarea a = Tarea("a"), b = Tarea("b");
            QVector<TArchivoNuevo> grupo{{&a, Dia(2026, 3, 1), {}, {}}, {&mala, Dia(2026, 3, 1), {}, {}},
                                         {&b, Dia(2026, 3, 1), {}, {}}};
            QCOMPARE(Grabar_Archivos_Tarea_Nuevos(dir.path(), grupo), 2);
            QCOMPARE(vistos.size(), 1);
            QVERIFY(grupo[1].sArchivo.isEmpty() && grupo[1].sError.contains("lines"));
            for (int i : {0, 2}) {
                TTipoTarea leida;
                int codigo = -1;
                QCOMPARE(Leer_Archivo_Tarea(grupo[i].sArchivo, leida, codigo), TLectura::Ok);
                QCOMPARE(leida.tsTaskName, grupo[i].pTarea->tsTaskName);
                QVERIFY(vistos.last().contains(QFileInfo(grupo[i].sArchivo).fileName()));
            }
            nuevo = grupo[2].sArchivo;
        } else if (paso == "many") {
            // Written in several batches of open files, named and synced in one folder sync;
            // each file holds its own reminder and no descriptor stays open.
            const int abiertos = QDir(QStringLiteral("/proc/self/fd")).count();
            QVector<TTipoTarea> tareas;
            for (int i = 0; i < 700; ++i)
                tareas << Tarea(QStringLiteral("r%1").arg(i));
            QVector<TArchivoNuevo> grupo;
            for (const TTipoTarea &t : tareas)
                grupo.append({&t, Dia(2026, 3, 1) + double(grupo.size()) / double(MS_POR_DIA), {}, {}});
            // A low limit of open files makes the writer hold fewer unnamed files at once.
            rlimit limite{};
            QCOMPARE(::getrlimit(RLIMIT_NOFILE, &limite), 0);
            const rlimit antes = limite;
            limite.rlim_cur = 256;
            QCOMPARE(::setrlimit(RLIMIT_NOFILE, &limite), 0);
            const int escritos = Grabar_Archivos_Tarea_Nuevos(dir.path(), grupo);
            QCOMPARE(::setrlimit(RLIMIT_NOFILE, &antes), 0);
            QCOMPARE(escritos, 700);
            QCOMPARE(vistos.size(), 1);
            QCOMPARE(QDir(QStringLiteral("/proc/self/fd")).count(), abiertos);
            QSet<QString> nombres;
            for (const TArchivoNuevo &n : grupo) {
                QVERIFY2(n.sError.isEmpty(), qPrintable(n.sError));
                QCOMPARE(Nombre(n.sArchivo), n.pTarea->tsTaskName);
                QVERIFY(vistos.last().contains(QFileInfo(n.sArchivo).fileName()));
                nombres.insert(n.sArchivo);
            }
            QCOMPARE(nombres.size(), 700);
            nuevo = grupo.last().sArchivo;
        } else
            QVERIFY(Restaurar_Archivo_Tarea(archivo));
        Observar_Sincronizaciones_Carpeta(nullptr);
        if (paso == "new" || paso == "group" || paso == "many")
            esperado = nuevo;
        QVERIFY2(!vistos.isEmpty(), "the folder was not synced");
        const QString ultimo = vistos.last();
        QVERIFY2(ultimo.startsWith(QFileInfo(esperado).absolutePath() + ":"), qPrintable(ultimo));
        QVERIFY2(ultimo.split(':').last().split(',').contains(QFileInfo(esperado).fileName()), qPrintable(ultimo));
        QVERIFY2(!ultimo.contains("x.od."), qPrintable(ultimo)); // the rewrite's temporary file is gone
    }

    // A lock held for ever by another writer makes every writer fail after the limit
    // instead of waiting with it; the file stays as it was, and the next try works.
    void lockWaitIsBounded()
    {
        Fijar_Espera_Bloqueo_Carpeta_Ms(150);
        QTemporaryDir dir;
        const QString archivo = dir.filePath("x.od");
        QVERIFY(Grabar_Archivo_Tarea(archivo, Tarea("x")));
        const QByteArray antes = Contenido(archivo);
        {
            TBloqueoCarpeta otro(dir.path());
            QVERIFY(otro.Bloqueado());
            QString error;
            QCOMPARE(Cambiar_Valor_En_Archivo(archivo, "LastRunTime", "40520", &error), TCambio::Error);
            QVERIFY2(error.contains("locked"), qPrintable(error));
            QVERIFY(!Grabar_Archivo_Tarea(archivo, Tarea("y"), &error));
            QCOMPARE(Posponer_Archivo_Tarea(archivo, 5, Dia(2026, 3, 1), &error), TCambio::Error);
            QVERIFY(!Retirar_Archivo_Tarea(archivo));
            TBloqueoCarpeta segundo(dir.path(), 0);
            QVERIFY(segundo.Agotado());
            QVERIFY(!segundo.Bloqueado());
            QCOMPARE(Contenido(archivo), antes);
        }
        QCOMPARE(Cambiar_Valor_En_Archivo(archivo, "LastRunTime", "40520"), TCambio::Ok);
    }

    // Only our writers' temporary files, and only those older than the limit, go.
    void staleTemporariesRemoved_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("edadSeg");
        QTest::addColumn<bool>("borrado");
        QTest::newRow("rewrite leftover, 2 h") << "data1.od.kestrin-aB3xZ9" << 7200 << true;
        QTest::newRow("rewrite leftover, 10 min") << "data1.od.kestrin-aB3xZ9" << 600 << false;
        QTest::newRow("new-file leftover, 2 h") << "data.kestrin-Qw3rTy.new" << 7200 << true;
        QTest::newRow("new-file leftover, now") << "data.kestrin-Qw3rTy.new" << 0 << false;
        QTest::newRow("a reminder, 2 h") << "data1.od" << 7200 << false;
        QTest::newRow("a retired reminder, 2 h") << "data1.odb" << 7200 << false;
        QTest::newRow("five characters, 2 h") << "data1.od.kestrin-aB3xZ" << 7200 << false;
        QTest::newRow("someone else's file, 2 h") << "notes.txt.kestrin-aB3xZ9" << 7200 << false;
        QTest::newRow("a look-alike backup, 2 h") << "notes.od.backup" << 7200 << false;
        QTest::newRow("a look-alike copy, 2 h") << "data.backup.new" << 7200 << false;
        QTest::newRow("a folder, 2 h") << "dir:data2.od.kestrin-aB3xZ9" << 7200 << false;
        QTest::newRow("a link, 2 h") << "link:data3.od.kestrin-aB3xZ9" << 7200 << false;
    }
    void staleTemporariesRemoved()
    {
        QFETCH(QString, nombre);
        QFETCH(int, edadSeg);
        QFETCH(bool, borrado);
        QTemporaryDir dir;
        QTemporaryDir fuera;
        const QString destino = fuera.filePath("target");
        QVERIFY(Grabar_Archivo_Tarea(destino, Tarea("target")));
        QString ruta;
        if (nombre.startsWith("dir:")) {
            ruta = dir.filePath(nombre.mid(4));
            QVERIFY(QDir().mkpath(ruta));
        } else if (nombre.startsWith("link:")) {
            ruta = dir.filePath(nombre.mid(5));
            QVERIFY(QFile::link(destino, ruta));
        } else {
            ruta = dir.filePath(nombre);
            QVERIFY(Grabar_Archivo_Tarea(ruta, Tarea("t")));
        }
        // The age of the entry itself, and of a link's target as well.
        const timespec cuando[2] = {{::time(nullptr) - edadSeg, 0}, {::time(nullptr) - edadSeg, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(ruta).constData(), cuando, AT_SYMLINK_NOFOLLOW), 0);
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(destino).constData(), cuando, 0), 0);
        QCOMPARE(Borrar_Temporales_Viejos(dir.path()), borrado ? 1 : 0);
        QCOMPARE(QFileInfo::exists(ruta) || QFileInfo(ruta).isSymLink(), !borrado);
        QVERIFY(QFile::exists(destino));
    }
};

QTEST_GUILESS_MAIN(TestWriteSafety)
#include "test_writesafety.moc"
