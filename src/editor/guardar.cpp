// Finish: the checks of the alert page, starting with the session for type 5, then the
// store's writer, the main window's reload and the confirmation.
#include "agregartarea.h"

#include "platform/folders.h"
#include "report/messagebox.h"
#include "settings/saveverify.h"
#include "store/daycount.h"
#include "store/textforms.h"
#include "store/writer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QThread>

#include <exception>

bool TfrmAgregarTarea::Guardar()
{
    const TTextosAsistente &t = Textos_Asistente(pContexto.piLenguaje);
    const int lenguaje = pContexto.piLenguaje;

    if (Recortar(EditTresTituloTarea->text()).isEmpty()) {
        MessageBoxBeep(this, t.psErrorNombreTarea, Caption_Error(), MB_OK);
        EditTresTituloTarea->setFocus();
        return false;
    }
    if (CheckBoxTresTocarSonido->isChecked() && RadioButtonTresSeleccionarSonido->isChecked()) {
        if (ComboBoxTresSeleccionaUnSonido->currentIndex() < 0) {
            MessageBoxBeep(this, t.sEligeSonido, Caption_Informacion(lenguaje), MB_OK);
            return false;
        }
        if (!QFileInfo(Ruta_Sonido_Elegido(Datos_Sonido(), Sonido_Seleccionado())).isFile()) {
            MessageBoxBeep(this, t.psErrorArchivoSonido, Caption_Error(), MB_OK);
            ComboBoxTresSeleccionaUnSonido->setFocus();
            return false;
        }
    }
    if (piTareaTipo == TAREA_AL_INICIAR && !Configuracion().pbStartWithWindows &&
        CheckBoxDos5StartWithWindows->isChecked()) {
        const QString programa = pContexto.psEjecutable.isEmpty() ? Archivo_Inicio_Con_Sesion() : pContexto.psEjecutable;
        bool activo = false;
        // Shows "Error 100" itself when the entry does not read back.
        if (!Guardar_Inicio_Con_Sistema(this, lenguaje, true, programa, activo))
            return false;
        // The main window notes it in its settings.
        if (pContexto.Tras_Inicio_Con_Sistema)
            pContexto.Tras_Inicio_Con_Sistema();
    }
    const QString carpeta = pContexto.pCarpetas.psAppDataSystemLocal;
    if (!QDir(carpeta).exists()) {
        QDir().mkpath(carpeta);
        QThread::msleep(100);
    }
    if (!QDir(carpeta).exists()) {
        MessageBoxBeep(this, t.sSinAccesoDirectorio + carpeta, Caption_Error(), MB_OK);
        return false;
    }

    try {
        const double ahora = Ahora();
        const TTipoTarea tarea =
            Construir_Tarea(Datos_De_Pagina(piTareaTipo), CheckBoxDos1AutoDelete->isChecked(), Valores_Alerta(),
                            pConservados, Datos_Sonido(), lenguaje, LabelNombreTres->text(), ahora);
        QString archivo = psArchivoTarea;
        QString error;
        bool escrito;
        if (archivo.isEmpty())
            escrito = Grabar_Archivo_Tarea_Nuevo(carpeta, tarea, ahora, archivo, &error);
        else
            escrito = Grabar_Archivo_Tarea(archivo, tarea, &error);
        if (!escrito)
            MessageBoxBeep(this, QStringLiteral("Error 401\r") + error, Caption_Error(), MB_OK);
        // An edited reminder's old file is still there after a failed write.
        if (archivo.isEmpty() || !QFileInfo::exists(archivo)) {
            File_Not_Found(this, archivo);
            return false;
        }
        psArchivoGuardado = archivo;
        if (pContexto.Tras_Guardar)
            pContexto.Tras_Guardar(archivo);
        MessageBoxBeep(this, psArchivoTarea.isEmpty() ? t.sAgregadoOk : t.sEditadoOk, Caption_Informacion(lenguaje),
                       MB_OK);
        return true;
    } catch (const std::exception &e) {
        MessageBoxBeep(this, QStringLiteral("Error 407\r") + QString::fromLocal8Bit(e.what()), Caption_Error(), MB_OK);
        return false;
    }
}
