#include "registry.h"

#include "report/messagebox.h"
#include "platform/autostart.h"
#include "platform/configpaths.h"
#include "platform/inifile.h"

#include <QCoreApplication>
#include <QSysInfo>

namespace {

bool Raiz_Valida(THKey riQuien)
{
    if (riQuien == HKEY_CURRENT_USER || riQuien == HKEY_LOCAL_MACHINE)
        return true;
    MessageBoxBeep(nullptr, QStringLiteral("Error registry"), Caption_Error(), MB_OK);
    return false;
}

QString Leer_Ini(const QString &rsArchivo, const QString &rsNombre, const QString &rsDefault, bool &fbAbierta)
{
    QString valor;
    switch (Ini_Read(rsArchivo, rsNombre, valor)) {
    case IniRead::Value:
        fbAbierta = true;
        return valor;
    case IniRead::Missing:
        fbAbierta = true;
        return {};
    case IniRead::NotText:
        fbAbierta = true;
        return rsDefault;
    case IniRead::NoFile:
        break;
    }
    fbAbierta = false;
    return rsDefault;
}

QString Leer_Autostart(const QString &rsArchivo, const QString &rsDefault, bool &fbAbierta)
{
    QString valor;
    fbAbierta = true; // the session's autostart folder always counts as there
    switch (Autostart_Read(rsArchivo, valor)) {
    case AutostartRead::Value:
        return valor;
    case AutostartRead::Missing:
        return {};
    case AutostartRead::Error:
        break;
    }
    return rsDefault;
}

} // namespace

QString Leer_Registry(THKey riQuien, int riLlave, const QString &rsNombreKey, const QString &rsDefault)
{
    if (!Raiz_Valida(riQuien))
        return {};
    bool abierta = false;
    if (riQuien == HKEY_CURRENT_USER) {
        if (riLlave == LLAVE_RUN)
            return Leer_Autostart(User_Autostart_File(rsNombreKey), rsDefault, abierta);
        return Leer_Ini(User_Settings_File(), rsNombreKey, rsDefault, abierta);
    }
    // Machine-wide: the most important folder that holds the value wins.
    bool algunaAbierta = false;
    const QStringList archivos =
        riLlave == LLAVE_RUN ? System_Autostart_Files(rsNombreKey) : System_Settings_Files();
    for (const QString &archivo : archivos) {
        const QString valor = riLlave == LLAVE_RUN ? Leer_Autostart(archivo, rsDefault, abierta)
                                                   : Leer_Ini(archivo, rsNombreKey, rsDefault, abierta);
        algunaAbierta = algunaAbierta || abierta;
        if (abierta && !valor.isEmpty())
            return valor;
    }
    return algunaAbierta ? QString() : rsDefault;
}

void Grabar_Registry(THKey riQuien, int riLlave, const QString &rsNombreKey, const QString &rsValorAGrabar)
{
    if (!Raiz_Valida(riQuien) || riQuien != HKEY_CURRENT_USER)
        return; // the machine-wide settings are read only for Kestrin
    if (riLlave == LLAVE_RUN)
        Autostart_Write(User_Autostart_File(rsNombreKey), rsValorAGrabar);
    else
        Ini_Write(User_Settings_File(), rsNombreKey, rsValorAGrabar);
}

void Borrar_Registry(THKey riQuien, int riLlave, const QString &rsNombreKey)
{
    if (!Raiz_Valida(riQuien) || riQuien != HKEY_CURRENT_USER)
        return;
    if (riLlave == LLAVE_RUN)
        Autostart_Delete(User_Autostart_File(rsNombreKey));
    else
        Ini_Delete(User_Settings_File(), rsNombreKey);
}

bool Aviso_Pendiente(const QString &rsNombre)
{
    const QString marca = QString::fromLatin1(QSysInfo::machineUniqueId()) + QLatin1Char(' ') +
                          QCoreApplication::applicationVersion();
    if (Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, rsNombre, QString()) == marca)
        return false;
    Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, rsNombre, marca);
    return true;
}
