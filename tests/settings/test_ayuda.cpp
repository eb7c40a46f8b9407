// The help pages: the same pages in English and Spanish, each well-formed, in its
// language, with the shared stylesheet, every link leading to a page (and anchor) that
// exists, every page reachable from the first; and the build's copy is where the
// program looks for it.

#include "settings/enlaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

struct TPagina {
    QString sIdioma; // lang of <html>
    QString sTitulo;
    QStringList aEnlaces; // href and src values
    QSet<QString> aIds;
    QString sError; // the parser's complaint, empty when well-formed
};

TPagina Leer_Pagina(const QString &rsRuta)
{
    TPagina p;
    QFile f(rsRuta);
    if (!f.open(QIODevice::ReadOnly)) {
        p.sError = QStringLiteral("cannot read");
        return p;
    }
    QXmlStreamReader xml(&f);
    bool enTitulo = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == QLatin1String("html"))
                p.sIdioma = a.value(QLatin1String("lang")).toString();
            if (xml.name() == QLatin1String("title"))
                enTitulo = true;
            for (const char *atributo : {"href", "src"})
                if (a.hasAttribute(QLatin1String(atributo)))
                    p.aEnlaces.append(a.value(QLatin1String(atributo)).toString());
            if (a.hasAttribute(QLatin1String("id")))
                p.aIds.insert(a.value(QLatin1String("id")).toString());
        } else if (xml.isEndElement() && xml.name() == QLatin1String("title")) {
            enTitulo = false;
        } else if (xml.isCharacters() && enTitulo) {
            p.sTitulo += xml.text().toString().trimmed();
        }
    }
    if (xml.hasError())
        p.sError = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return p;
}

QStringList Paginas(const QString &rsCarpeta)
{
    return QDir(rsCarpeta).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

} // namespace

class TestAyuda : public QObject {
    Q_OBJECT
private slots:
    void mismasPaginas();
    void pagina_data();
    void pagina();
    void todasAlcanzables_data();
    void todasAlcanzables();
    void copiaDeLaCompilacion();

private:
    const QString psFuente = QStringLiteral(KESTRIN_AYUDA_FUENTE);
};

void TestAyuda::mismasPaginas()
{
    const QStringList en = Paginas(psFuente + QStringLiteral("/en"));
    QVERIFY(en.contains(QStringLiteral("index.html")));
    QVERIFY2(en.size() >= 6, qPrintable(en.join(' ')));
    QCOMPARE(Paginas(psFuente + QStringLiteral("/es")), en);
}

void TestAyuda::pagina_data()
{
    QTest::addColumn<QString>("idioma");
    QTest::addColumn<QString>("archivo");
    for (const QString &idioma : {QStringLiteral("en"), QStringLiteral("es")})
        for (const QString &archivo : Paginas(psFuente + QLatin1Char('/') + idioma))
            QTest::newRow(qPrintable(idioma + QLatin1Char('/') + archivo)) << idioma << archivo;
}

void TestAyuda::pagina()
{
    QFETCH(QString, idioma);
    QFETCH(QString, archivo);
    const QString ruta = psFuente + QLatin1Char('/') + idioma + QLatin1Char('/') + archivo;
    const TPagina p = Leer_Pagina(ruta);
    QVERIFY2(p.sError.isEmpty(), qPrintable(p.sError));
    QCOMPARE(p.sIdioma, idioma);
    QVERIFY(!p.sTitulo.isEmpty());
    QVERIFY(p.aEnlaces.contains(QStringLiteral("../kestrin.css")));
    const QString otro = idioma == QLatin1String("en") ? QStringLiteral("es") : QStringLiteral("en");
    QVERIFY2(p.aEnlaces.contains(QStringLiteral("../") + otro + QLatin1Char('/') + archivo), "no link to the other language");
    for (const QString &enlace : p.aEnlaces) {
        const QUrl url(enlace);
        if (!url.scheme().isEmpty()) {
            // Help works offline: only the project's own site may be linked.
            QVERIFY2(url.scheme() == QLatin1String("https") && url.host() == QLatin1String("kestrin.example.org"),
                     qPrintable(enlace));
            continue;
        }
        const QString destino = url.path().isEmpty() ? ruta : QFileInfo(ruta).dir().filePath(url.path());
        QVERIFY2(QFileInfo::exists(destino), qPrintable(enlace));
        if (url.hasFragment()) {
            const TPagina d = Leer_Pagina(destino);
            QVERIFY2(d.aIds.contains(url.fragment()), qPrintable(enlace));
        }
    }
}

void TestAyuda::todasAlcanzables_data()
{
    QTest::addColumn<QString>("idioma");
    QTest::newRow("en") << "en";
    QTest::newRow("es") << "es";
}

void TestAyuda::todasAlcanzables()
{
    QFETCH(QString, idioma);
    const QString carpeta = psFuente + QLatin1Char('/') + idioma + QLatin1Char('/');
    QSet<QString> vistas{QStringLiteral("index.html")};
    QStringList pendientes{QStringLiteral("index.html")};
    while (!pendientes.isEmpty()) {
        const TPagina p = Leer_Pagina(carpeta + pendientes.takeFirst());
        for (const QString &enlace : p.aEnlaces) {
            const QString archivo = QUrl(enlace).path();
            if (archivo.endsWith(QLatin1String(".html")) && !archivo.contains(QLatin1Char('/')) && !vistas.contains(archivo)) {
                vistas.insert(archivo);
                pendientes.append(archivo);
            }
        }
    }
    const QStringList todas = Paginas(carpeta);
    QCOMPARE(QSet<QString>(todas.begin(), todas.end()), vistas);
}

void TestAyuda::copiaDeLaCompilacion()
{
    // The program opens Carpeta_Compartida() + "help/<language>/index.html".
    for (int lenguaje : {0, 1}) {
        const QString copia = Archivo_Ayuda(lenguaje);
        QVERIFY2(QFileInfo::exists(copia), qPrintable(copia));
        QFile a(copia), b(psFuente + (lenguaje ? QStringLiteral("/es/index.html") : QStringLiteral("/en/index.html")));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
    }
    QVERIFY(QFileInfo::exists(QFileInfo(Archivo_Ayuda(0)).dir().filePath(QStringLiteral("../kestrin.css"))));
}

QTEST_MAIN(TestAyuda)
#include "test_ayuda.moc"
