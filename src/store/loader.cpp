#include "loader.h"

#include "cipher.h"
#include "daycount.h"
#include "reminderfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

static QString Quitar_Barras_Dobles(QString rsRuta)
{
    while (rsRuta.contains(QStringLiteral("//")))
        rsRuta.replace(QStringLiteral("//"), QStringLiteral("/"));
    return rsRuta;
}

void Get_Files(QStringList &fStringList, const QString &rsPath, const QString &rsTipo, bool rbSorted,
               int riFechaLimite)
{
    fStringList.clear();
    QDir dir(rsPath);
    const QFileInfoList entradas =
        dir.entryInfoList({rsTipo}, QDir::Files | QDir::Hidden, QDir::Unsorted);
    const QString base = Quitar_Barras_Dobles(rsPath + QLatin1Char('/'));
    for (const QFileInfo &info : entradas) {
        // Only regular files (or links to them): the listing lets through links to
        // devices and pipes, whose reading would never end.
        if (!info.isFile())
            continue;
        if (riFechaLimite != 0) {
            const double dia = Solo_Fecha(DateTime_a_Dias(info.lastModified()));
            if (!(dia < riFechaLimite))
                continue;
        }
        fStringList << Quitar_Barras_Dobles(base + info.fileName());
    }
    // Every path starts with the same folder: only the names need comparing.
    if (rbSorted)
        std::sort(fStringList.begin(), fStringList.end(), [n = base.size()](const QString &a, const QString &b) {
            return QStringView(a).mid(n).compare(QStringView(b).mid(n), Qt::CaseInsensitive) < 0;
        });
}

void Checar_si_el_Archivo_ya_fue_Liberado(const QString &rsArchivo)
{
    for (int intento = 0; intento < 20; ++intento) {
        QFile f(rsArchivo);
        if (f.open(QIODevice::ReadOnly))
            return;
        QThread::msleep(200);
    }
}

QString Error_Listar_Carpeta(const QString &rsDirectorio)
{
    const QByteArray ruta = QFile::encodeName(rsDirectorio);
    DIR *dir = ::opendir(ruta.constData());
    if (!dir)
        return QString::fromLocal8Bit(std::strerror(errno));
    ::closedir(dir);
    // Names that can be read but not opened (no search right) would all be skipped.
    if (::access(ruta.constData(), X_OK) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString();
}

TResultadoCarga Cargar_Directorio_Tareas(const QString &rsDirectorio)
{
    TResultadoCarga r;
    if (rsDirectorio.isEmpty() || !QFileInfo(rsDirectorio).isDir()) {
        r.directorioExiste = false;
        struct stat datos;
        r.carpetaFalta = rsDirectorio.isEmpty() ||
                         (::stat(QFile::encodeName(QDir::cleanPath(rsDirectorio)).constData(), &datos) != 0 &&
                          errno == ENOENT);
        return r;
    }
    // The listing below cannot tell an unreadable folder from an empty one.
    const QString sinAcceso = Error_Listar_Carpeta(rsDirectorio);
    if (!sinAcceso.isEmpty()) {
        r.directorioExiste = false;
        r.error = QDir::cleanPath(rsDirectorio) + QStringLiteral(": ") + sinAcceso;
        return r;
    }
    QStringList archivos;
    Get_Files(archivos, rsDirectorio, QStringLiteral("*.od"), true, 0);
    r.tabla.paTipoTarea.reserve(archivos.size());
    for (const QString &archivo : archivos) {
        TTipoTarea tarea;
        int codigo = 0;
        QString error;
        QStringList lineas;
        const TLectura lectura = Leer_Lineas_Guardadas(archivo, lineas, &error);
        if (lectura == TLectura::NoExiste)
            continue;
        if (lectura == TLectura::Error) {
            r.ilegibles.append({archivo, error});
            continue;
        }
        for (QString &linea : lineas)
            linea = DesEncriptar(linea);
        codigo = Validar_Tarea(TValoresTarea(lineas), tarea);
        tarea.tsFile = archivo;
        if (codigo != 0)
            r.invalidos.append({archivo, codigo});
        else
            r.tabla.paTipoTarea.append(std::move(tarea));
    }
    return r;
}
