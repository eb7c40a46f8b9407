#pragma once
// The message box of the whole program. Every box goes through one presenter: the
// desktop one shows a real box, tests install a recorder, and without either the text
// goes to standard error.

#include <QObject>
#include <QString>

// Button flags and answers, with their Windows values.
inline constexpr int MB_OK = 0;
inline constexpr int MB_OKCANCEL = 1;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// Icons chosen from the caption word.
inline constexpr int MB_ICONNONE = 0;
inline constexpr int MB_ICONERROR = 16;
inline constexpr int MB_ICONQUESTION = 32;
inline constexpr int MB_ICONINFORMATION = 64;

class TPresentadorMensajes {
public:
    virtual ~TPresentadorMensajes();
    // The desktop's standard alert sound.
    virtual void Pitido() = 0;
    // A modal box; rBotones MB_OK or MB_OKCANCEL. Returns IDOK or IDCANCEL.
    virtual int Mostrar(QObject *rOwner, const QString &rsTitulo, const QString &rsTexto, int riIcono,
                        int rBotones) = 0;
};

// Installs the presenter (not owned); nullptr goes back to standard error.
void Establecer_Presentador(TPresentadorMensajes *rPresentador);
TPresentadorMensajes *Presentador_Actual();

// The caption words that pick the icon.
int Icono_De_Caption(const QString &rsCaption);
QString Caption_Error();                       // "Error" in both languages
QString Caption_Informacion(int riLenguaje);   // "Information" / "Información"
QString Caption_Confirmacion(int riLenguaje);  // "Confirm" / "Confirmación"

// Shows rsBody with the title "Kestrin" and the icon of rsCaption; a confirmation beeps
// just before its box. When the interface language is neither 0 nor 1 nothing is shown
// and the result is 0.
int MessageBoxBeep(QObject *rHandle, const QString &rsBody, const QString &rsCaption, int rBotones);

// "File not found" (Spanish "Archivo no encontrado"), then CR and the path when given.
QString Texto_File_Not_Found(int riLenguaje, const QString &rsFile);
void File_Not_Found(QObject *rOwner, const QString &rsFile);
