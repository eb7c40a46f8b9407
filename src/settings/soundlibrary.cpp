#include "soundlibrary.h"

#include "alerts/soundnames.h"
#include "platform/systeminfo.h"
#include "store/renames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

void Poner_Error(QString *fsError, const QString &rsTexto)
{
    if (fsError)
        *fsError = rsTexto;
}

QString Error_Sistema()
{
    return System_Error_Text(errno);
}

QString Canonica(const QString &rsCarpeta)
{
    return QFileInfo(rsCarpeta).canonicalFilePath();
}

// A sounds folder that is itself a symbolic link would have deletes and moves act in
// whatever it leads to: such a folder is refused as a linked file is.
bool Carpetas_Enlazadas(const TCarpetasSonidos &rCarpetas)
{
    for (const QString &carpeta : {rCarpetas.sSonidos, rCarpetas.sRestaurar})
        if (!carpeta.isEmpty() && QFileInfo(QDir::cleanPath(carpeta)).isSymLink())
            return true;
    return false;
}

QString Numerado(int riNumero)
{
    return u's' + QString::number(riNumero) + QStringLiteral(".mp3");
}

// rename(2): replaces the target name itself (a link there is replaced, not followed).
bool Mover_Reemplazando(const QString &rsOrigen, const QString &rsDestino, QString *fsError)
{
    if (::rename(QFile::encodeName(rsOrigen).constData(), QFile::encodeName(rsDestino).constData()) == 0)
        return true;
    Poner_Error(fsError, Error_Sistema());
    return false;
}

} // namespace

const QStringList &Extensiones_Sonido()
{
    static const QStringList extensiones{QStringLiteral("mp3"), QStringLiteral("wav"), QStringLiteral("wma"),
                                         QStringLiteral("aiff"), QStringLiteral("au")};
    return extensiones;
}

bool Es_Nombre_Simple(const QString &rsNombre)
{
    return !rsNombre.isEmpty() && !rsNombre.contains(QLatin1Char('/')) && !rsNombre.contains(QChar(0)) &&
           rsNombre != QLatin1String(".") && rsNombre != QLatin1String("..");
}

QString Buscar_Archivo_Sonido(const QString &rsCarpeta, const QString &rsNombre)
{
    if (!Es_Nombre_Simple(rsNombre))
        return QString();
    const QDir carpeta(rsCarpeta);
    const QFileInfo exacto(carpeta.filePath(rsNombre));
    if (exacto.isFile())
        return exacto.filePath();
    const QFileInfoList archivos = carpeta.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &f : archivos)
        if (f.fileName().compare(rsNombre, Qt::CaseInsensitive) == 0)
            return f.filePath();
    return QString();
}

bool Es_Archivo_Numerado(const QString &rsArchivo, bool rbIgnorarMayusculas, int *fiNumero)
{
    const Qt::CaseSensitivity cs = rbIgnorarMayusculas ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int n = 1; n <= MAXIMO_SONIDOS_NUMERADOS; ++n) {
        if (rsArchivo.compare(Numerado(n), cs) == 0) {
            if (fiNumero)
                *fiNumero = n;
            return true;
        }
    }
    return false;
}

QString Nombre_Mostrado_Default(const QString &rsArchivo, const QString &rsLeyenda)
{
    int n = 0;
    if (Es_Archivo_Numerado(rsArchivo, true, &n))
        return rsLeyenda + u' ' + QString::number(n);
    return rsArchivo;
}

bool Es_Sonido_Del_Sistema(const QString &rsNombreMostrado, const QString &rsLeyenda)
{
    for (int n = 1; n <= MAXIMO_SONIDOS_NUMERADOS; ++n)
        if (rsNombreMostrado == rsLeyenda + u' ' + QString::number(n))
            return true;
    return false;
}

QString Ruta_De_Nombre_Mostrado(const QString &rsCarpeta, const QString &rsNombreMostrado, const QString &rsLeyenda)
{
    return Buscar_Archivo_Sonido(rsCarpeta, Convertir_Sound_X_a_sX_mp3(rsNombreMostrado, rsLeyenda));
}

bool Llenar_Lista_Sonidos(const QString &rsCarpeta, const QString &rsLeyenda, QStringList &fLista, QString *fsError)
{
    fLista.clear();
    // Without the final "/": a file standing where the folder should be is an error.
    const QFileInfo info(QDir::cleanPath(rsCarpeta));
    if (!info.exists())
        return true;
    const QDir carpeta(rsCarpeta);
    if (!info.isDir() || !info.isReadable() || !carpeta.isReadable()) {
        Poner_Error(fsError, (info.isDir() ? System_Error_Text(EACCES) : System_Error_Text(ENOTDIR)) +
                                 QStringLiteral(": ") + rsCarpeta);
        return false;
    }
    for (int n = 1; n <= MAXIMO_SONIDOS_NUMERADOS; ++n)
        if (!Buscar_Archivo_Sonido(rsCarpeta, Numerado(n)).isEmpty())
            fLista << rsLeyenda + u' ' + QString::number(n);
    for (const QString &extension : Extensiones_Sonido()) {
        // Name filters match without regard to case unless told otherwise.
        const QFileInfoList archivos = carpeta.entryInfoList({QStringLiteral("*.") + extension}, QDir::Files,
                                                             QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo &f : archivos) {
            const QString nombre = f.fileName();
            if (extension == QLatin1String("mp3") && Es_Archivo_Numerado(nombre, true))
                continue;
            fLista << nombre.left(nombre.size() - extension.size()) + extension;
        }
    }
    return true;
}

bool Ruta_Dentro_De_Sonidos(const TCarpetasSonidos &rCarpetas, const QString &rsCarpeta, const QString &rsRuta)
{
    const QFileInfo info(rsRuta);
    if (!Es_Nombre_Simple(info.fileName()) || Carpetas_Enlazadas(rCarpetas))
        return false;
    const QString carpeta = Canonica(rsCarpeta);
    if (carpeta.isEmpty() || Canonica(info.absolutePath()) != carpeta)
        return false;
    if (!info.isSymLink())
        return true;
    // A link is followed to its end; it must end on a file in one of the two folders.
    const QString destino = info.canonicalFilePath();
    if (destino.isEmpty())
        return false;
    const QString padre = QFileInfo(destino).absolutePath();
    return QFileInfo(destino).isFile() &&
           (padre == Canonica(rCarpetas.sSonidos) || padre == Canonica(rCarpetas.sRestaurar));
}

TResultadoSonido Agregar_Archivo_Sonido(const TCarpetasSonidos &rCarpetas, const QString &rsOrigen,
                                        QString &fsNombre, QString *fsError)
{
    const QString nombre = QFileInfo(rsOrigen).fileName();
    if (!Es_Nombre_Simple(nombre) || Carpetas_Enlazadas(rCarpetas))
        return TResultadoSonido::Fuera;
    const QString destino = QDir(rCarpetas.sSonidos).filePath(nombre);
    if (!Buscar_Archivo_Sonido(rCarpetas.sSonidos, nombre).isEmpty() || QFileInfo(destino).isSymLink() ||
        QFileInfo::exists(destino))
        return TResultadoSonido::Existe;

    QFile origen(rsOrigen);
    if (!QFileInfo(rsOrigen).isFile() || !origen.open(QIODevice::ReadOnly)) {
        Poner_Error(fsError, QFileInfo(rsOrigen).isDir() ? System_Error_Text(EISDIR) : origen.errorString());
        return TResultadoSonido::Error;
    }
    if (!QDir().mkpath(rCarpetas.sSonidos)) {
        Poner_Error(fsError, System_Error_Text(ENOENT) + QStringLiteral(": ") + rCarpetas.sSonidos);
        return TResultadoSonido::Error;
    }
    // The copy is written under a temporary name, which then claims the real name without
    // ever replacing a file that appeared meanwhile (the reminder files' own way, with its
    // fallbacks for file systems without hard links).
    QTemporaryFile temporal(QDir(rCarpetas.sSonidos).filePath(QStringLiteral(".kestrin-copy.XXXXXX")));
    if (!temporal.open()) {
        Poner_Error(fsError, temporal.errorString());
        return TResultadoSonido::Error;
    }
    char bloque[65536];
    QByteArray contenido; // for the last fallback, which writes the name itself
    for (;;) {
        const qint64 leidos = origen.read(bloque, sizeof bloque);
        if (leidos < 0) {
            Poner_Error(fsError, origen.errorString());
            return TResultadoSonido::Error;
        }
        if (leidos == 0)
            break;
        contenido.append(bloque, leidos);
        if (temporal.write(bloque, leidos) != leidos) {
            Poner_Error(fsError, temporal.errorString());
            return TResultadoSonido::Error;
        }
    }
    if (!temporal.flush()) {
        Poner_Error(fsError, temporal.errorString());
        return TResultadoSonido::Error;
    }
    // Others on a shared install must be able to hear it.
    temporal.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                            QFileDevice::ReadOther);
    QString error;
    switch (Reclamar_Nombre(temporal.fileName(), contenido, destino, &error)) {
    case TReclamo::Ok:
        temporal.setAutoRemove(false); // its name is free again
        break;
    case TReclamo::Ocupado:
        return TResultadoSonido::Existe;
    case TReclamo::Error:
        Poner_Error(fsError, error);
        return TResultadoSonido::Error;
    }

    fsNombre = nombre;
    return TResultadoSonido::Ok;
}

TResultadoSonido Retirar_Sonido_Del_Sistema(const TCarpetasSonidos &rCarpetas, const QString &rsRuta, int riNumero,
                                            QString *fsError)
{
    if (riNumero < 1 || riNumero > MAXIMO_SONIDOS_NUMERADOS ||
        !Ruta_Dentro_De_Sonidos(rCarpetas, rCarpetas.sSonidos, rsRuta))
        return TResultadoSonido::Fuera;
    if (!QDir().mkpath(rCarpetas.sRestaurar) || !QFileInfo(rCarpetas.sRestaurar).isDir())
        return TResultadoSonido::SinCarpeta;
    const QString destino = QDir(rCarpetas.sRestaurar).filePath(Numerado(riNumero));
    return Mover_Reemplazando(rsRuta, destino, fsError) ? TResultadoSonido::Ok : TResultadoSonido::Error;
}

TResultadoSonido Borrar_Archivo_Sonido(const TCarpetasSonidos &rCarpetas, const QString &rsRuta, QString *fsError)
{
    if (!Ruta_Dentro_De_Sonidos(rCarpetas, rCarpetas.sSonidos, rsRuta))
        return TResultadoSonido::Fuera;
    // unlink(2) removes a link itself, never what it points to.
    if (::unlink(QFile::encodeName(rsRuta).constData()) == 0)
        return TResultadoSonido::Ok;
    Poner_Error(fsError, Error_Sistema());
    return TResultadoSonido::Error;
}

TResultadoRestaurar Restaurar_Sonidos_Del_Sistema(const TCarpetasSonidos &rCarpetas)
{
    TResultadoRestaurar r;
    const QDir restaurar(rCarpetas.sRestaurar);
    const QFileInfoList archivos =
        restaurar.entryInfoList({QStringLiteral("*.mp3")}, QDir::Files | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &f : archivos) {
        if (!Es_Archivo_Numerado(f.fileName(), false))
            continue;
        ++r.iManejados;
        QString error;
        if (!Ruta_Dentro_De_Sonidos(rCarpetas, rCarpetas.sRestaurar, f.filePath())) {
            r.aErrores << System_Error_Text(EPERM) + u'\r' + f.filePath();
            continue;
        }
        if (!QDir().mkpath(rCarpetas.sSonidos)) {
            r.aErrores << System_Error_Text(ENOENT) + u'\r' + f.filePath();
            continue;
        }
        if (!Mover_Reemplazando(f.filePath(), QDir(rCarpetas.sSonidos).filePath(f.fileName()), &error))
            r.aErrores << error + u'\r' + f.filePath();
    }
    return r;
}
