#pragma once
// The wake-up alarm: a timerfd on CLOCK_REALTIME_ALARM armed at an absolute wall-clock
// moment. The kernel programs the RTC for it, so a suspended machine resumes then; the
// absolute form means the seconds spent going to sleep do not push the alarm later.
// Creating such a timer needs CAP_WAKE_ALARM (root, or the capability on the program).

#include <QtGlobal>

#include <functional>

class TAlarmaDespertar {
public:
    // Makes the timer descriptor: returns it, or -1 with errno set. The default makes a
    // CLOCK_REALTIME_ALARM timerfd; tests give one that fails or one on CLOCK_REALTIME.
    using TCrearTimer = std::function<int()>;

    explicit TAlarmaDespertar(TCrearTimer rCrear = {});
    ~TAlarmaDespertar();
    TAlarmaDespertar(const TAlarmaDespertar &) = delete;
    TAlarmaDespertar &operator=(const TAlarmaDespertar &) = delete;

    // Arms the alarm for riMsEpoch (milliseconds since 1970-01-01 UTC), replacing any
    // earlier moment. 0 on success, else the errno of the failed step (the timer is then
    // closed and not armed).
    int Armar(qint64 riMsEpoch);
    // Disarms and closes the timer; nothing happens when none is armed.
    void Cancelar();
    bool Armada() const { return piFd >= 0; }
    // The armed moment read back from the kernel (timerfd_gettime), in milliseconds since
    // 1970; -1 when nothing is armed or the kernel says it is disarmed.
    qint64 Momento_Armado() const;
    int Descriptor() const { return piFd; }

private:
    TCrearTimer pCrear;
    int piFd = -1;
};

// The default maker: timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC | TFD_NONBLOCK).
int Crear_Timer_Alarma();
