#pragma once
// Test support: a fresh set of XDG folders (and Kestrin's common folder) under a
// temporary directory, pointed at by the environment while the object lives.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

class TCarpetasXdgTemporales {
public:
    TCarpetasXdgTemporales()
    {
        Guardar("XDG_CONFIG_HOME");
        Guardar("XDG_CONFIG_DIRS");
        Guardar("XDG_DATA_HOME");
        Guardar("KESTRIN_COMMON_DIR");
        QDir().mkpath(Config());
        QDir().mkpath(Sistema1());
        QDir().mkpath(Sistema2());
        QDir().mkpath(Datos());
        QDir().mkpath(Comun());
        qputenv("XDG_CONFIG_HOME", Config().toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", (Sistema1() + QLatin1Char(':') + Sistema2()).toLocal8Bit());
        qputenv("XDG_DATA_HOME", Datos().toLocal8Bit());
        qputenv("KESTRIN_COMMON_DIR", Comun().toLocal8Bit());
    }
    ~TCarpetasXdgTemporales()
    {
        // Folders a test made read-only must be writable again to be removed.
        Permitir(pDir.path());
        for (const auto &[nombre, valor] : paAnteriores) {
            if (valor.isNull())
                qunsetenv(nombre.constData());
            else
                qputenv(nombre.constData(), valor);
        }
    }

    QString Raiz() const { return pDir.path(); }
    QString Config() const { return pDir.path() + QStringLiteral("/config"); }
    QString Sistema1() const { return pDir.path() + QStringLiteral("/xdg1"); }
    QString Sistema2() const { return pDir.path() + QStringLiteral("/xdg2"); }
    QString Datos() const { return pDir.path() + QStringLiteral("/data"); }
    QString Comun() const { return pDir.path() + QStringLiteral("/common"); }
    QString Archivo_Usuario() const { return Config() + QStringLiteral("/Kestrin/Kestrin.conf"); }
    QString Autostart() const { return Config() + QStringLiteral("/autostart/Kestrin.desktop"); }

    static bool Es_Root() { return geteuid() == 0; }

    static void Escribir(const QString &rsRuta, const QByteArray &rContenido)
    {
        QDir().mkpath(QFileInfo(rsRuta).absolutePath());
        QFile f(rsRuta);
        if (f.open(QIODevice::WriteOnly))
            f.write(rContenido);
    }
    static QByteArray Leer(const QString &rsRuta)
    {
        QFile f(rsRuta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A folder nobody can create: a plain file stands where the folder should be. This
    // blocks writes even for root, who ignores permissions.
    static void Bloquear_Con_Archivo(const QString &rsCarpeta)
    {
        QDir(rsCarpeta).removeRecursively();
        QDir().mkpath(QFileInfo(rsCarpeta).absolutePath());
        Escribir(rsCarpeta, "not a folder");
    }
    static void Solo_Lectura(const QString &rsRuta)
    {
        QFile::setPermissions(rsRuta, QFile::ReadOwner | QFile::ExeOwner);
    }

private:
    void Guardar(const char *rsNombre)
    {
        paAnteriores.append({QByteArray(rsNombre), qEnvironmentVariableIsSet(rsNombre) ? qgetenv(rsNombre) : QByteArray()});
    }
    static void Permitir(const QString &rsRuta)
    {
        QFile::setPermissions(rsRuta, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QFileInfoList hijos = QDir(rsRuta).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QFileInfo &hijo : hijos) {
            if (hijo.isDir() && !hijo.isSymLink())
                Permitir(hijo.filePath());
            else
                QFile::setPermissions(hijo.filePath(), QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    QTemporaryDir pDir;
    QList<QPair<QByteArray, QByteArray>> paAnteriores;
};
