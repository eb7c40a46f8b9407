#pragma once
// The size of a tray popup, worked out from its texts before it is shown: wide enough
// for the header and the longest message line, tall enough for the lines, within
// 350..700 by 80..250 pixels. Needs a running QGuiApplication (font metrics).

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

inline constexpr int ANCHO_MINIMO_POPUP = 350;
inline constexpr int ANCHO_MAXIMO_POPUP = 700;
inline constexpr int ALTO_MINIMO_POPUP = 80;
inline constexpr int ALTO_MAXIMO_POPUP = 250;

// The lines of a message as stored (CR LF between them; a lone LF or CR also ends one).
QStringList Lineas_Mensaje_Popup(const QString &rsMensaje);

// The fonts the sizes are measured in: 11 pixels high.
QFont Fuente_Medida_Titulo();                              // the main window's Tahoma
QFont Fuente_Medida_Mensaje(const QString &rsFuenteMensaje); // the alert font

QSize Tamano_Desktop_Alert(const QString &rsTitulo, const QString &rsMensaje, const QString &rsFuenteMensaje);

// rsTexto (lines separated by LF) wrapped at riAncho pixels in rFuente, as many whole
// lines as riAlto pixels hold; when some are left over, the last line shown ends in "…".
// Lines of the result are separated by LF and each fits riAncho.
QString Texto_En_Lineas_Enteras(const QString &rsTexto, const QFont &rFuente, int riAncho, int riAlto);
