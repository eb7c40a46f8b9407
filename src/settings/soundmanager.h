#pragma once
// The sound library manager: lists the numbered and other sounds, plays and stops them
// on the preview player, adds, deletes and restores sounds and chooses the default.

#include "settings/soundlibrary.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class TReproductorInterno;

struct TContextoSonidos {
    TCarpetasSonidos aCarpetas;          // psAppDataSoundsAllUsers, psAppDataDefaultAllUsers
    QString *pDefaultSound = nullptr;    // psDefaultSound, changed by Set As Default
    int iLenguaje = 0;
    TReproductorInterno *pReproductor = nullptr; // the preview player (may be null: silent)
    // Told the new default after Set As Default (the scheduler thread's copy).
    std::function<void(const QString &)> Default_Cambiado;
    // Asks for a file to add: owner, title, Qt filter; empty when cancelled. Empty
    // function: the desktop's file dialog.
    std::function<QString(QWidget *, const QString &, const QString &)> Elegir_Archivo;
};

class TfrmCambiarSonido : public QDialog {
    Q_OBJECT
public:
    TfrmCambiarSonido(QWidget *rOwner, TContextoSonidos &rContexto);
    // Texts, title and list; false when the list could not be filled (not to be shown).
    bool Inicializar(const QString &rsBotonCaption);

    void BitBtnPlayPredeterminadoClick();
    void BitBtnStopPredeterminadoClick();
    void BitBtnPlayClick();
    void BitBtnStopClick();
    void BitBtnAgregarClick();
    void BitBtnBorrarClick();
    void BitBtnUsarComoPredeterminadoClick();
    void BitBtnRestaurarSonidosDelSistemaClick();
    // Selects the entry at rPunto of the list (none below the last) and opens the menu.
    void ListBoxMouseDown(const QPoint &rPunto);

protected:
    void done(int riResultado) override; // every way of closing stops the preview

private:
    bool Llenar_Lista();
    void Actualizar_Botones();
    void Mostrar_Default();
    void Default_Ninguno();
    void Describir_Predeterminado(); // the default pair's description: which sound it plays
    void Detener();
    QString Leyenda() const;
    QString Seleccionado() const; // empty when nothing is selected
    int Mensaje(const QString &rsTexto, const QString &rsCaption, int rBotones);

    TContextoSonidos &pContexto;
    QGroupBox *GroupBoxDefaultSound, *GroupBoxSonidos;
    QLabel *LabelSonidoPredeterminado;
    QPushButton *BitBtnPlayPredeterminado, *BitBtnStopPredeterminado;
    QListWidget *ListBox;
    QPushButton *BitBtnPlay, *BitBtnStop, *BitBtnAgregar, *BitBtnBorrar, *BitBtnUsarComoPredeterminado,
        *BitBtnRestaurarSonidosDelSistema, *BitBtnCerrar;
    QMenu *PopupMenu;
};

// The Qt file dialog filter of the sounds that can be added, in a language.
QString Filtro_Sonidos(int riLenguaje);
// The title the main window gives the manager: its menu caption without "&".
QString Titulo_Manejador_Sonidos(int riLenguaje);

// The main window's (and the wizard's) one call: opens the manager modally over
// rOwner with the title rsTitulo. A request while one is open is ignored.
void Abrir_Manejador_Sonidos(QWidget *rOwner, TContextoSonidos &rContexto, const QString &rsTitulo);
