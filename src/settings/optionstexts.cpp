#include "optionstexts.h"

#include "store/textforms.h"

namespace {

TTextosOpciones Ingles()
{
    TTextosOpciones t;
    t.sTitulo = QStringLiteral("Options");
    t.LabelCambiarLenguaje = QStringLiteral("Change Language");
    t.CheckBoxStartWithWindows = QStringLiteral("Automatically run Kestrin when the computer starts");
    t.CheckBoxWakeUp = QStringLiteral("Wake up computer from sleep mode or hibernation");
    t.BitBtnWakeTimers = QStringLiteral("Enable/Disable Wake Timers");
    t.LabelNotaTemporizadores = QStringLiteral("(Not available on this computer)");
    t.LabelMensajeDesktopAlert = QStringLiteral("How long the message on the system tray stays on the screen");
    t.RadioButtonSegundos = QStringLiteral("Seconds");
    t.RadioButtonPermanente = QStringLiteral("Permanent");
    t.LabelSnooze = QStringLiteral("Default snooze time");
    t.LabelFont = QStringLiteral("Font for reminder messages");
    t.LabelTextoDeEjemplo = QStringLiteral("Sample Text");
    t.CheckBoxNotificaciones = QStringLiteral("Show reminders as desktop notifications");
    t.BitBtnAceptar = QStringLiteral("OK");
    t.BitBtnCancelar = QStringLiteral("Cancel");
    t.sSegundosInvalidos = QStringLiteral("Please enter a number greater than 0");
    return t;
}

TTextosOpciones Espanol()
{
    TTextosOpciones t;
    t.sTitulo = QStringLiteral("Opciones");
    t.LabelCambiarLenguaje = QStringLiteral("Cambiar Idioma");
    t.CheckBoxStartWithWindows = QStringLiteral("Ejecutar Kestrin automáticamente cuando inicia su computadora");
    t.CheckBoxWakeUp = QStringLiteral("Despertar computadora del modo de suspensión o de hibernación");
    t.BitBtnWakeTimers = QStringLiteral("Habilitar/Deshabilitar Temporizadores");
    t.LabelNotaTemporizadores = QStringLiteral("(No disponible en esta computadora)");
    t.LabelMensajeDesktopAlert = QStringLiteral("Cuanto tiempo permanece el mensaje en la bandeja del sistema");
    t.RadioButtonSegundos = QStringLiteral("Segundos");
    t.RadioButtonPermanente = QStringLiteral("Permanente");
    t.LabelSnooze = QStringLiteral("Tiempo a posponer (Snooze)");
    t.LabelFont = QStringLiteral("Tipo de letra para los mensajes de alerta");
    t.LabelTextoDeEjemplo = QStringLiteral("Texto de Ejemplo");
    t.CheckBoxNotificaciones = QStringLiteral("Mostrar los recordatorios como notificaciones del escritorio");
    t.BitBtnAceptar = QStringLiteral("Aceptar");
    t.BitBtnCancelar = QStringLiteral("Cancelar");
    t.sSegundosInvalidos = QStringLiteral("Por favor escribe un número mayor a 0");
    return t;
}

} // namespace

const TTextosOpciones &Textos_Opciones(int riLenguaje)
{
    static const TTextosOpciones ingles = Ingles();
    static const TTextosOpciones espanol = Espanol();
    return riLenguaje == 1 ? espanol : ingles;
}

QStringList Items_Lenguaje()
{
    return {QStringLiteral("English"), QStringLiteral("Español")};
}

QStringList Items_Snooze(int riLenguaje)
{
    const QString uno = riLenguaje == 1 ? QStringLiteral(" Minuto") : QStringLiteral(" Minute");
    const QString varios = riLenguaje == 1 ? QStringLiteral(" Minutos") : QStringLiteral(" Minutes");
    QStringList items;
    for (const int minutos : aiMinutosSnooze)
        items << QString::number(minutos) + (minutos == 1 ? uno : varios);
    return items;
}

int Valor_Snooze(const QString &rsItem)
{
    qint32 valor = 0;
    return Leer_Entero(rsItem.section(QLatin1Char(' '), 0, 0), valor) ? valor : 10;
}

int Indice_Snooze(int riMinutos)
{
    for (int i = 0; i < int(aiMinutosSnooze.size()); ++i)
        if (aiMinutosSnooze[i] == riMinutos)
            return i;
    return INDICE_SNOOZE_10;
}

bool Leer_Segundos(const QString &rsTexto, int &fiSegundos)
{
    qint32 valor = 0;
    const QString texto = rsTexto.trimmed();
    if (!Leer_Entero(texto, valor) || valor <= 0 || valor > 99999)
        return false;
    fiSegundos = valor;
    return true;
}
