#pragma once
// The broadcast messages between Kestrin processes: signals of one fixed object path
// and interface on the D-Bus session bus. Every running Kestrin and AlertWindow
// listens; broadcasting is emitting the signal. Without a session bus the programs
// still run: each call fails quietly, and the first one says so on stderr.

#include <QObject>
#include <QString>
#include <QStringList>

class QDBusMessage;

inline constexpr char KESTRIN_BUS_PATH[] = "/org/kestrin/Kestrin";
inline constexpr char KESTRIN_BUS_INTERFACE[] = "org.kestrin.Kestrin";

inline constexpr char MSG_KESTRIN[] = "KestrinMessage";
inline constexpr char MSG_KESTRIN_SHUTDOWN[] = "KestrinShutDownMessage";
inline constexpr char MSG_KESTRIN_READ_FILES[] = "KestrinReadFiles";
inline constexpr char MSG_KESTRIN_CLOSE[] = "KestrinClose";
inline constexpr char MSG_KESTRIN_MUTE[] = "KestrinMute";

// The five registered messages, and nothing else, travel on the bus.
const QStringList &Kestrin_Messages();
bool Is_Kestrin_Message(const QString &rsName);

// True when this process reaches a session bus. The first failure to reach it is
// reported once on stderr.
bool Session_Bus_Available();

// Emits the message and waits until the bus has it, so a process may exit right
// after. False for an unknown name or without a bus.
bool Broadcast_Message(const QString &rsName);

// Receives the chosen messages from any process, this one included.
class TBusListener : public QObject {
    Q_OBJECT
public:
    explicit TBusListener(QObject *rParent = nullptr);
    ~TBusListener() override;
    // False for an unknown name or without a bus. When it returns true, every later
    // broadcast of the name reaches this listener.
    bool Listen(const QString &rsName);

signals:
    void Message_Received(const QString &rsName);

private slots:
    void On_Bus_Signal(const QDBusMessage &rMensaje);

private:
    QStringList paEscuchando;
};
