// Writes a reminder file through the store's writer, for the end-to-end runs of
// AlertWindow:  escribir_recordatorio FILE [--name N] [--message TEXT] [--lines K]
//               [--language 0|1] [--sound 0|1] [--repeat 0|1] [--once]
//        escribir_recordatorio FILE --show     prints the plain lines of the file
#include "store/daycount.h"
#include "store/record.h"
#include "store/reminderfile.h"
#include "store/writer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("reminder file to write"));
    const QCommandLineOption nombre(QStringLiteral("name"), QStringLiteral("reminder name"), QStringLiteral("text"),
                                    QStringLiteral("Reminder"));
    const QCommandLineOption mensaje(QStringLiteral("message"), QStringLiteral("message text"), QStringLiteral("text"),
                                     QStringLiteral("Message"));
    const QCommandLineOption lineas(QStringLiteral("lines"), QStringLiteral("repeat the message as K numbered lines"),
                                    QStringLiteral("K"), QStringLiteral("1"));
    const QCommandLineOption lenguaje(QStringLiteral("language"), QStringLiteral("0 English, 1 Spanish"),
                                      QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption sonido(QStringLiteral("sound"), QStringLiteral("1 plays a sound"), QStringLiteral("n"),
                                    QStringLiteral("0"));
    const QCommandLineOption repetir(QStringLiteral("repeat"), QStringLiteral("1 repeats the sound"),
                                     QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption mostrar(QStringLiteral("show"), QStringLiteral("print the plain lines of the file"));
    const QCommandLineOption unaVez(QStringLiteral("once"),
                                    QStringLiteral("a one-time reminder deleted after it fires, not a daily one"));
    parser.addOptions({nombre, mensaje, lineas, lenguaje, sonido, repetir, mostrar, unaVez});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    if (parser.isSet(mostrar)) {
        QStringList planas;
        QString error;
        if (Leer_Lineas_Planas(parser.positionalArguments().constFirst(), planas, &error) != TLectura::Ok) {
            std::fprintf(stderr, "escribir_recordatorio: cannot read: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        for (const QString &linea : planas)
            std::printf("%s\n", linea.toUtf8().constData());
        return 0;
    }

    TTipoTarea tarea;
    tarea.tsTaskName = parser.value(nombre);
    const int k = parser.value(lineas).toInt();
    QStringList texto;
    for (int i = 1; i <= k; ++i)
        texto << (k == 1 ? parser.value(mensaje) : parser.value(mensaje) + u' ' + QString::number(i));
    tarea.tsMensaje = texto.join(QStringLiteral("\r\n"));
    tarea.tiLenguaje = parser.value(lenguaje).toInt();
    tarea.tiAlertWindow = ALERTA_VENTANA;
    tarea.tiTocarSonido = parser.value(sonido).toInt();
    tarea.tiRepetirSonido = parser.value(repetir).toInt();
    tarea.tsPathDelSonido = tarea.tiTocarSonido ? QStringLiteral("/nonexistent/own-sound.mp3") : QStringLiteral("0");
    tarea.tiTareaTipo = parser.isSet(unaVez) ? TAREA_UNA_VEZ : TAREA_DIARIA;
    tarea.tiAutoDelete = parser.isSet(unaVez) ? 1 : 0;
    tarea.tdFechaInicio = Solo_Fecha(Ahora()) + 0.375;
    tarea.tdFechaCreacion = Ahora();
    QString error;
    if (!Grabar_Archivo_Tarea(parser.positionalArguments().constFirst(), tarea, &error)) {
        std::fprintf(stderr, "escribir_recordatorio: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
