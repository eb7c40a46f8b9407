#pragma once
// Quick reminders on the desktop: the dialog that confirms the start and takes an
// optional message, and the sixteen menu entries (main menu and tray) that open it.

#include <QDialog>

#include <functional>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimeEdit;

struct TContextoRapido {
    QString sCarpetaDatos;   // psAppDataSystemLocal
    QString sCarpetaSonidos; // psAppDataSoundsAllUsers
    QString sDefaultSound;   // psDefaultSound
    int iLenguaje = 0;
    // After the file exists: the main window reloads its list with it selected and asks
    // the scheduler to re-read its files.
    std::function<void(const QString &)> Recordatorio_Agregado;
};

class TfrmQuickReminder : public QDialog {
    Q_OBJECT
public:
    TfrmQuickReminder(QWidget *rOwner, const TContextoRapido &rContexto);
    // Texts, title from the entry's caption, start now + riMins; true.
    bool Inicializar(int riMins, const QString &rsTitulo);
    void BitBtnAceptarClick();
    // The file written by OK (empty before).
    QString Archivo_Grabado() const { return psArchivo; }

private:
    const TContextoRapido &pContexto;
    QString psArchivo;
    QGroupBox *GroupBox;
    QLabel *LabelFechaInicio, *LabelMensaje;
    QDateEdit *DateTimePickerFechaInicio;
    QTimeEdit *DateTimePickerHoraInicio;
    QCheckBox *CheckBoxAutoDelete, *CheckBoxPlaySound;
    QPlainTextEdit *MemoMensaje;
    QPushButton *BitBtnAceptar, *BitBtnCancelar;
};

// Opens the dialog for riMinutos with the entry caption rsCaption; ignored while one is
// open. The tray's entries bring the main window up first (the caller's part).
void Abrir_Recordatorio_Rapido(QWidget *rOwner, const TContextoRapido &rContexto, int riMinutos,
                               const QString &rsCaption);

// Fills rMenu with the sixteen entries (object names mEn1Minuto... or, for the tray,
// mTrayEn1Minuto...), each calling rAlElegir with its minutes and caption.
void Llenar_Menu_Recordatorio_Rapido(QMenu *rMenu, bool rbBandeja, int riLenguaje,
                                     const std::function<void(int, const QString &)> &rAlElegir);
// Re-labels the entries (and the submenu's own title) in a language.
void Textos_Menu_Recordatorio_Rapido(QMenu *rMenu, bool rbBandeja, int riLenguaje);
// The object names of the entries, in menu order.
QString Nombre_Entrada_Rapida(int riIndice, bool rbBandeja);
