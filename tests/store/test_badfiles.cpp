// Reminder files that are not what they claim to be: pipes, devices, files that cannot
// be read, files far too large. No reader may hang on them, grow without limit, or let
// one of them stop the others from loading.

#include "cipher.h"
#include "loader.h"
#include "readbatch.h"
#include "reminderfile.h"
#include "storetestutil.h"
#include "writer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {
TTipoTarea Diaria(const QString &rsNombre)
{
    TTipoTarea t;
    t.tsTaskName = rsNombre;
    t.tsMensaje = QStringLiteral("hello");
    t.tiTareaTipo = TAREA_DIARIA;
    t.tdFechaInicio = Dia(2026, 3, 1, 8);
    t.tdFechaFin = t.tdFechaInicio;
    t.tdFechaCreacion = Dia(2026, 2, 1);
    return t;
}

QByteArray Contenido(const QString &rsArchivo)
{
    QFile f(rsArchivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
} // namespace

class TestBadFiles : public QObject {
    Q_OBJECT
private slots:
    // Every reader refuses what is not a regular file of at most the cap, quickly and
    // without changing anything; the content of a link to a regular file is read.
    void readersRefuseSpecialFiles_data()
    {
        QTest::addColumn<QString>("clase");
        QTest::addColumn<QString>("texto"); // in the reader's error
        QTest::newRow("pipe") << "fifo" << "Not a regular file";
        QTest::newRow("link to a pipe") << "fifo-link" << "Not a regular file";
        QTest::newRow("link to /dev/zero") << "zero" << "Not a regular file";
        QTest::newRow("folder") << "folder" << "Not a regular file";
        QTest::newRow("sparse 100 MB") << "huge" << "larger than";
        QTest::newRow("/proc/self/mem: read fails") << "mem" << "Input/output error";
    }
    void readersRefuseSpecialFiles()
    {
        QFETCH(QString, clase);
        QFETCH(QString, texto);
        QTemporaryDir dir;
        const QString archivo = dir.filePath("x.od");
        const QByteArray ruta = QFile::encodeName(archivo);
        if (clase == "fifo") {
            QCOMPARE(::mkfifo(ruta.constData(), 0600), 0);
        } else if (clase == "fifo-link") {
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("p")).constData(), 0600), 0);
            QVERIFY(QFile::link(dir.filePath("p"), archivo));
        } else if (clase == "zero") {
            QVERIFY(QFile::link("/dev/zero", archivo));
        } else if (clase == "folder") {
            QVERIFY(QDir(dir.path()).mkdir("x.od"));
        } else if (clase == "huge") {
            // One line of 100 MB: refused from its size, never read.
            QFile f(archivo);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(100 * 1024 * 1024));
        } else {
            QVERIFY(QFile::link("/proc/self/mem", archivo));
        }
        QStringList lineas;
        QString error;
        QCOMPARE(Leer_Lineas_Planas(archivo, lineas, &error), TLectura::Error);
        QVERIFY2(error.startsWith(archivo + ": ") && error.contains(texto, Qt::CaseInsensitive), qPrintable(error));
        QVERIFY(lineas.isEmpty());
        TTipoTarea t;
        int codigo = 0;
        QCOMPARE(Leer_Archivo_Tarea(archivo, t, codigo), TLectura::Error);
        // The in-place change and the snooze fail and leave the thing as it was.
        QFileInfo antes(archivo);
        QCOMPARE(Cambiar_Valor_En_Archivo(archivo, "LastRunTime", "40520"), TCambio::Error);
        QCOMPARE(Posponer_Archivo_Tarea(archivo, 10, Dia(2026, 3, 1)), TCambio::Error);
        QFileInfo despues(archivo);
        QCOMPARE(despues.isSymLink(), antes.isSymLink());
        QCOMPARE(despues.isDir(), antes.isDir());
        QCOMPARE(despues.size(), antes.size());
    }

    // The cap is exact: a valid reminder padded to the cap loads, one byte more does not.
    void sizeCapBoundary_data()
    {
        QTest::addColumn<qint64>("extra");
        QTest::addColumn<bool>("carga");
        QTest::newRow("at the cap") << qint64(0) << true;
        QTest::newRow("one byte over") << qint64(1) << false;
    }
    void sizeCapBoundary()
    {
        QFETCH(qint64, extra);
        QFETCH(bool, carga);
        QTemporaryDir dir;
        const QString archivo = dir.filePath("x.od");
        QVERIFY(Grabar_Archivo_Tarea(archivo, Diaria("padded")));
        QByteArray datos = Contenido(archivo);
        // Empty lines hold no key: padding with line ends keeps the reminder valid.
        datos += QByteArray(kMaxBytesArchivoTarea - datos.size() + extra, '\n');
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(datos), qint64(datos.size()));
        f.close();
        TTipoTarea t;
        int codigo = -1;
        QCOMPARE(Leer_Archivo_Tarea(archivo, t, codigo), carga ? TLectura::Ok : TLectura::Error);
        if (carga) {
            QCOMPARE(codigo, 0);
            QCOMPARE(t.tsTaskName, QStringLiteral("padded"));
        }
    }

    // One file that cannot be read is skipped and named; the files around it load. (A
    // file without read permission: the list command's test, run as nobody.)
    void unreadableFileSkipped_data()
    {
        QTest::addColumn<QString>("clase");
        QTest::newRow("read error") << "mem";
        QTest::newRow("too large") << "huge";
        QTest::newRow("empty: loaded, found invalid") << "empty";
        QTest::newRow("more than a batch reads at once: loaded") << "long";
    }
    void unreadableFileSkipped()
    {
        QFETCH(QString, clase);
        QTemporaryDir dir;
        QVERIFY(Grabar_Archivo_Tarea(dir.filePath("a.od"), Diaria("a")));
        QVERIFY(Grabar_Archivo_Tarea(dir.filePath("c.od"), Diaria("c")));
        const QString medio = dir.filePath("b.od");
        if (clase == "mem") {
            QVERIFY(QFile::link("/proc/self/mem", medio));
        } else if (clase == "empty" || clase == "long") {
            QFile f(medio);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (clase == "long") {
                f.close();
                QVERIFY(Grabar_Archivo_Tarea(medio, Diaria("b")));
                QVERIFY(f.open(QIODevice::Append));
                f.write(QByteArray(200 * 1024, '\n'));
            }
        } else {
            QFile f(medio);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(kMaxBytesArchivoTarea + 1));
        }
        const TResultadoCarga r = Cargar_Directorio_Tareas(dir.path());
        // Without the texts (as the list loads), only the messages are left out.
        const TResultadoCarga sinTextos = Cargar_Directorio_Tareas(dir.path(), false);
        QCOMPARE(sinTextos.tabla.piTipoTareaTotal(), r.tabla.piTipoTareaTotal());
        QCOMPARE(sinTextos.invalidos.size(), r.invalidos.size());
        QCOMPARE(sinTextos.ilegibles.size(), r.ilegibles.size());
        for (qsizetype i = 0; i < r.tabla.paTipoTarea.size(); ++i) {
            QCOMPARE(r.tabla.paTipoTarea[i].tsMensaje, QStringLiteral("hello"));
            QVERIFY(sinTextos.tabla.paTipoTarea[i].tsMensaje.isEmpty());
            QCOMPARE(sinTextos.tabla.paTipoTarea[i].tsTaskName, r.tabla.paTipoTarea[i].tsTaskName);
            QCOMPARE(sinTextos.tabla.paTipoTarea[i].tdFechaInicio, r.tabla.paTipoTarea[i].tdFechaInicio);
        }
        if (clase == "empty" || clase == "long") {
            QVERIFY(r.ilegibles.isEmpty());
            QCOMPARE(r.tabla.piTipoTareaTotal(), clase == "long" ? 3 : 2);
            QCOMPARE(r.invalidos.size(), clase == "long" ? 0 : 1);
            return;
        }
        QVERIFY(r.directorioExiste);
        QVERIFY(r.error.isEmpty());
        QCOMPARE(r.tabla.piTipoTareaTotal(), 2);
        QCOMPARE(r.tabla.paTipoTarea[0].tsTaskName, QStringLiteral("a"));
        QCOMPARE(r.tabla.paTipoTarea[1].tsTaskName, QStringLiteral("c"));
        QCOMPARE(r.ilegibles.size(), 1);
        QCOMPARE(r.ilegibles[0].tsFile, medio);
        QVERIFY(!r.ilegibles[0].tsError.isEmpty());
        QVERIFY(!r.ilegibles[0].tsError.contains(medio)); // the text alone, the path apart
        QVERIFY(r.invalidos.isEmpty());
    }

    // A batch gives a file's content only when it read all of it, and then the same bytes
    // as the usual reading; anything else it leaves to the usual reading.
    void batchReadAgreesWithUsualRead()
    {
        const auto descriptores = [] {
            return QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size();
        };
        const qsizetype abiertos = descriptores();
        QTemporaryDir dir;
        const auto escribir = [&](const char *rsNombre, qsizetype riBytes) {
            QFile f(dir.filePath(rsNombre));
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray datos(riBytes, 'x');
            for (qsizetype i = 0; i < riBytes; i += 7)
                datos[i] = char('a' + i % 26);
            f.write(datos);
        };
        escribir("small.od", 1200);
        escribir("empty.od", 0);
        escribir("just-under.od", 64 * 1024 - 1);
        escribir("full.od", 64 * 1024);
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo.od")).constData(), 0600), 0);
        const std::vector<const char *> nombres = {"small.od", "missing.od", "empty.od", "just-under.od", "full.od", "fifo.od"};
        const bool leido[] = {true, false, false, true, false, false};
        const int carpeta = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        QVERIFY(carpeta >= 0);
        {
            TLectorLotes lotes(carpeta);
            if (!lotes.Disponible()) {
                ::close(carpeta);
                QSKIP("io_uring is not available here");
            }
            for (int vuelta = 0; vuelta < 2; ++vuelta) { // the places are reused
                lotes.Leer(nombres.data(), qsizetype(nombres.size()));
                for (qsizetype i = 0; i < qsizetype(nombres.size()); ++i) {
                    QByteArrayView contenido;
                    QCOMPARE(lotes.Contenido(i, contenido), leido[i]);
                    if (leido[i])
                        QCOMPARE(contenido.toByteArray(), Contenido(dir.filePath(QString::fromLatin1(nombres[i]))));
                }
            }
        }
        ::close(carpeta);
        // Every descriptor the batches opened was closed, the ring's own as well.
        QCOMPARE(descriptores(), abiertos);
    }
};

QTEST_GUILESS_MAIN(TestBadFiles)
#include "test_badfiles.moc"
