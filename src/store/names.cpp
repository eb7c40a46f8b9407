#include "names.h"

const std::array<QString, 13> asMesesIngles = {
    QString(), QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
    QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"), QStringLiteral("July"),
    QStringLiteral("August"), QStringLiteral("September"), QStringLiteral("October"),
    QStringLiteral("November"), QStringLiteral("December")};

const std::array<QString, 13> asMesesEspanol = {
    QString(), QStringLiteral("Enero"), QStringLiteral("Febrero"), QStringLiteral("Marzo"),
    QStringLiteral("Abril"), QStringLiteral("Mayo"), QStringLiteral("Junio"), QStringLiteral("Julio"),
    QStringLiteral("Agosto"), QStringLiteral("Septiembre"), QStringLiteral("Octubre"),
    QStringLiteral("Noviembre"), QStringLiteral("Diciembre")};

const std::array<QString, 8> asDiasIngles = {
    QString(), QStringLiteral("Monday"), QStringLiteral("Tuesday"), QStringLiteral("Wednesday"),
    QStringLiteral("Thursday"), QStringLiteral("Friday"), QStringLiteral("Saturday"),
    QStringLiteral("Sunday")};

const std::array<QString, 8> asDiasEspanol = {
    QString(), QStringLiteral("Lunes"), QStringLiteral("Martes"), QStringLiteral("Miércoles"),
    QStringLiteral("Jueves"), QStringLiteral("Viernes"), QStringLiteral("Sábado"),
    QStringLiteral("Domingo")};
