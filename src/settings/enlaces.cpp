#include "settings/enlaces.h"

#include "platform/desktopopen.h"
#include "platform/folders.h"
#include "report/eventlog.h"
#include "report/messagebox.h"
#include "settings/sitioweb.h"
#include "settings/visorarchivo.h"
#include "texts/errortexts.h"
#include "texts/language.h"

#include <QFileInfo>
#include <QUrl>
#include <QWidget>

static bool Abrir_O_Informar(const QUrl &rUrl, TErrorPrincipal rError, QWidget *rOwner)
{
    const QString error = Abrir_Con_Escritorio(rUrl);
    if (error.isEmpty())
        return true;
    // No desktop program took a file that is there and readable (no xdg-open, nothing
    // registered for its type): Kestrin shows it itself before giving up.
    if (rUrl.isLocalFile() && QFileInfo(rUrl.toLocalFile()).isReadable() &&
        Mostrar_Archivo_En_Ventana(rUrl.toLocalFile(), rOwner))
        return true;
    MessageBoxBeep(rOwner, Texto_Error_Principal(rError, error), Caption_Error(), MB_OK);
    return false;
}

bool Load_URL(const QString &rsURL, QWidget *rOwner)
{
    // Strict parsing: a malformed address is reported, not silently "repaired".
    return Abrir_O_Informar(QUrl(rsURL, QUrl::StrictMode), TErrorPrincipal::E201, rOwner);
}

bool Abrir_Pagina_Web(QWidget *rOwner)
{
    return Load_URL(URL_Pagina_Principal(Lenguaje_Actual()), rOwner);
}

bool Abrir_Pagina_IPhone(QWidget *rOwner)
{
    return Load_URL(URL_Pagina_IPhone(Lenguaje_Actual()), rOwner);
}

QString Archivo_Ayuda(int riLenguaje)
{
    return Carpeta_Compartida() + (riLenguaje == 1 ? QStringLiteral("help/es/index.html") : QStringLiteral("help/en/index.html"));
}

bool Ver_Ayuda(QWidget *rOwner)
{
    return Abrir_O_Informar(QUrl::fromLocalFile(Archivo_Ayuda(Lenguaje_Actual())), TErrorPrincipal::E216, rOwner);
}

bool Ver_Log(QWidget *rOwner)
{
    const QString ruta = Ruta_Log();
    const QUrl url = ruta.isEmpty() ? QUrl() : QUrl::fromLocalFile(ruta);
    return Abrir_O_Informar(url, TErrorPrincipal::E217, rOwner);
}

QString Texto_Sin_Correo(int riLenguaje)
{
    if (riLenguaje == 1)
        return QStringLiteral("No se encontró el programa de correos predeterminado. Por favor envíanos un correo a ")
               + Correo_Soporte(1);
    return QStringLiteral("Can't find default mail client. Please send us an email to ") + Correo_Soporte(0);
}

bool Escribir_Correo(QWidget *rOwner)
{
    const int lenguaje = Lenguaje_Actual();
    if (Abrir_Con_Escritorio(QUrl(URL_Correo(lenguaje))).isEmpty())
        return true;
    MessageBoxBeep(rOwner, Texto_Sin_Correo(lenguaje), Caption_Error(), MB_OK);
    return false;
}
