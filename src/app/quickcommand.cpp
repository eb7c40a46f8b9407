#include "quickcommand.h"

#include "commandline.h"

#include "platform/bus.h"
#include "platform/folders.h"
#include "platform/systeminfo.h"
#include "settings/quickreminderfile.h"
#include "settings/registry.h"
#include "settings/settingsload.h"
#include "store/daycount.h"
#include "store/textforms.h"
#include "texts/errortexts.h"

#include <QCommandLineParser>
#include <QTextStream>

bool Leer_Minutos_Rapido(const QString &rsTexto, int &fiMinutos)
{
    const QString texto = rsTexto.trimmed();
    if (texto.isEmpty())
        return false;
    for (const QChar c : texto)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    bool ok = false;
    const qint64 minutos = texto.toLongLong(&ok);
    if (!ok || minutos < 1 || minutos > MAXIMO_MINUTOS_RAPIDO)
        return false;
    fiMinutos = int(minutos);
    return true;
}

int Crear_Recordatorio_Rapido(const QString &rsMinutos, const QString &rsMensaje, const QString &rsCarpetaDatos,
                              const QString &rsCarpetaSonidos, const QString &rsDefaultSound, int riLenguaje,
                              double rdAhora, QTextStream &fSalida, QTextStream &fErrores)
{
    int minutos = 0;
    if (!Leer_Minutos_Rapido(rsMinutos, minutos)) {
        fErrores << "Invalid number of minutes: \"" << rsMinutos << "\". Give a whole number from 1 to "
                 << MAXIMO_MINUTOS_RAPIDO << " (five years).\n";
        return 2;
    }
    TRecordatorioRapido datos;
    datos.iLenguaje = riLenguaje;
    datos.sMensaje = rsMensaje;
    datos.dInicio = Inicio_Recordatorio_Rapido(rdAhora, minutos);
    datos.bAutoDelete = true;
    datos.bSonido = true;
    QString archivo, error;
    switch (Grabar_Recordatorio_Rapido(rsCarpetaDatos, rsCarpetaSonidos, rsDefaultSound, datos, rdAhora, archivo,
                                       &error)) {
    case TGrabacionRapida::SinCarpeta:
        fErrores << Texto_Sin_Acceso_Directorio(0, rsCarpetaDatos) << '\n';
        return 1;
    case TGrabacionRapida::Error:
        fErrores << "Error 701 - " << error << '\n';
        return 1;
    case TGrabacionRapida::Ok:
        break;
    }
    const double inicio = Obtener_Fecha_Hora(datos.dInicio, datos.dInicio);
    fSalida << "Quick reminder written to " << archivo << '\n'
            << "It fires on " << Convertir_FechaHora_a_Cadena(inicio, QStringLiteral(" at "), true, true, true, false, false, 0)
            << '\n';
    fSalida.flush();
    return 0;
}

QString Sonido_Default_Guardado()
{
    const QString sonido = Leer_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("DefaultSound"), QString());
    return sonido.isEmpty() ? QStringLiteral("s1.mp3") : sonido;
}

int Ejecutar_Opcion_Rapido(const QCommandLineParser &rParser)
{
    QTextStream salida(stdout);
    QTextStream errores(stderr);
    if (!rParser.isSet(kOpcionIn)) {
        errores << "--message goes with --in.\n";
        return 2;
    }
    if (!Una_Sola_Accion(rParser, errores))
        return 2;
    const TCarpetas carpetas = Calcular_Carpetas();
    const QString sonido = Sonido_Default_Guardado();
    const int estado =
        Crear_Recordatorio_Rapido(rParser.value(kOpcionIn), rParser.value(kOpcionMessage), carpetas.psAppDataSystemLocal,
                                  carpetas.psAppDataSoundsAllUsers, sonido,
                                  Leer_Lenguaje_Sin_Grabar(System_Language_Name()), Ahora(), salida, errores);
    // A running Kestrin picks the new file up at once; without one it is read at start.
    if (estado == 0)
        Broadcast_Message(QString::fromLatin1(MSG_KESTRIN_READ_FILES));
    return estado;
}
