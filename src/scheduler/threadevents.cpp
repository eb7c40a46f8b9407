#include "threadevents.h"

#include "tsanhint.h"

#include <QCoreApplication>
#include <QEvent>

#include <condition_variable>
#include <mutex>

namespace {
const QEvent::Type kTipoEventoHilo = QEvent::Type(QEvent::registerEventType());

struct TEspera {
    std::mutex pMutex;
    std::condition_variable pCondicion;
    bool pbHecho = false;
};

class TEventoHilo : public QEvent {
public:
    TEventoHilo(std::function<void()> rAccion, TEspera *rEspera)
        : QEvent(kTipoEventoHilo), pAccion(std::move(rAccion)), pEspera(rEspera)
    {
    }
    // Also when Qt drops the event unrun, so a waiting caller is always released.
    ~TEventoHilo() override
    {
        if (!pEspera)
            return;
        // Notified under the lock: the waiter cannot return and free it before this ends.
        std::lock_guard<std::mutex> lock(pEspera->pMutex);
        pEspera->pbHecho = true;
        pEspera->pCondicion.notify_all();
    }
    std::function<void()> pAccion;
    TEspera *pEspera;
};

class TReceptorHilo : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool event(QEvent *rEvento) override
    {
        if (rEvento->type() != kTipoEventoHilo)
            return QObject::event(rEvento);
        auto *evento = static_cast<TEventoHilo *>(rEvento);
        Orden_Despues(evento);
        if (evento->pAccion)
            evento->pAccion();
        return true;
    }
};

void Enviar(QObject *rReceptor, std::function<void()> rAccion, TEspera *rEspera)
{
    auto *evento = new TEventoHilo(std::move(rAccion), rEspera);
    Orden_Antes(evento);
    QCoreApplication::postEvent(rReceptor, evento);
}
} // namespace

QObject *Receptor_De_Ventana(QObject *rVentana)
{
    if (auto *receptor = rVentana->findChild<TReceptorHilo *>(QString(), Qt::FindDirectChildrenOnly))
        return receptor;
    return new TReceptorHilo(rVentana);
}

void Publicar_En_Receptor(QObject *rReceptor, std::function<void()> rAccion)
{
    Enviar(rReceptor, std::move(rAccion), nullptr);
}

void Llamar_En_Receptor(QObject *rReceptor, std::function<void()> rAccion)
{
    TEspera espera;
    Enviar(rReceptor, std::move(rAccion), &espera);
    std::unique_lock<std::mutex> lock(espera.pMutex);
    espera.pCondicion.wait(lock, [&] { return espera.pbHecho; });
}

#include "threadevents.moc"
