#pragma once
// Suspend and resume as logind reports them on the system bus. While it runs, Kestrin
// holds a "delay" sleep inhibitor, so logind waits for it before the machine sleeps: on
// PrepareForSleep(true) the suspend step runs (it arms the wake alarm) and only then is
// the inhibitor released; after PrepareForSleep(false) the resume step runs and a new
// inhibitor is taken for the next sleep.
//
// Without a system bus or without logind the program goes on without suspend handling;
// the event log says so once.

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QObject>
#include <QString>

#include <functional>

class TSuspensionLogind : public QObject {
    Q_OBJECT
public:
    // rAlSuspender runs before the inhibitor is released; rAlReanudar after resume.
    TSuspensionLogind(std::function<void()> rAlSuspender, std::function<void()> rAlReanudar,
                      QObject *rParent = nullptr);
    ~TSuspensionLogind() override;

    // Listens on rBus (the system bus unless a test gives another) and asks for the first
    // inhibitor. False, with one event-log line, when the bus cannot be reached.
    bool Iniciar(const QDBusConnection &rBus = QDBusConnection::systemBus());

    // The descriptor of the inhibitor held now, -1 when none.
    int Descriptor_Inhibidor() const { return piFdInhibidor; }

    // Whether the missing-logind line is due in the event log (asked once per run, at the
    // first failure); empty: it is written at every start.
    std::function<bool()> pAvisoPendiente;

signals:
    // An inhibitor was granted (tests and diagnostics wait on it).
    void Inhibidor_Tomado();
    // logind could not be asked; the text went to the event log.
    void Sin_Logind(const QString &rsDetalle);

private slots:
    void PrepareForSleep(bool rbAntes);
    void Respuesta_Inhibit(QDBusPendingCallWatcher *rLlamada);

private:
    void Tomar_Inhibidor();
    void Soltar_Inhibidor();
    void Avisar_Sin_Logind(const QString &rsDetalle);

    std::function<void()> pAlSuspender;
    std::function<void()> pAlReanudar;
    QDBusConnection pBus;
    int piFdInhibidor = -1;
    bool pbPidiendo = false;    // an Inhibit call is on its way
    bool pbDormido = false;     // between PrepareForSleep(true) and (false)
    bool pbAvisado = false;     // the missing-logind line is logged once
};
