#pragma once
// One blocking HTTP GET with libcurl, for the update check. Safe to call from any
// thread; it never throws.

#include <QString>

struct TRespuestaHttp {
    bool bExito = false;
    QString sCuerpo; // the reply body (UTF-8) when bExito
    QString sError;  // the failure's own message otherwise
};

// Gets rsURL, giving up after riTiempoLimiteMs (connecting and reading together). HTTP
// error statuses (400 and above) are failures. Only http and https are allowed, also for
// redirects; a body larger than 64 KiB is refused: a version number is a few bytes.
TRespuestaHttp Obtener_Http(const QString &rsURL, int riTiempoLimiteMs);
