#pragma once
// SIGTERM and SIGINT as an ordinary event: the handler only writes the signal number to
// a pipe (all it may safely do), and a socket notifier reads it in the event loop, where
// the program shuts down as it would from its menu.

#include <QObject>

class QSocketNotifier;

class TAvisoSenales : public QObject {
    Q_OBJECT
public:
    // Installs the handlers for SIGTERM and SIGINT; one instance at a time.
    explicit TAvisoSenales(QObject *rParent = nullptr);
    // Gives the signals their default handling back.
    ~TAvisoSenales() override;
    bool Instalado() const { return pNotificador != nullptr; }

signals:
    void Senal_Recibida(int riSenal);

private:
    void Leer_Tubo();
    QSocketNotifier *pNotificador = nullptr;
};
