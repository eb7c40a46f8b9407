#include "settingsload.h"

#include "texts/language.h"
#include "registry.h"
#include "store/textforms.h"

#include <QFileInfo>

QString Datos_Inicio_Con_Sistema(const QString &rsEjecutable)
{
    return QLatin1Char('"') + rsEjecutable + QStringLiteral("\" silent");
}

namespace {

QString Leer(THKey riQuien, const QString &rsNombre)
{
    return Leer_Registry(riQuien, LLAVE_KESTRIN, rsNombre, QString());
}

const QString kLanguage = QStringLiteral("Language");

} // namespace

int Cargar_Lenguaje(const QString &rsNombreIdiomaSistema)
{
    QString valor = Leer(HKEY_CURRENT_USER, kLanguage);
    if (valor.isEmpty()) {
        const QString comun = Leer(HKEY_LOCAL_MACHINE, kLanguage);
        if (!comun.isEmpty())
            Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, kLanguage, comun);
        valor = Leer(HKEY_CURRENT_USER, kLanguage);
    }
    int lenguaje;
    if (!valor.isEmpty()) {
        lenguaje = Lenguaje_Desde_Valor(valor);
    } else {
        lenguaje = Lenguaje_Desde_Nombre_Sistema(rsNombreIdiomaSistema);
        Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, kLanguage, Valor_De_Lenguaje(lenguaje));
    }
    Establecer_Lenguaje(lenguaje);
    return lenguaje;
}

int Leer_Lenguaje_Sin_Grabar(const QString &rsNombreIdiomaSistema)
{
    QString valor = Leer(HKEY_CURRENT_USER, kLanguage);
    if (valor.isEmpty())
        valor = Leer(HKEY_LOCAL_MACHINE, kLanguage);
    if (!valor.isEmpty())
        return Lenguaje_Desde_Valor(valor);
    return Lenguaje_Desde_Nombre_Sistema(rsNombreIdiomaSistema);
}

bool Convertir_WakeUpComputer(const QString &rsValor)
{
    return rsValor != QLatin1String("0");
}

bool Convertir_PermanentAlert(const QString &rsValor)
{
    return rsValor == QLatin1String("1");
}

int Convertir_WaitTimeAlert(const QString &rsValor)
{
    qint32 valor = 0;
    if (!Leer_Entero(rsValor, valor) || valor < 1 || valor > 99999)
        return 10;
    return valor;
}

int Convertir_SnoozeTime(const QString &rsValor)
{
    qint32 valor = 0;
    if (!Leer_Entero(rsValor, valor))
        return 10;
    return valor;
}

QString Elegir_Fuente(const QString &rsValor, const TFuentesEscritorio &rFuentes)
{
    const auto instalada = [&](const QString &rsFamilia) {
        return !rsFamilia.isEmpty() && rFuentes.aInstaladas.contains(rsFamilia, Qt::CaseInsensitive) &&
               !(rFuentes.De_Simbolos && rFuentes.De_Simbolos(rsFamilia));
    };
    const QString fuente = rsValor.isEmpty() ? QStringLiteral("Segoe UI") : rsValor;
    if (instalada(fuente))
        return fuente;
    if (rFuentes.Sustituta) {
        const QString sustituta = rFuentes.Sustituta(fuente);
        if (instalada(sustituta))
            return sustituta;
    }
    if (instalada(rFuentes.sGeneral))
        return rFuentes.sGeneral;
    for (const QString &f : rFuentes.aInstaladas)
        if (instalada(f))
            return f;
    return fuente; // nothing installed to choose from: the name, for Qt to do what it can
}

void Cargar_Configuracion(TConfiguracion &fConfig, const QString &rsEjecutable, const TFuentesEscritorio &rFuentes)
{
    fConfig.psDefaultSound = Leer(HKEY_CURRENT_USER, QStringLiteral("DefaultSound"));
    if (fConfig.psDefaultSound.isEmpty()) {
        fConfig.psDefaultSound = QStringLiteral("s1.mp3");
        Grabar_Registry(HKEY_CURRENT_USER, LLAVE_KESTRIN, QStringLiteral("DefaultSound"), fConfig.psDefaultSound);
    }
    const QString inicio = Leer_Registry(HKEY_CURRENT_USER, LLAVE_RUN, QStringLiteral("Kestrin"), QString());
    // An entry written by an earlier version names the program behind the bin/ link; it
    // starts the same program, so it counts as on, and the next save of the options
    // writes the link's entry over it.
    const QString destino = QFileInfo(rsEjecutable).canonicalFilePath();
    fConfig.pbStartWithWindows = inicio == Datos_Inicio_Con_Sistema(rsEjecutable)
                                 || (!destino.isEmpty() && inicio == Datos_Inicio_Con_Sistema(destino));
    fConfig.pbWakeUpComputer = Convertir_WakeUpComputer(Leer(HKEY_CURRENT_USER, QStringLiteral("WakeUpComputer")));
    fConfig.piDesktopAlertDuracion = Convertir_WaitTimeAlert(Leer(HKEY_CURRENT_USER, QStringLiteral("WaitTimeAlert")));
    fConfig.pbDesktopAlertPermanent = Convertir_PermanentAlert(Leer(HKEY_CURRENT_USER, QStringLiteral("PermanentAlert")));
    fConfig.piDefaultSnoozeTime = Convertir_SnoozeTime(Leer(HKEY_CURRENT_USER, QStringLiteral("SnoozeTime")));
    fConfig.psFontGuardada = Leer(HKEY_CURRENT_USER, QStringLiteral("Font"));
    fConfig.psFontMensaje = Elegir_Fuente(fConfig.psFontGuardada, rFuentes);
    fConfig.pbDesktopNotifications = Leer(HKEY_CURRENT_USER, QStringLiteral("DesktopNotifications")) == u"1";
}
