#pragma once
// The update check: asks the web site for the newest version number and offers the
// download when it is newer than this one. The GET runs on a worker thread so the
// windows keep painting; the answer is handled back on the main thread.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QThread;
class QWidget;

// Removes every "<html><body>" and "</body></html>", in any letter case.
QString Limpiar_Respuesta(const QString &rsRespuesta);
// The text as a number with "." as the decimal separator (blanks around it are allowed,
// group separators and non-finite values are not). On failure rsError holds the reason.
bool Convertir_Version(const QString &rsTexto, double &rdVersion, QString &rsError);

// What a reply body comes to.
struct TResultadoActualizacion {
    enum TTipo { Error, Nueva, Ninguna } iTipo = Error;
    double dVersion = 0;  // the offered version, for Nueva
    QString sTexto;       // the text of the box to show
};
TResultadoActualizacion Evaluar_Respuesta(const QString &rsCuerpo, int riLenguaje);
// "A new version is available" CR "Do you want to download Kestrin 1.7?" and the Spanish one.
QString Texto_Nueva_Version(int riLenguaje, double rdVersion);
QString Texto_Sin_Actualizaciones(int riLenguaje);

class TBuscadorActualizaciones : public QObject {
    Q_OBJECT
public:
    explicit TBuscadorActualizaciones(QObject *rParent = nullptr);
    ~TBuscadorActualizaciones() override; // waits for a GET still running (bounded by the time-out)

    // Starts a check whose boxes are owned by rOwner. False, and nothing happens, while
    // one is still running.
    bool Iniciar(QWidget *rOwner);
    bool En_Curso() const { return pbEnCurso; }

    int piTiempoLimiteMs = 10000;
    // Told true when a check starts and false when it has ended (boxes answered), so the
    // menu item can be disabled meanwhile.
    std::function<void(bool)> pAlCambiar;

signals:
    void Terminada(); // after the last box of a check was answered

private:
    void Terminar();

    QThread *pHilo = nullptr;
    QPointer<QWidget> pOwner;
    QString psRespuesta;
    QString psError;
    bool pbExito = false;
    bool pbEnCurso = false;
};

// mCheckForUpdatesClick: one process-wide checker. False when a check is still running.
bool Buscar_Actualizaciones(QWidget *rOwner, std::function<void(bool)> rAlCambiar = {});
