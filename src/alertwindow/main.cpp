// AlertWindow: shows one reminder in a window of its own.
//   AlertWindow "reminder file" "sound file" 9934 snooze-minutes "font name"
// Exit status: 0 after the window closed, 1 for a wrong command line, 2 for a reminder
// file that is missing, unreadable or invalid.

#include "alerta.h"
#include "argumentos.h"
#include "alerts/kestrinicon.h"
#include "textos.h"
#include "ventana.h"

#include "store/daycount.h"

#include "texts/language.h"
#include "report/messagebox.h"
#include "report/qtmessagepresenter.h"
#include "platform/qtargs.h"
#include "platform/systeminfo.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    const QStringList argumentos = Argumentos_Propios(argc, argv);

    // Everything is checked before a window exists, so stderr tells what is wrong even
    // when no display can be reached.
    TArgumentosAlerta datos;
    TTipoTarea tarea;
    QString mensaje;
    const TErrorInicio error = Preparar_Alerta(argumentos, Lenguaje_Desde_Nombre_Sistema(System_Language_Name()), datos, tarea, mensaje);
    if (error != TErrorInicio::Ninguno) {
        std::fprintf(stderr, "AlertWindow: %s\n", mensaje.toLocal8Bit().constData());
        std::fflush(stderr);
    }

    // Qt's ffmpeg media back end crashes on a machine without an audio device; the
    // GStreamer one plays into a silent sink instead. A choice made by the user stands.
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");

    TArgumentosQt argumentosQt(argv);
    QApplication app(argumentosQt.piArgc, argumentosQt.paArgv);
    QApplication::setApplicationName(QStringLiteral("AlertWindow"));
    QApplication::setApplicationVersion(QStringLiteral("1.6"));
    QApplication::setWindowIcon(Icono_Kestrin());
    Instalar_Presentador_Qt();

    if (error != TErrorInicio::Ninguno) {
        MessageBoxBeep(nullptr, mensaje, Caption_Error(), MB_OK);
        return (error == TErrorInicio::Cantidad || error == TErrorInicio::Token) ? 1 : 2;
    }

    TAlerta alerta(datos, tarea, Ahora());
    TfrmAlertWindow ventana(alerta);
    alerta.Iniciar(); // before the window shows: whoever sees it may already send a message
    ventana.Mostrar();
    return app.exec();
}
