#include "report/messagebox.h"

#include "texts/language.h"

#include <QTextStream>

namespace {

// Without a desktop there is no one to ask: the text goes to standard error, an OK box
// counts as read and a question as declined, so nothing irreversible follows.
class TPresentadorConsola : public TPresentadorMensajes {
public:
    void Pitido() override {}
    int Mostrar(QObject *, const QString &rsTitulo, const QString &rsTexto, int, int rBotones) override
    {
        QString texto = rsTexto;
        texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QTextStream(stderr) << rsTitulo << ": " << texto << '\n';
        return rBotones == MB_OKCANCEL ? IDCANCEL : IDOK;
    }
};

TPresentadorConsola gConsola;
TPresentadorMensajes *gPresentador = nullptr;

} // namespace

TPresentadorMensajes::~TPresentadorMensajes() = default;

void Establecer_Presentador(TPresentadorMensajes *rPresentador)
{
    gPresentador = rPresentador;
}

TPresentadorMensajes *Presentador_Actual()
{
    return gPresentador ? gPresentador : &gConsola;
}

int Icono_De_Caption(const QString &rsCaption)
{
    if (rsCaption == QLatin1String("Error"))
        return MB_ICONERROR;
    if (rsCaption == QLatin1String("Information") || rsCaption == QStringLiteral("Información"))
        return MB_ICONINFORMATION;
    if (rsCaption == QLatin1String("Confirm") || rsCaption == QStringLiteral("Confirmación"))
        return MB_ICONQUESTION;
    return MB_ICONNONE;
}

QString Caption_Error()
{
    return QStringLiteral("Error");
}

QString Caption_Informacion(int riLenguaje)
{
    return riLenguaje == 1 ? QStringLiteral("Información") : QStringLiteral("Information");
}

QString Caption_Confirmacion(int riLenguaje)
{
    return riLenguaje == 1 ? QStringLiteral("Confirmación") : QStringLiteral("Confirm");
}

int MessageBoxBeep(QObject *rHandle, const QString &rsBody, const QString &rsCaption, int rBotones)
{
    const int lenguaje = Lenguaje_Actual();
    if (lenguaje != 0 && lenguaje != 1)
        return 0;
    const int icono = Icono_De_Caption(rsCaption);
    TPresentadorMensajes *presentador = Presentador_Actual();
    if (icono == MB_ICONQUESTION)
        presentador->Pitido();
    return presentador->Mostrar(rHandle, QStringLiteral("Kestrin"), rsBody, icono,
                                rBotones == MB_OKCANCEL ? MB_OKCANCEL : MB_OK);
}

QString Texto_File_Not_Found(int riLenguaje, const QString &rsFile)
{
    QString texto = riLenguaje == 1 ? QStringLiteral("Archivo no encontrado") : QStringLiteral("File not found");
    if (!rsFile.isEmpty())
        texto += QLatin1Char('\r') + rsFile;
    return texto;
}

void File_Not_Found(QObject *rOwner, const QString &rsFile)
{
    MessageBoxBeep(rOwner, Texto_File_Not_Found(Lenguaje_Actual(), rsFile), Caption_Error(), MB_OK);
}
