#pragma once
// The interface language of the process (piLenguaje: 0 English, 1 Spanish) and the
// rules that turn stored or detected values into it. Texts built at the time of use
// look at Lenguaje_Actual() each time.

#include <QString>

int Lenguaje_Actual();
void Establecer_Lenguaje(int riLenguaje);

// A stored "Language" value: exactly "1" is Spanish, any other text English.
int Lenguaje_Desde_Valor(const QString &rsValor);
// The name of the system's default language, lower-cased: English if it contains
// "english", else Spanish if it contains "spanish" or "español", else English.
int Lenguaje_Desde_Nombre_Sistema(const QString &rsNombre);
// The stored form of a language: "0" or "1".
QString Valor_De_Lenguaje(int riLenguaje);
