// Kill-during-write stress of the reminder store.
//
//   stress_store [--kills N] [--seed S] [--dir FOLDER]
//
// A child process writes without pause: whole rewrites, in-place changes, snoozes,
// retirements, restores and new reminders, each noted in a journal before it starts and
// after it ends. The parent kills it with SIGKILL at a random moment, then checks every
// reminder file against the journal: each operation that ended is on disk, the one cut
// short is either wholly there or not at all, every file loads, and nothing else is in
// the folder but temporary files. Then the next child goes on from there. Exit status 0
// when every check passed.

#include "cleanup.h"
#include "loader.h"
#include "reminderfile.h"
#include "textforms.h"
#include "writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr int kRanuras = 6;           // reminders r0.od .. r5.od, and their retired copies
constexpr int kLineasMensaje = 40;    // a message long enough to be cut in the middle
constexpr double kAhora = 46000.0;    // the clock of snoozes and new files
constexpr int kMaxNuevos = 30;        // new files beyond this are removed between kills

enum TOperacion { REESCRIBIR, CAMBIAR, POSPONER, RETIRAR, RESTAURAR, NUEVO, N_OPERACIONES };
const char *const kNombresOp[] = {"rewrite", "change", "snooze", "retire", "restore", "new"};

// What a reminder file holds, as far as the operations change it.
struct TContenido {
    QString sNombre, sUltima, sPosponerMin, sPosponerCuando;
    bool operator==(const TContenido &) const = default;
};
using TModelo = QMap<QString, TContenido>; // file name -> content

QString Od(int riRanura) { return QStringLiteral("r%1.od").arg(riRanura); }
QString Odb(int riRanura) { return Od(riRanura) + QLatin1Char('b'); }

QString Mensaje(const QString &rsNombre)
{
    QStringList l;
    for (int i = 1; i <= kLineasMensaje; ++i)
        l << QStringLiteral("line %1 of %2").arg(i).arg(rsNombre);
    return l.join(QStringLiteral("\r\n"));
}

TTipoTarea Tarea(const QString &rsNombre)
{
    TTipoTarea t;
    t.tsTaskName = rsNombre;
    t.tsMensaje = Mensaje(rsNombre);
    t.tiTareaTipo = TAREA_DIARIA;
    t.tdFechaInicio = kAhora + 0.5;
    t.tdFechaFin = kAhora + 100;
    t.tdFechaCreacion = kAhora;
    return t;
}

QString Valor_Cambio(qint64 riGen) { return Float_To_Str_Sin_Punto(40000.0 + double(riGen % 500000) / 10000.0); }
int Minutos(qint64 riGen) { return int(1 + riGen % 1000); }

// ---- the child: operations and journal ----

void Anotar(int riFd, const QByteArray &rLinea)
{
    const QByteArray l = rLinea + '\n';
    if (::write(riFd, l.constData(), size_t(l.size())) != l.size())
        ::_exit(3);
}

[[noreturn]] void Escritor(const QString &rsCarpeta, int riDiario, quint64 riSemilla, qint64 riGen)
{
    const quint32 semilla[2] = {quint32(riSemilla), quint32(riSemilla >> 32)};
    QRandomGenerator rng(semilla, 2);
    for (qint64 k = 0;; ++k, ++riGen) {
        const int op = int(rng.bounded(100));
        const TOperacion o = op < 25 ? REESCRIBIR : op < 50 ? CAMBIAR : op < 65 ? POSPONER : op < 77 ? RETIRAR
                           : op < 90 ? RESTAURAR : NUEVO;
        const int r = int(rng.bounded(kRanuras));
        const QString od = QDir(rsCarpeta).filePath(Od(r));
        Anotar(riDiario, QByteArray("B ") + kNombresOp[o] + ' ' + QByteArray::number(r) + ' ' + QByteArray::number(riGen));
        QString error;
        QByteArray fin = "E ok";
        bool ok = true;
        switch (o) {
        case REESCRIBIR:
            ok = Grabar_Archivo_Tarea(od, Tarea(QStringLiteral("r%1-g%2").arg(r).arg(riGen)), &error);
            break;
        case CAMBIAR:
            ok = Cambiar_Valor_En_Archivo(od, QStringLiteral("LastRunTime"), Valor_Cambio(riGen), &error) != TCambio::Error;
            break;
        case POSPONER:
            ok = Posponer_Archivo_Tarea(od, Minutos(riGen), kAhora, &error) != TCambio::Error;
            break;
        case RETIRAR:
            Retirar_Archivo_Tarea(od); // fails when there is nothing to retire
            break;
        case RESTAURAR:
            Restaurar_Archivo_Tarea(od);
            break;
        case NUEVO: {
            QString nuevo;
            ok = Grabar_Archivo_Tarea_Nuevo(rsCarpeta, Tarea(QStringLiteral("n-g%1").arg(riGen)),
                                            kAhora + double(riGen) / 86400000.0, nuevo, &error);
            fin += ' ' + QFile::encodeName(QFileInfo(nuevo).fileName());
            break;
        }
        default:
            break;
        }
        if (!ok)
            fin = "E fail " + error.toUtf8();
        Anotar(riDiario, fin);
    }
}

// ---- the parent: the model, and the checks ----

struct TPaso {
    TOperacion o = REESCRIBIR;
    int r = 0;
    qint64 gen = 0;
    bool terminado = false;
    QString sNuevo;  // the name a new file got
    QString sFalla;  // "E fail" text
};

// The model after one operation, given the model before it. bSoloRestaurar: a snooze
// cut between its two steps.
TModelo Aplicar(TModelo m, const TPaso &p, bool rbSoloRestaurar = false)
{
    const QString od = Od(p.r), odb = Odb(p.r);
    switch (p.o) {
    case REESCRIBIR: {
        const QString nombre = QStringLiteral("r%1-g%2").arg(p.r).arg(p.gen);
        m[od] = {nombre, QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("0")};
        break;
    }
    case CAMBIAR:
        if (m.contains(od))
            m[od].sUltima = Valor_Cambio(p.gen);
        break;
    case POSPONER:
        if (!m.contains(od) && m.contains(odb))
            m[od] = m.take(odb);
        if (m.contains(od) && !rbSoloRestaurar) {
            m[od].sPosponerMin = QString::number(Minutos(p.gen));
            m[od].sPosponerCuando = Float_To_Str_Sin_Punto(kAhora + double(Minutos(p.gen)) * 60.0 / 86400.0);
        }
        break;
    case RETIRAR:
        if (m.contains(od))
            m[odb] = m.take(od);
        break;
    case RESTAURAR:
        if (m.contains(odb) && !m.contains(od))
            m[od] = m.take(odb);
        break;
    case NUEVO:
        if (!p.sNuevo.isEmpty())
            m[p.sNuevo] = {QStringLiteral("n-g%1").arg(p.gen), QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("0")};
        break;
    default:
        break;
    }
    return m;
}

QVector<TPaso> Leer_Diario(const QString &rsDiario)
{
    QFile f(rsDiario);
    QVector<TPaso> pasos;
    if (!f.open(QIODevice::ReadOnly))
        return pasos;
    const QByteArray todo = f.readAll();
    // A line cut by the kill has no line end: it is as if it had not been written.
    const QList<QByteArray> lineas = todo.left(todo.lastIndexOf('\n') + 1).split('\n');
    for (const QByteArray &l : lineas) {
        if (l.startsWith("B ")) {
            const QList<QByteArray> c = l.split(' ');
            TPaso p;
            for (int i = 0; i < N_OPERACIONES; ++i)
                if (c.value(1) == kNombresOp[i])
                    p.o = TOperacion(i);
            p.r = c.value(2).toInt();
            p.gen = c.value(3).toLongLong();
            pasos.append(p);
        } else if (l.startsWith("E ") && !pasos.isEmpty()) {
            TPaso &p = pasos.last();
            p.terminado = true;
            if (l.startsWith("E fail"))
                p.sFalla = QString::fromUtf8(l.mid(7));
            else if (p.o == NUEVO)
                p.sNuevo = QString::fromUtf8(l.mid(5));
        }
    }
    return pasos;
}

struct TDisco {
    TModelo archivos;
    QStringList malos;     // files that do not read back as a whole reminder
    QStringList temporales;
    QStringList extranos;  // anything else
};

TDisco Leer_Disco(const QString &rsCarpeta)
{
    TDisco d;
    for (const QFileInfo &info : QDir(rsCarpeta).entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QString nombre = info.fileName();
        if (Es_Nombre_Temporal(nombre)) {
            d.temporales << nombre;
            continue;
        }
        if (!nombre.endsWith(QLatin1String(".od")) && !nombre.endsWith(QLatin1String(".odb"))) {
            d.extranos << nombre;
            continue;
        }
        QStringList lineas;
        TTipoTarea t;
        if (Leer_Lineas_Planas(info.filePath(), lineas) != TLectura::Ok) {
            d.malos << nombre + QStringLiteral(" (unreadable)");
            continue;
        }
        const TValoresTarea v(lineas);
        if (Validar_Tarea(v, t) != 0 || t.tsMensaje != Mensaje(t.tsTaskName)) {
            d.malos << nombre + QStringLiteral(" (invalid or mixed content)");
            continue;
        }
        d.archivos[nombre] = {t.tsTaskName, v.Valor(QStringLiteral("LastRunTime")), v.Valor(QStringLiteral("SnoozeTime")),
                              v.Valor(QStringLiteral("SnoozeRun"))};
    }
    return d;
}

QString Describir(const TModelo &m)
{
    QStringList l;
    for (auto it = m.cbegin(); it != m.cend(); ++it)
        l << it.key() + QLatin1Char('=') + it->sNombre + QLatin1Char('/') + it->sUltima + QLatin1Char('/') +
                 it->sPosponerMin;
    return l.join(QStringLiteral(", "));
}

struct TCifras {
    int muertes = 0;
    qint64 operaciones = 0;
    int cortadas[N_OPERACIONES] = {};
    int cortadasHechas = 0; // operations cut short that were found complete on disk
    int temporales = 0;
    int fallas = 0;
};

bool Verificar(const QString &rsCarpeta, TModelo &fModelo, const QVector<TPaso> &rPasos, TCifras &fCifras)
{
    TModelo antes = fModelo;
    std::optional<TPaso> cortado;
    for (const TPaso &p : rPasos) {
        if (!p.sFalla.isEmpty()) {
            std::fprintf(stderr, "operation %s on r%d failed: %s\n", kNombresOp[p.o], p.r, qPrintable(p.sFalla));
            return false;
        }
        if (p.terminado) {
            antes = Aplicar(antes, p);
            ++fCifras.operaciones;
        } else {
            cortado = p;
        }
    }
    TDisco d = Leer_Disco(rsCarpeta);
    fCifras.temporales += int(d.temporales.size());
    if (!d.malos.isEmpty() || !d.extranos.isEmpty()) {
        std::fprintf(stderr, "bad files: %s %s\n", qPrintable(d.malos.join(' ')), qPrintable(d.extranos.join(' ')));
        return false;
    }
    QVector<TModelo> candidatos{antes};
    if (cortado) {
        ++fCifras.cortadas[cortado->o];
        if (cortado->o == NUEVO) {
            // Its name was not noted yet: a file of its content that the model lacks.
            for (auto it = d.archivos.cbegin(); it != d.archivos.cend(); ++it)
                if (!antes.contains(it.key()) && it->sNombre == QStringLiteral("n-g%1").arg(cortado->gen)) {
                    TPaso p = *cortado;
                    p.sNuevo = it.key();
                    candidatos << Aplicar(antes, p);
                }
        } else {
            candidatos << Aplicar(antes, *cortado);
            if (cortado->o == POSPONER)
                candidatos << Aplicar(antes, *cortado, true);
        }
    }
    for (int i = 0; i < candidatos.size(); ++i)
        if (candidatos[i] == d.archivos) {
            fModelo = candidatos[i];
            if (i > 0)
                ++fCifras.cortadasHechas;
            // Every file loads: nothing invalid, nothing unreadable.
            const TResultadoCarga carga = Cargar_Directorio_Tareas(rsCarpeta);
            qsizetype vivos = 0;
            for (auto it = fModelo.cbegin(); it != fModelo.cend(); ++it)
                vivos += it.key().endsWith(QLatin1String(".od"));
            if (!carga.invalidos.isEmpty() || !carga.ilegibles.isEmpty() || carga.tabla.piTipoTareaTotal() != vivos) {
                std::fprintf(stderr, "the folder does not load whole\n");
                return false;
            }
            return true;
        }
    std::fprintf(stderr, "disk:     %s\n", qPrintable(Describir(d.archivos)));
    for (const TModelo &c : candidatos)
        std::fprintf(stderr, "expected: %s\n", qPrintable(Describir(c)));
    if (cortado)
        std::fprintf(stderr, "cut short: %s r%d g%lld\n", kNombresOp[cortado->o], cortado->r, cortado->gen);
    return false;
}

void Dormir_Ms(int riMs)
{
    const timespec t{riMs / 1000, long(riMs % 1000) * 1000000L};
    ::nanosleep(&t, nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    int muertes = 100;
    quint64 semilla = quint64(::time(nullptr));
    QString carpetaDada;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--kills"))
            muertes = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--seed"))
            semilla = std::strtoull(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--dir"))
            carpetaDada = QString::fromLocal8Bit(argv[i + 1]);
    }
    QTemporaryDir temporal;
    const QString base = carpetaDada.isEmpty() ? temporal.path() : carpetaDada;
    const QString carpeta = base + QStringLiteral("/System");
    const QString diario = base + QStringLiteral("/journal.txt");
    if (!QDir().mkpath(carpeta)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(carpeta));
        return 2;
    }
    std::printf("stress_store: %d kills, seed %llu, folder %s\n", muertes, static_cast<unsigned long long>(semilla),
                qPrintable(carpeta));
    std::fflush(stdout);

    QRandomGenerator rng{quint32(semilla)};
    TModelo modelo;
    TCifras cifras;
    qint64 gen = 1;
    for (int vuelta = 0; vuelta < muertes; ++vuelta) {
        const int fd = ::open(QFile::encodeName(diario).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0)
            return 2;
        const quint64 semillaHijo = rng.generate64();
        const pid_t hijo = ::fork();
        if (hijo == 0)
            Escritor(carpeta, fd, semillaHijo, gen);
        ::close(fd);
        if (hijo < 0)
            return 2;
        Dormir_Ms(1 + int(rng.bounded(50)));
        ::kill(hijo, SIGKILL);
        int estado = 0;
        ::waitpid(hijo, &estado, 0);
        if (!WIFSIGNALED(estado)) {
            std::fprintf(stderr, "the writer ended by itself (status %d)\n", estado);
            return 1;
        }
        ++cifras.muertes;
        const QVector<TPaso> pasos = Leer_Diario(diario);
        if (!pasos.isEmpty())
            gen = pasos.last().gen + 1;
        if (!Verificar(carpeta, modelo, pasos, cifras)) {
            std::fprintf(stderr, "FAILED after kill %d (folder kept: %s)\n", vuelta + 1, qPrintable(carpeta));
            temporal.setAutoRemove(false);
            return 1;
        }
        // Leftover temporary files are what the start-up cleanup is for; counted above.
        for (const QString &nombre : QDir(carpeta).entryList(QDir::Files))
            if (Es_Nombre_Temporal(nombre))
                QFile::remove(QDir(carpeta).filePath(nombre));
        QStringList nuevos;
        for (auto it = modelo.cbegin(); it != modelo.cend(); ++it)
            if (it.key().startsWith(QLatin1String("data")))
                nuevos << it.key();
        if (nuevos.size() > kMaxNuevos)
            for (const QString &n : nuevos) {
                QFile::remove(QDir(carpeta).filePath(n));
                modelo.remove(n);
            }
    }
    std::printf("kills %d, operations completed %lld, temporary files left %d\n", cifras.muertes,
                static_cast<long long>(cifras.operaciones), cifras.temporales);
    std::printf("cut short:");
    for (int i = 0; i < N_OPERACIONES; ++i)
        std::printf(" %s %d", kNombresOp[i], cifras.cortadas[i]);
    std::printf(" (found complete: %d)\nno reminder lost or corrupted\n", cifras.cortadasHechas);
    return 0;
}
