#include "asistente.h"

#include "editor/agregartarea.h"
#include "report/modal.h"

#include <QPointer>

bool Abrir_Asistente_Tarea(QWidget *rParent, const TContextoAsistente &rContexto)
{
    // One wizard at a time: a second Add or Edit while one is open is ignored.
    static bool sbAbierto = false;
    if (sbAbierto)
        return false;
    sbAbierto = true;
    bool guardado = false;
    {
        TfrmAgregarTarea asistente(rParent, rContexto);
        if (asistente.Inicializar(rContexto.piIndice)) {
            Ejecutar_Modal(asistente);
            guardado = asistente.Guardado();
        }
    }
    sbAbierto = false;
    return guardado;
}
