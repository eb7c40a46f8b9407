#include "settings/visorarchivo.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

bool Mostrar_Archivo_En_Ventana(const QString &rsArchivo, QWidget *rOwner)
{
    QFile archivo(rsArchivo);
    if (!archivo.open(QIODevice::ReadOnly))
        return false;
    const QByteArray contenido = archivo.readAll();
    archivo.close();

    auto *ventana = new QDialog(rOwner, Qt::Window);
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->setObjectName(QStringLiteral("VisorArchivo"));
    ventana->setWindowTitle(QFileInfo(rsArchivo).fileName() + QStringLiteral(" - Kestrin"));
    auto *texto = new QTextBrowser(ventana);
    texto->setObjectName(QStringLiteral("TextBrowserArchivo"));
    const QString sufijo = QFileInfo(rsArchivo).suffix().toLower();
    if (sufijo == QLatin1String("html") || sufijo == QLatin1String("htm")) {
        // setSource keeps the page's folder, so its links to the other pages work.
        texto->setOpenExternalLinks(true);
        texto->setSource(QUrl::fromLocalFile(QFileInfo(rsArchivo).absoluteFilePath()));
    } else {
        texto->setLineWrapMode(QTextEdit::NoWrap);
        texto->setPlainText(QString::fromUtf8(contenido));
        texto->moveCursor(QTextCursor::End); // the newest lines of a log are at its end
    }
    auto *capa = new QVBoxLayout(ventana);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(texto);
    QSize tamano(ventana->fontMetrics().averageCharWidth() * 100, ventana->fontMetrics().height() * 36);
    if (const QScreen *pantalla = rOwner ? rOwner->screen() : QGuiApplication::primaryScreen())
        tamano = tamano.boundedTo(pantalla->availableGeometry().size() * 9 / 10);
    ventana->resize(tamano);
    ventana->show();
    return true;
}
