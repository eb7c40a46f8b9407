#include "threadevents.h"

#include "tsanhint.h"

#include <QCoreApplication>
#include <QEvent>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {
const QEvent::Type kTipoEventoHilo = QEvent::Type(QEvent::registerEventType());
// One mark for every event: its type is read before it is known to be ours.
char gMarcaEventos;

struct TEspera {
    std::mutex pMutex;
    std::condition_variable pCondicion;
    bool pbHecho = false;
};

class TEventoHilo : public QEvent {
public:
    TEventoHilo(std::function<void()> rAccion, std::shared_ptr<TEspera> rEspera)
        : QEvent(kTipoEventoHilo), pAccion(std::move(rAccion)), pEspera(rEspera)
    {
    }
    // Also when Qt drops the event unrun, so a waiting caller is always released.
    ~TEventoHilo() override
    {
        if (!pEspera)
            return;
        std::lock_guard<std::mutex> lock(pEspera->pMutex);
        pEspera->pbHecho = true;
        pEspera->pCondicion.notify_all();
    }
    std::function<void()> pAccion;
    std::shared_ptr<TEspera> pEspera; // shared: a waiter that gave up may be gone
};

class TReceptorHilo : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool event(QEvent *rEvento) override
    {
        Orden_Despues(&gMarcaEventos);
        if (rEvento->type() != kTipoEventoHilo)
            return QObject::event(rEvento);
        auto *evento = static_cast<TEventoHilo *>(rEvento);
        if (evento->pAccion)
            evento->pAccion();
        return true;
    }
};

void Enviar(QObject *rReceptor, std::function<void()> rAccion, std::shared_ptr<TEspera> rEspera)
{
    auto *evento = new TEventoHilo(std::move(rAccion), std::move(rEspera));
    Orden_Antes(&gMarcaEventos);
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

void Llamar_En_Receptor(QObject *rReceptor, std::function<void()> rAccion, const std::function<bool()> &rAbandonar)
{
    auto espera = std::make_shared<TEspera>();
    Enviar(rReceptor, std::move(rAccion), espera);
    std::unique_lock<std::mutex> lock(espera->pMutex);
    while (!espera->pCondicion.wait_for(lock, std::chrono::milliseconds(20), [&] { return espera->pbHecho; }))
        if (rAbandonar && rAbandonar())
            return;
}

#include "threadevents.moc"
