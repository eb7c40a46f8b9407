#include "midnight.h"

#include <algorithm>

qint64 Ms_Hasta_Medianoche(const QDateTime &rAhora)
{
    const QDateTime local = rAhora.toLocalTime();
    // startOfDay gives the first valid moment of the day where midnight does not exist.
    const QDateTime inicio = local.date().addDays(1).startOfDay();
    return std::max<qint64>(1, local.msecsTo(inicio));
}
