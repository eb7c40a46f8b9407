#include "settings/httpget.h"

#include <curl/curl.h>

#include <mutex>
#include <string>

namespace {

constexpr size_t TAMANO_MAXIMO = 64 * 1024;

struct TRecibido {
    std::string sDatos;
    bool bDemasiado = false;
};

size_t Recibir(char *rDatos, size_t riTamano, size_t riCuantos, void *rDestino)
{
    auto *recibido = static_cast<TRecibido *>(rDestino);
    const size_t total = riTamano * riCuantos;
    if (recibido->sDatos.size() + total > TAMANO_MAXIMO) {
        recibido->bDemasiado = true;
        return 0; // makes curl stop with a write error
    }
    recibido->sDatos.append(rDatos, total);
    return total;
}

void Iniciar_Curl()
{
    static std::once_flag una;
    std::call_once(una, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

TRespuestaHttp Obtener_Http(const QString &rsURL, int riTiempoLimiteMs)
{
    TRespuestaHttp respuesta;
    Iniciar_Curl();
    CURL *curl = curl_easy_init();
    if (!curl) {
        respuesta.sError = QStringLiteral("The HTTP client could not be created");
        return respuesta;
    }
    const QByteArray url = rsURL.toUtf8();
    char error[CURL_ERROR_SIZE] = {};
    TRecibido recibido;
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Recibir);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &recibido);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(riTiempoLimiteMs));
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(riTiempoLimiteMs));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L); // no SIGALRM: we run on a worker thread
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    const CURLcode codigo = curl_easy_perform(curl);
    curl_easy_cleanup(curl);

    if (codigo == CURLE_OK) {
        respuesta.bExito = true;
        respuesta.sCuerpo = QString::fromUtf8(recibido.sDatos.data(), static_cast<qsizetype>(recibido.sDatos.size()));
    } else if (recibido.bDemasiado) {
        respuesta.sError = QStringLiteral("The reply of %1 is larger than %2 bytes").arg(rsURL).arg(TAMANO_MAXIMO);
    } else {
        respuesta.sError = QString::fromUtf8(error[0] ? error : curl_easy_strerror(codigo));
    }
    return respuesta;
}
