#pragma once
// The preview player as the reminder wizard and the sound manager see it: the main
// window's second player, so that a preview never cuts off a reminder's sound nor a
// reminder's sound a preview.

#include <QString>

class QWidget;

class TReproductorInterno {
public:
    virtual ~TReproductorInterno() = default;
    // Plays rsFile from the start (a sound already open on this player is stopped first),
    // repeating it until stopped when rbLoop. A failure shows "Error 204. " + its text in
    // a box owned by rOwner when rbMostrarError, else nothing. False when it cannot play.
    virtual bool Play_Audio_Interno(QWidget *rOwner, const QString &rsFile, bool rbLoop, bool rbMostrarError) = 0;
    // Stops and closes the preview at once; never fails.
    virtual void Stop_Audio_Interno() = 0;
    // Turns the repeating of the preview under way on or off; off, it ends at its end.
    virtual void Loop_Audio_Interno(bool rbLoop) = 0;
};
