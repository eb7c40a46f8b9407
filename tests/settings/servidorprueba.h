#pragma once
// A small HTTP server on 127.0.0.1 for the update check's tests: it records the request
// line it receives and answers in the way a test asks for.

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QHash>
#include <QUrl>

class TServidorPrueba : public QObject {
public:
    enum TModo { Responder, Callar };

    TServidorPrueba()
    {
        pServidor.listen(QHostAddress::LocalHost, 0);
        connect(&pServidor, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = pServidor.nextPendingConnection()) {
                paSockets.append(s);
                connect(s, &QTcpSocket::readyRead, this, [this, s] { Leer(s); });
            }
        });
    }
    ~TServidorPrueba() override
    {
        for (const QPointer<QTcpSocket> &s : paSockets)
            if (s)
                s->abort();
    }

    quint16 Puerto() const { return pServidor.serverPort(); }
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(Puerto()); }

    TModo piModo = Responder;
    int piEstado = 200;
    QByteArray psCuerpo;
    QList<QByteArray> paPeticiones; // the request lines, in order

private:
    void Leer(QTcpSocket *rSocket)
    {
        QByteArray &pendiente = paPendientes[rSocket];
        pendiente += rSocket->readAll();
        const int fin = pendiente.indexOf("\r\n\r\n");
        if (fin < 0)
            return;
        paPeticiones.append(pendiente.left(pendiente.indexOf("\r\n")));
        pendiente.clear();
        if (piModo == Callar)
            return; // keeps the connection open and never answers
        const QByteArray razon = piEstado == 200 ? "OK" : piEstado == 404 ? "Not Found" : "Status";
        QByteArray respuesta = "HTTP/1.1 " + QByteArray::number(piEstado) + ' ' + razon + "\r\n";
        respuesta += "Content-Type: text/html\r\nContent-Length: " + QByteArray::number(psCuerpo.size())
                     + "\r\nConnection: close\r\n\r\n" + psCuerpo;
        rSocket->write(respuesta);
        rSocket->disconnectFromHost();
    }

    QTcpServer pServidor;
    QList<QPointer<QTcpSocket>> paSockets;
    QHash<QTcpSocket *, QByteArray> paPendientes;
};

// Records the addresses QDesktopServices hands to it instead of a browser.
class TManejadorUrl : public QObject {
    Q_OBJECT
public:
    QList<QUrl> paAbiertas;
public slots:
    void Abrir(const QUrl &rUrl) { paAbiertas.append(rUrl); }
};
