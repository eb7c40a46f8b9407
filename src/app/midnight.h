#pragma once
// When the list's "Today" / "Tomorrow" texts go stale: the next local midnight.

#include <QDateTime>

// Milliseconds from rAhora to the start of the next local calendar day (at least 1).
// A day that starts at 01:00 because of a clock change starts then.
qint64 Ms_Hasta_Medianoche(const QDateTime &rAhora);
