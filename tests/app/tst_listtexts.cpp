// The list's column texts and row order, without the widget.

#include "app/jsonwriter.h"
#include "app/listtexts.h"
#include "store/daycount.h"
#include "store/textforms.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <limits>

namespace {

double D(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return Fecha_Hora_a_Dias(QDate(y, mo, d), QTime(h, mi, s));
}

TTipoTarea Fila(const QString &rsNombre, double rdProxima, double rdUltima = 0, int riTipo = TAREA_UNA_VEZ)
{
    TTipoTarea t;
    t.tsTaskName = rsNombre;
    t.tiTareaTipo = riTipo;
    t.tdNextRunTime = rdProxima;
    t.tdLastRunTime = rdUltima;
    return t;
}

QStringList Nombres(const TTablaTareas &rTabla, const QVector<int> &rOrden)
{
    QStringList n;
    for (int i : rOrden)
        n << rTabla.paTipoTarea[i].tsTaskName;
    return n;
}

} // namespace

class TstListTexts : public QObject {
    Q_OBJECT
private slots:
    void init() { Establecer_Reloj([] { return QDateTime(QDate(2026, 3, 10), QTime(12, 0)); }); }
    void cleanup() { Establecer_Reloj({}); }
    void textos_de_columnas_data();
    void textos_de_columnas();
    void proxima_con_posposicion();
    void orden_data();
    void orden();
    void orden_sin_copia_del_registro();
    void nombres_solo_a_z();
    void titulos_de_columnas();
    void filtro_data();
    void filtro();
    void json_como_qt_data();
    void json_como_qt();
};

void TstListTexts::textos_de_columnas_data()
{
    QTest::addColumn<TTipoTarea>("tarea");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("proxima");
    QTest::addColumn<QString>("ultima");

    QTest::newRow("hoy y nunca") << Fila("a", D(2026, 3, 10, 9, 5)) << 0 << "Today at 9:05:00 AM" << "Never";
    QTest::newRow("hoy es") << Fila("a", D(2026, 3, 10, 9, 5)) << 1 << "Hoy a las 9:05:00 AM" << "Nunca";
    QTest::newRow("mañana y ayer") << Fila("a", D(2026, 3, 11, 0, 30), D(2026, 3, 9, 23, 59, 59)) << 0
                                   << "Tomorrow at 0:30:00 AM" << "Yesterday at 11:59:59 PM";
    QTest::newRow("mañana y ayer es") << Fila("a", D(2026, 3, 11, 12), D(2026, 3, 9, 13)) << 1
                                      << "Mañana a las 12:00:00 PM" << "Ayer a las 1:00:00 PM";
    QTest::newRow("otra fecha") << Fila("a", D(2010, 11, 8, 15, 30), D(2026, 3, 12, 15, 30)) << 0
                                << "Nov 8, 2010 at 3:30:00 PM" << "Mar 12, 2026 at 3:30:00 PM";
    QTest::newRow("otra fecha es") << Fila("a", D(2010, 11, 8, 15, 30)) << 1 << "8/Nov/2010 a las 3:30:00 PM"
                                   << "Nunca";
    QTest::newRow("al iniciar, sin posponer") << Fila("a", -1, 0, TAREA_AL_INICIAR) << 0
                                              << "When the Computer Starts" << "Never";
    QTest::newRow("al iniciar, pospuesta") << Fila("a", D(2026, 3, 10, 13), D(2026, 3, 1, 9), TAREA_AL_INICIAR) << 1
                                           << "Cuando la Computadora Inicie" << "1/Mar/2026 a las 9:00:00 AM";
    QTest::newRow("ultima negativa es nunca") << Fila("a", 0, -5) << 0 << "Never" << "Never";
    QTest::newRow("las 8 guardadas se leen 8:00:00")
        << Fila("a", Str_To_Float_Sin_Punto(Float_To_Str_Sin_Punto(D(2026, 3, 10, 8)))) << 0 << "Today at 8:00:00 AM"
        << "Never";
}

void TstListTexts::textos_de_columnas()
{
    QFETCH(TTipoTarea, tarea);
    QFETCH(int, lenguaje);
    QFETCH(QString, proxima);
    QFETCH(QString, ultima);
    QCOMPARE(Texto_Proxima_Ejecucion(tarea, lenguaje), proxima);
    QCOMPARE(Texto_Ultima_Ejecucion(tarea, lenguaje), ultima);
}

// What a fill computes and shows for the snooze cases of the list.
void TstListTexts::proxima_con_posposicion()
{
    TTablaTareas tabla;
    TTipoTarea pasada = Fila("past", 0);
    pasada.tdFechaInicio = D(2026, 3, 9, 8);
    tabla.paTipoTarea << pasada;
    TTipoTarea pospuesta = pasada;
    pospuesta.tdSnoozeRun = D(2026, 3, 10, 12, 10);
    tabla.paTipoTarea << pospuesta;
    TTipoTarea diaria = Fila("daily", 0, 0, TAREA_DIARIA);
    diaria.tdFechaInicio = D(2026, 3, 11, 9);
    diaria.tdSnoozeRun = D(2026, 3, 10, 18);
    tabla.paTipoTarea << diaria;
    TTipoTarea inicio = Fila("start", 0, 0, TAREA_AL_INICIAR);
    tabla.paTipoTarea << inicio;
    inicio.tdSnoozeRun = D(2026, 3, 10, 12, 5);
    tabla.paTipoTarea << inicio;

    Calcular_Proximas_Ejecuciones_Lista(tabla, Ahora());
    const QStringList textos = [&] {
        QStringList s;
        for (const TTipoTarea &t : tabla.paTipoTarea)
            s << Texto_Proxima_Ejecucion(t, 0);
        return s;
    }();
    QCOMPARE(textos, (QStringList{"Never", "Today at 12:10:00 PM", "Today at 6:00:00 PM", "When the Computer Starts",
                                  "When the Computer Starts"}));
    QCOMPARE(tabla.paTipoTarea[3].tdNextRunTime, -1.0);
    QCOMPARE(tabla.paTipoTarea[4].tdNextRunTime, D(2026, 3, 10, 12, 5));
    // Ascending by next run: the snoozed start-up reminder by its snooze time, the
    // plain one just before "Never".
    QCOMPARE(Nombres(tabla, Orden_Lista(tabla, 1, true)),
             (QStringList{"start", "past", "daily", "start", "past"}));
    QCOMPARE(Orden_Lista(tabla, 1, true), (QVector<int>{4, 1, 2, 3, 0}));
}

void TstListTexts::orden_data()
{
    QTest::addColumn<int>("columna");
    QTest::addColumn<bool>("ascendente");
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("nombre asc") << 0 << true << QStringList{"alpha", "Beta", "beta2", "delta", "Gamma", "omega", "zeta"};
    QTest::newRow("nombre desc") << 0 << false
                                 << QStringList{"zeta", "omega", "Gamma", "delta", "beta2", "Beta", "alpha"};
    QTest::newRow("proxima asc") << 1 << true
                                 << QStringList{"omega", "Beta", "Gamma", "alpha", "zeta", "beta2", "delta"};
    QTest::newRow("proxima desc") << 1 << false
                                  << QStringList{"delta", "beta2", "zeta", "alpha", "Gamma", "Beta", "omega"};
    QTest::newRow("ultima asc") << 2 << true
                                << QStringList{"Gamma", "zeta", "alpha", "Beta", "beta2", "delta", "omega"};
}

void TstListTexts::orden()
{
    QFETCH(int, columna);
    QFETCH(bool, ascendente);
    QFETCH(QStringList, esperado);
    TTablaTareas tabla;
    const double manana = D(2026, 3, 11, 9);
    tabla.paTipoTarea << Fila("zeta", -1, D(2026, 1, 1), TAREA_AL_INICIAR) // start-up: just before Never
                      << Fila("Gamma", manana, D(2025, 1, 1))
                      << Fila("delta", 0)                                  // Never
                      << Fila("Beta", manana)                              // same time as Gamma: by name
                      << Fila("alpha", D(2146, 1, 1), D(2026, 2, 1))       // a real date in 2146
                      << Fila("omega", D(2026, 3, 10, 12, 30))
                      << Fila("beta2", 0);
    QCOMPARE(Nombres(tabla, Orden_Lista(tabla, columna, ascendente)), esperado);
    // Each pair's order is the reverse of the other's.
    for (const TTipoTarea &a : tabla.paTipoTarea)
        for (const TTipoTarea &b : tabla.paTipoTarea)
            QCOMPARE(ListViewCompare(a, b, columna, ascendente) < 0, ListViewCompare(b, a, columna, ascendente) > 0);
}

void TstListTexts::orden_sin_copia_del_registro()
{
    const TTipoTarea a = Fila("a", D(2026, 3, 11));
    QCOMPARE(ListViewCompare(QStringLiteral("a"), &a, QStringLiteral("b"), nullptr, 1, true), 0);
    QCOMPARE(ListViewCompare(QStringLiteral("a"), nullptr, QStringLiteral("b"), &a, 2, false), 0);
    QVERIFY(ListViewCompare(QStringLiteral("a"), nullptr, QStringLiteral("b"), nullptr, 0, true) < 0);
}

// Only A to Z fold; other letters compare by their code.
void TstListTexts::nombres_solo_a_z()
{
    QCOMPARE(Comparar_Nombres_Lista(QStringLiteral("ABC"), QStringLiteral("abc")), 0);
    QVERIFY(Comparar_Nombres_Lista(QStringLiteral("ab"), QStringLiteral("ABC")) < 0);
    QVERIFY(Comparar_Nombres_Lista(QStringLiteral("Ñu"), QStringLiteral("ñu")) != 0);
    QVERIFY(Comparar_Nombres_Lista(QStringLiteral("a_"), QStringLiteral("AZ")) > 0); // "_" sorts after "Z"
    QCOMPARE(Comparar_Nombres_Lista(QString(), QString()), 0);
}

void TstListTexts::titulos_de_columnas()
{
    QCOMPARE(Titulo_Columna_Lista(1, 1), QStringLiteral("Próxima Ejecución"));
    QCOMPARE(Titulo_Columna_Lista(2, 1), QStringLiteral("Ultima Ejecución"));
    QCOMPARE(Titulo_Columna_Lista(0, 0), QStringLiteral("Name"));
}

// The filter's rule: containment in the name or in the message, case and accents ignored.
void TstListTexts::filtro_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("mensaje");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<bool>("queda");
    const auto fila = [](const char *caso, const char *n, const char *m, const char *f, bool q) {
        QTest::newRow(caso) << QString::fromUtf8(n) << QString::fromUtf8(m) << QString::fromUtf8(f) << q;
    };
    fila("accent in the name", "Café con Ana", "", "cafe", true);
    fila("capital with tilde", "ñandú", "", "ÑAND", true);
    fila("accent in the filter", "Cafe", "", "cafè", true);
    fila("decomposed name", "Cafe\u0301", "", "CAFÉ", true);
    fila("in the message", "Dentista", "Llamar a la\r\nClínica", "CLINICA", true);
    fila("ligature", "ﬁesta", "", "fies", true);
    fila("Greek final sigma", "ΣΊΣΥΦΟΣ", "", "σίσυφος", true);
    fila("empty filter keeps all", "", "", "", true);
    fila("not contained", "Café", "Ana", "cafa", false);
    fila("never across name and message", "Té", "verde", "teverde", false);
    fila("never across message lines", "x", "uno\r\ndos", "unodos", false);
    fila("tilde ignored in the name", "ñu", "", "nu", true);
    fila("tilde ignored in the filter", "nu", "", "ñu", true);
    fila("ASCII capitals and signs", "Pay the BILL #42!", "", "bill #42", true);
    fila("ASCII message, filter in capitals", "x", "Call\r\nDr. Smith", "DR. SMITH", true);
    fila("ASCII not contained", "Pay the bill", "", "bills", false);
}

void TstListTexts::filtro()
{
    QFETCH(QString, nombre);
    QFETCH(QString, mensaje);
    QFETCH(QString, filtro);
    QFETCH(bool, queda);
    TTipoTarea t;
    t.tsTaskName = nombre;
    t.tsMensaje = mensaje;
    QCOMPARE(TTextoFiltro(t).Coincide(Forma_Filtro(filtro)), queda);
}

// The streamed JSON is byte for byte what Qt's document writes for the same values:
// escapes, UTF-8, numbers, nesting, empty containers, and bytes taken out midway.
void TstListTexts::json_como_qt_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<double>("numero");
    QTest::addColumn<qint64>("entero");
    const QChar alta(0xd83d), baja(0xde00);
    QTest::newRow("simple") << "Rent" << 46091.506944444445 << qint64(1);
    QTest::newRow("vacio, cero") << "" << 0.0 << qint64(0);
    QTest::newRow("comillas y barras") << R"(say "hi" \ C:\tmp/x)" << -1.0 << qint64(-7);
    QTest::newRow("controles") << QString("a\b\f\n\r\tb") + QChar(0) + QChar(1) + QChar(0x1f) + QChar(0x7f)
                               << 1e-7 << qint64(17);
    QTest::newRow("acentos y cjk") << "Café ñandú 日本 ﬁ" << 123456789012345678.0 << std::numeric_limits<qint64>::max();
    QTest::newRow("par suplente") << QString("smile ") + alta + baja << 0.1 << qint64(2);
    QTest::newRow("suplentes sueltos") << QString(alta) + "x" + baja + alta << 1e300 << qint64(3);
    QTest::newRow("alto al final") << QString("end") + alta << std::numeric_limits<double>::infinity() << qint64(4);
    QTest::newRow("no es numero") << "nan" << std::numeric_limits<double>::quiet_NaN() << qint64(5);
    QTest::newRow("largo") << QString(70000, QChar(u'é')) << 5e-324 << qint64(6);
    // ASCII goes eight characters at a time: what must be escaped, or is not ASCII, at the
    // edges of those groups and of their ranges.
    QTest::newRow("de ocho en ocho") << QString("abcdefgh") + '"' + "1234567" + '\\' + "ABCDEFGHIJKLMNO" + QChar(0x1f) +
                                            " ~xyz" + QChar(0x7f) + "12" + QChar(0x80) + "tail of the text" + alta + baja
                                     << 2.5 << qint64(8);
    // Whole numbers up to 2^53 are integers to QJsonDocument; below 10^15 the others take
    // the standard library's shortest form, above it Qt's.
    QTest::newRow("menos cero") << "a" << -0.0 << qint64(9);
    QTest::newRow("cien mil") << "b" << 100000.0 << qint64(10);
    QTest::newRow("casi 10^15") << "c" << -999999999999999.9 << qint64(11);
    QTest::newRow("9e15") << "d" << -9e15 << qint64(12);
    QTest::newRow("9.1e15, above 2^53") << "d" << 9.1e15 << qint64(12);
    QTest::newRow("un segundo") << "e" << 46366.000011574074 << qint64(13);
}

void TstListTexts::json_como_qt()
{
    QFETCH(QString, texto);
    QFETCH(double, numero);
    QFETCH(qint64, entero);
    QJsonObject fila{{"name", texto}, {"nextRun", numero}, {"type", entero}};
    const QJsonObject esperado{{"empty", QJsonArray{}},
                               {"rows", QJsonArray{fila, QJsonObject{}, fila}},
                               {"zeta", QJsonObject{{"inner", QJsonArray{texto}}}}};

    TEscritorJson json;
    QByteArray hecho;
    const auto escribir_fila = [&](TEscritorJson &fJson) {
        fJson.Abrir_Objeto();
        fJson.Texto(QLatin1StringView("name"), texto);
        fJson.Numero(QLatin1StringView("nextRun"), numero);
        fJson.Entero(QLatin1StringView("type"), entero);
        fJson.Cerrar_Objeto();
        hecho += fJson.Bytes(); // taken out between values, as the list command does
        fJson.Bytes().clear();
    };
    json.Abrir_Objeto();
    json.Abrir_Arreglo(QLatin1StringView("empty"));
    json.Cerrar_Arreglo();
    json.Abrir_Arreglo(QLatin1StringView("rows"));
    // The first two rows in pieces that both start from where the writer stands (the
    // second one value further on), as the list command's threads write them, joined in
    // order; the writer then goes on after the last piece.
    TEscritorJson piezas[2];
    piezas[0].Seguir(json, 0);
    piezas[1].Seguir(json, 1);
    piezas[1].Abrir_Objeto();
    piezas[1].Cerrar_Objeto();
    hecho += json.Bytes();
    json.Bytes().clear();
    escribir_fila(piezas[0]);
    hecho += piezas[1].Bytes();
    json.Seguir(piezas[1], 0);
    escribir_fila(json);
    json.Cerrar_Arreglo();
    json.Abrir_Objeto(QLatin1StringView("zeta"));
    json.Abrir_Arreglo(QLatin1StringView("inner"));
    json.Texto({}, texto);
    json.Cerrar_Arreglo();
    json.Cerrar_Objeto();
    json.Cerrar_Objeto();
    hecho += json.Bytes();
    QCOMPARE(hecho, QJsonDocument(esperado).toJson(QJsonDocument::Indented));
}

QTEST_APPLESS_MAIN(TstListTexts)
#include "tst_listtexts.moc"
