#include "platform/logind.h"

#include "report/eventlog.h"
#include "texts/language.h"
#include "texts/waketexts.h"

#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString gsServicio = QStringLiteral("org.freedesktop.login1");
const QString gsRuta = QStringLiteral("/org/freedesktop/login1");
const QString gsInterfaz = QStringLiteral("org.freedesktop.login1.Manager");
} // namespace

TSuspensionLogind::TSuspensionLogind(std::function<void()> rAlSuspender, std::function<void()> rAlReanudar,
                                     QObject *rParent)
    : QObject(rParent), pAlSuspender(std::move(rAlSuspender)), pAlReanudar(std::move(rAlReanudar)),
      pBus(QString())
{
}

TSuspensionLogind::~TSuspensionLogind()
{
    Soltar_Inhibidor();
}

bool TSuspensionLogind::Iniciar(const QDBusConnection &rBus)
{
    pBus = rBus;
    if (!pBus.isConnected()) {
        const QString detalle = pBus.lastError().isValid() ? pBus.lastError().message()
                                                           : QStringLiteral("no system bus");
        Avisar_Sin_Logind(detalle);
        return false;
    }
    // Qt keeps one hook per signal and slot, so a second start adds no second delivery.
    pBus.connect(gsServicio, gsRuta, gsInterfaz, QStringLiteral("PrepareForSleep"), this,
                 SLOT(PrepareForSleep(bool)));
    Tomar_Inhibidor();
    return true;
}

void TSuspensionLogind::Tomar_Inhibidor()
{
    if (piFdInhibidor >= 0 || pbPidiendo || !pBus.isConnected())
        return;
    QDBusMessage llamada = QDBusMessage::createMethodCall(gsServicio, gsRuta, gsInterfaz, QStringLiteral("Inhibit"));
    llamada << QStringLiteral("sleep") << QStringLiteral("Kestrin")
            << QStringLiteral("Arming the wake-up for the next reminder") << QStringLiteral("delay");
    // Never a blocking call: the main thread keeps running while logind answers.
    pbPidiendo = true;
    auto *espera = new QDBusPendingCallWatcher(pBus.asyncCall(llamada), this);
    connect(espera, &QDBusPendingCallWatcher::finished, this, &TSuspensionLogind::Respuesta_Inhibit);
}

void TSuspensionLogind::Respuesta_Inhibit(QDBusPendingCallWatcher *rLlamada)
{
    pbPidiendo = false;
    {
        QDBusPendingReply<QDBusUnixFileDescriptor> respuesta = *rLlamada;
        if (respuesta.isError()) {
            Avisar_Sin_Logind(respuesta.error().message());
        } else if (pbDormido) {
            // Granted while the machine is already on its way down: holding it now would
            // only delay the sleep, and the resume takes a fresh one.
        } else if (respuesta.value().isValid() && piFdInhibidor < 0) {
            // A private copy, closed on exec so that children never hold up a suspend.
            piFdInhibidor = fcntl(respuesta.value().fileDescriptor(), F_DUPFD_CLOEXEC, 3);
            if (piFdInhibidor >= 0)
                emit Inhibidor_Tomado();
        }
    }
    // Qt's copies of the descriptor live in the reply; they go with it.
    rLlamada->deleteLater();
}

void TSuspensionLogind::Soltar_Inhibidor()
{
    if (piFdInhibidor < 0)
        return;
    ::close(piFdInhibidor);
    piFdInhibidor = -1;
}

void TSuspensionLogind::PrepareForSleep(bool rbAntes)
{
    if (rbAntes) {
        pbDormido = true;
        if (pAlSuspender)
            pAlSuspender();
        Soltar_Inhibidor();
        return;
    }
    pbDormido = false;
    if (pAlReanudar)
        pAlReanudar();
    Tomar_Inhibidor();
}

void TSuspensionLogind::Avisar_Sin_Logind(const QString &rsDetalle)
{
    emit Sin_Logind(rsDetalle);
    if (pbAvisado)
        return;
    pbAvisado = true;
    if (pAvisoPendiente && !pAvisoPendiente())
        return;
    Add_To_Log(Texto_Sin_Logind(Lenguaje_Actual(), rsDetalle));
}
