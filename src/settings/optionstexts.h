#pragma once
// The options dialog's texts in both languages and its snooze list, without a window,
// so the rules are tested headless.

#include <QString>
#include <QStringList>

#include <array>

struct TTextosOpciones {
    QString sTitulo;
    QString LabelCambiarLenguaje;
    QString CheckBoxStartWithWindows;
    QString CheckBoxWakeUp;
    QString BitBtnWakeTimers;
    QString LabelNotaTemporizadores; // shown while the wake setting cannot be read here
    QString LabelMensajeDesktopAlert;
    QString RadioButtonSegundos;
    QString RadioButtonPermanente;
    QString LabelSnooze;
    QString LabelFont;
    QString LabelTextoDeEjemplo;
    QString CheckBoxNotificaciones;
    QString BitBtnAceptar;
    QString BitBtnCancelar;
    QString sSegundosInvalidos; // the refusal of the seconds on OK
};

// The table of a language: 1 Spanish, any other value English.
const TTextosOpciones &Textos_Opciones(int riLenguaje);

// The two items of the language list, the same in both languages.
QStringList Items_Lenguaje();

// The minutes of the snooze list, in order; the tenth (10 minutes) is the fallback.
inline constexpr std::array<int, 16> aiMinutosSnooze = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 30, 40, 50, 60};
inline constexpr int INDICE_SNOOZE_10 = 9;

// "1 Minute", "2 Minutes" ... "60 Minutes" (Spanish "1 Minuto", "2 Minutos" ...).
QStringList Items_Snooze(int riLenguaje);
// An entry's value: the text before its first blank as an integer; 10 when unreadable.
int Valor_Snooze(const QString &rsItem);
// The position of the first entry worth riMinutos; the 10-minute entry when none is.
int Indice_Snooze(int riMinutos);

// The seconds typed for the popup: trimmed, a decimal integer greater than 0 that fits
// the setting (at most 99999, what the edit box holds); false otherwise.
bool Leer_Segundos(const QString &rsTexto, int &fiSegundos);
