#pragma once
// Month and weekday names, index 1..12 and 1 (Monday)..7; index 0 is empty.

#include <QString>
#include <array>

extern const std::array<QString, 13> asMesesIngles;
extern const std::array<QString, 13> asMesesEspanol;
extern const std::array<QString, 8> asDiasIngles;
extern const std::array<QString, 8> asDiasEspanol;
