#pragma once
// The life of a tray popup in time, without a window: fade in (10 steps 25 ms apart),
// display (the set seconds, or without limit when permanent), fade out (10 steps 50 ms
// apart), closed. The pointer is tested every 200 ms: while it is over the popup, the
// display time stops and the popup is opaque; once it has left and no fade is under
// way, the fade-out starts (a permanent popup too). Times are milliseconds of any
// steady clock; the window asks Avanzar at Proximo() and takes Opacidad() from it.

#include <QtGlobal>

enum class TEstadoPopup { Creado, Apareciendo, Mostrado, Desapareciendo, Cerrado };

inline constexpr int PASOS_FUNDIDO = 10;
inline constexpr int MS_PASO_APARECER = 25;
inline constexpr int MS_PASO_DESAPARECER = 50;
inline constexpr int MS_PRUEBA_PUNTERO = 200;
inline constexpr int OPACIDAD_MAXIMA = 255;

class TTiempoPopup {
public:
    // riDuracionMs: the display time; ignored when rbPermanente.
    TTiempoPopup(int riDuracionMs, bool rbPermanente);

    void Iniciar(qint64 riAhora);
    // Moves the state on to riAhora; rbEncima: the pointer is over the popup now.
    void Avanzar(qint64 riAhora, bool rbEncima);
    // Ends it at once (close button): no fade.
    void Cerrar();

    TEstadoPopup Estado() const { return pEstado; }
    int Opacidad() const { return piOpacidad; }      // 0 invisible .. 255 opaque
    bool Puntero_Encima() const { return pbEncima; }
    // When Avanzar is next due; -1 once closed.
    qint64 Proximo() const;

private:
    void Empezar_Desaparecer(qint64 riAhora);

    int piDuracionMs;
    bool pbPermanente;
    TEstadoPopup pEstado = TEstadoPopup::Creado;
    int piOpacidad = 0;
    bool pbEncima = false;
    qint64 piInicioFase = 0;     // start of the fade under way, or of the display
    qint64 piPaso = 0;           // steps of the fade under way already taken
    qint64 piFinMostrado = 0;    // end of the display time (not permanent)
    qint64 piProximaPrueba = 0;  // next pointer test
};
