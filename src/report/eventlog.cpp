#include "report/eventlog.h"

#include "platform/folders.h"
#include "store/daycount.h"
#include "store/reminderfile.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>

#include <atomic>

namespace {

QMutex gCandado;
QString gsCarpeta;
bool gbCarpetaFijada = false;
std::function<void()> gAviso;
std::atomic<bool> gbFormatoCongelado{false};
QLocale gLocale = QLocale::c();
QString gsFormato;

void Congelar_Si_Falta()
{
    if (!gbFormatoCongelado)
        Congelar_Formato_Regional();
}

} // namespace

void Fijar_Carpeta_Log(const QString &rsCarpeta)
{
    QMutexLocker bloqueo(&gCandado);
    gsCarpeta = rsCarpeta;
    if (!gsCarpeta.isEmpty() && !gsCarpeta.endsWith(QLatin1Char('/')))
        gsCarpeta += QLatin1Char('/');
    gbCarpetaFijada = true;
}

QString Ruta_Log()
{
    QMutexLocker bloqueo(&gCandado);
    if (!gbCarpetaFijada)
        return Calcular_Carpetas().psAppDataAllUsers + QStringLiteral("systemlog.txt");
    return gsCarpeta.isEmpty() ? QString() : gsCarpeta + QStringLiteral("systemlog.txt");
}

bool Existe_Log()
{
    const QString ruta = Ruta_Log();
    return !ruta.isEmpty() && QFileInfo(ruta).isFile();
}

void Fijar_Aviso_Log(std::function<void()> rAviso)
{
    QMutexLocker bloqueo(&gCandado);
    gAviso = std::move(rAviso);
}

QString Formato_Sin_Zona(const QString &rsFormato)
{
    // Drops every unquoted run of "t" and the blanks before it.
    QString out;
    bool citado = false;
    for (qsizetype i = 0; i < rsFormato.size(); ++i) {
        const QChar c = rsFormato.at(i);
        if (c == QLatin1Char('\'')) {
            citado = !citado;
            out += c;
            continue;
        }
        if (!citado && c == QLatin1Char('t')) {
            while (i + 1 < rsFormato.size() && rsFormato.at(i + 1) == QLatin1Char('t'))
                ++i;
            while (out.endsWith(QLatin1Char(' ')))
                out.chop(1);
            continue;
        }
        out += c;
    }
    return out.trimmed();
}

void Congelar_Formato_Regional(const QLocale &rLocale)
{
    QMutexLocker bloqueo(&gCandado);
    gLocale = rLocale;
    gsFormato = rLocale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ')
                + Formato_Sin_Zona(rLocale.timeFormat(QLocale::LongFormat));
    gbFormatoCongelado = true;
}

QString Formato_Fecha_Hora_Log()
{
    Congelar_Si_Falta();
    QMutexLocker bloqueo(&gCandado);
    return gsFormato;
}

void Add_To_Log(const QString &rsLinea)
{
    try {
        Congelar_Si_Falta();
        const QString ruta = Ruta_Log();
        if (ruta.isEmpty())
            return;
        std::function<void()> aviso;
        {
            QMutexLocker bloqueo(&gCandado);
            QByteArray contenido;
            QFile viejo(ruta);
            if (viejo.exists()) {
                if (!viejo.open(QIODevice::ReadOnly))
                    return;
                contenido = viejo.readAll();
                viejo.close();
            }
            if (Partir_Lineas(contenido).size() > 100)
                contenido.clear(); // the log starts over
            if (!contenido.isEmpty() && !contenido.endsWith('\n') && !contenido.endsWith('\r'))
                contenido += "\r\n";
            // One entry, one line: line ends inside the text would count as entries.
            QString texto = rsLinea;
            texto.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
                .replace(QLatin1Char('\r'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
            const QString entrada = gLocale.toString(Ahora_DateTime(), gsFormato) + QStringLiteral(" - ") + texto;
            contenido += entrada.toUtf8() + "\r\n";

            QSaveFile archivo(ruta);
            // A shared log may be writable while its folder is not.
            archivo.setDirectWriteFallback(true);
            if (!archivo.open(QIODevice::WriteOnly))
                return;
            if (archivo.write(contenido) != contenido.size()) {
                archivo.cancelWriting();
                return;
            }
            if (!archivo.commit())
                return;
            aviso = gAviso;
        }
        if (aviso)
            aviso();
    } catch (...) {
        // An entry that cannot be written is lost; the program goes on.
    }
}
