#pragma once
// The text forms of numbers, dates and times used in reminder files and on screen.
// None of them depends on the user's locale.

#include <QString>

// File form of a day count: "40520.4375" without its decimal point, "405204375".
QString Float_To_Str_Sin_Punto(double rdValor);
// True when the file form of rdValor reads back as the same value: 0, every date from
// 1927-05-18 to 2173-10-13 (five integer digits), and the few small values whose text
// has at most five characters. Writers refuse every other value.
bool Fecha_Se_Puede_Grabar(double rdValor);
// The reverse; -1.0 when the text does not read as a number.
double Str_To_Float_Sin_Punto(const QString &rsCadena);
double Str_To_Float_Sin_Punto(QStringView rsCadena);

// Date of rdFecha with the time of day of rdHora (to the second).
double Obtener_Fecha_Hora(double rdFecha, double rdHora);

// "08:05", or with rbAMPM "08:05 AM".
QString Convertir_Fecha_a_HHMM(double rdFecha, bool rbAMPM);
// "05:15 PM" -> "17:15"; unreadable texts give "12:00".
QString Convertir_HHMMAMPM_a_HHMM(const QString &rsCadena);
// Date of raFecha at the 24-hour time "HH:MM" (or "H:MM"); 0 when unreadable.
double Convertir_HHMM_a_Fecha(const QString &rsCadena, double raFecha);

// Returns the text before the first rsSigno and leaves the rest in fsCadena.
QString Extraer_Cadena_Hasta_Signo(QString &fsCadena, QChar rsSigno);

// A whole number in decimal, padded on the left with "0" to riAncho.
QString Numero_Con_Ceros(qint64 riNumero, int riAncho);

// fbHay[n] (n from 1 to riMaximo, at most 99) tells whether a list of months or days
// (",01,06,32,") holds n as ",NN," anywhere; fbHay[0] is false.
void Numeros_De_Lista(const QString &rsLista, bool *fbHay, int riMaximo);

// Display text of a date-time. riLenguaje 0 English, 1 Spanish.
QString Convertir_FechaHora_a_Cadena(double rdFecha, const QString &rsSeparador, bool rbIncluirFecha,
                                     bool rbIncluirHora, bool rbSegundos, bool rbDosDigitosHora,
                                     bool rbAyerHoyManiana, int riLenguaje);

// Trim of leading and trailing blanks and control characters (code <= 32).
QString Recortar(const QString &rsCadena);
QString Recortar(QStringView rsCadena);
QStringView Recortar_Vista(QStringView rsCadena); // the same without a copy
// A trimmed decimal integer in the 32-bit range, an optional sign allowed.
bool Leer_Entero(const QString &rsCadena, qint32 &fiValor);
bool Leer_Entero(QStringView rsCadena, qint32 &fiValor);
// Two texts compared ignoring the case of the letters A to Z only: negative, 0 or positive.
int Comparar_Ignorando_AZ(QStringView rsCadena1, QStringView rsCadena2);
