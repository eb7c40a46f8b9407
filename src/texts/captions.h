#pragma once
// The main window's captions in both languages, and the words used when texts are built
// (the sound word, the date separator, the text for a missing time). Defined once here;
// windows and text builders read them, never spell them again.

#include <QString>

#include <array>

inline constexpr int CANTIDAD_RAPIDOS = 16;

struct TCaptionsPrincipal {
    QString sTitulo; // window title, application title, tray icon hint
    QString mTrayAbrir, mTrayAgregarTarea, mTrayRecordatorioRapido, mTrayOpciones,
        mTrayManejadorDeSonidos, mTrayPaginaWeb, mTrayAcerca;
    QString mInicio;
    QString mAgregarTarea, mEditarTarea, mBorrarTarea; // also the list's context menu items
    QString mExportar, mExportarSeleccion, mImportar; // iCalendar files
    QString mOcultarVentana, mTerminarPrograma;
    QString mRecordatorioRapido, mConfigurar, mOpciones, mManejadorDeSonidos;
    QString mAyuda, mVerAyuda, mVerLog, mPaginaWeb, mAhoraDisponibleParaIPhoneYIPad,
        mCheckForUpdates, mAcerca;
    QString SpeedButtonAgregar, SpeedButtonAgregarHint;
    QString SpeedButtonEditar, SpeedButtonEditarHint;
    QString SpeedButtonBorrar, SpeedButtonBorrarHint;
    QString SpeedButtonOpciones, SpeedButtonOpcionesHint;
    QString SpeedButtonSonido, SpeedButtonSonidoHint;
    std::array<QString, 3> asColumnas; // Name, Next Run Time, Last Run Time
    QString EditFiltro;        // the filter field's placeholder and accessible name
    QString LabelFiltroCuenta; // beside it while it filters: %1 rows shown of %2
    QString psLeyendaSonido;  // the word in the sound names
    QString psFechaSeparador; // between date and time
    QString psTareaNunca;     // the list's text for a missing time
    // The quick-reminder items, tray (mTrayEn1Minuto..) and main menu (mEn1Minuto..) alike.
    std::array<QString, CANTIDAD_RAPIDOS> asRapidos;
};

// The table of a language: 1 Spanish, any other value English.
const TCaptionsPrincipal &Captions_Principal(int riLenguaje);

// The minutes of the 16 quick-reminder items, in menu order.
inline constexpr std::array<int, CANTIDAD_RAPIDOS> aiMinutosRapidos = {1,  2,  3,  4,  5,   10,  15,  20,
                                                                       30, 40, 50, 60, 120, 180, 240, 300};
