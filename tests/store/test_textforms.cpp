#include "storetestutil.h"
#include "daycount.h"
#include "textforms.h"

#include <QtTest>
#include <ctime>

class TestTextForms : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(Usar_Locale_Con_Coma(), "no locale with a decimal comma"); }

    // Today's date is kept for a moment only: a change of zone shows within a second, and
    // "Today" always names the date of the clock.
    void todayFollowsTheZone()
    {
        const QByteArray zona = qgetenv("TZ");
        const auto poner = [](const char *rsZona) {
            qputenv("TZ", rsZona);
            tzset();
        };
        poner("UTC-14"); // fourteen hours east
        const QDate este = Fecha_Hoy();
        QCOMPARE(este, Dias_a_Fecha(Ahora()));
        QCOMPARE(Convertir_FechaHora_a_Cadena(Ahora(), " ", true, false, false, false, true, 0), QStringLiteral("Today"));
        poner("UTC+12"); // twelve hours west: always an earlier date
        QThread::msleep(1100);
        const QDate oeste = Fecha_Hoy();
        QVERIFY2(oeste < este, qPrintable(oeste.toString() + " " + este.toString()));
        QCOMPARE(oeste, Dias_a_Fecha(Ahora()));
        if (zona.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", zona);
        tzset();
    }
    void cleanup() { Establecer_Reloj({}); }

    void fileForm_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        QTest::newRow("10:30 on 2010-12-08") << 40520.4375 << "405204375";
        QTest::newRow("whole day") << 40520.0 << "40520";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("minus one") << -1.0 << "-1";
        QTest::newRow("noon") << 46000.5 << "460005";
        QTest::newRow("15 significant digits") << 40520.123456789012345 << "40520123456789";
    }
    void fileForm()
    {
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(Float_To_Str_Sin_Punto(valor), texto);
        if (valor != -1.0)
            QCOMPARE(Float_To_Str_Sin_Punto(Str_To_Float_Sin_Punto(texto)), texto);
    }

    void readFileForm_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("valor");
        QTest::newRow("with time") << "405204375" << 40520.4375;
        QTest::newRow("whole") << "40520" << 40520.0;
        QTest::newRow("zero") << "0" << 0.0;
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("letters") << "abc" << -1.0;
        QTest::newRow("comma") << "40520,4375" << -1.0;
        QTest::newRow("already a point") << "40520.4375" << -1.0;
        QTest::newRow("junk after") << "405204375x" << -1.0;
        QTest::newRow("nan") << "nan" << -1.0;
        QTest::newRow("inf") << "inf" << -1.0;
    }
    void readFileForm()
    {
        QFETCH(QString, texto);
        QFETCH(double, valor);
        QCOMPARE(Str_To_Float_Sin_Punto(texto), valor);
    }

    // Every minute of a day survives the file form, and reads back as that minute
    // (the stored value may be a few microseconds early).
    void fileFormEveryMinute()
    {
        for (int y : {1927, 2010, 2026, 2173}) {
            const double dia = Dia(y, y == 1927 ? 6 : 3, 15);
            for (int m = 0; m < 24 * 60; ++m) {
                const double v = dia + m / 1440.0;
                const double leido = Str_To_Float_Sin_Punto(Float_To_Str_Sin_Punto(v));
                QVERIFY2(std::fabs(leido - v) < 1e-9, qPrintable(Float_To_Str_Sin_Punto(v)));
                QCOMPARE(Dias_a_Hora(leido), QTime(m / 60, m % 60));
                QCOMPARE(Dias_a_Fecha(leido), Dias_a_Fecha(v));
            }
        }
    }

    void ampmTo24_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("salida");
        QTest::newRow("one-digit hour") << "8:00 AM" << "08:00";
        QTest::newRow("12:30 AM") << "12:30 AM" << "00:30";
        QTest::newRow("12:30 PM") << "12:30 PM" << "12:30";
        QTest::newRow("lower-case pm") << "05:15 pm" << "17:15";
        QTest::newRow("midnight") << "12:00 AM" << "00:00";
        QTest::newRow("noon") << "12:00 PM" << "12:00";
        QTest::newRow("leading blank") << " 09:00 AM" << "12:00";
        QTest::newRow("00:00 AM") << "00:00 AM" << "00:00";
        QTest::newRow("13 PM gives 25") << "13:00 PM" << "25:00";
        QTest::newRow("too short") << "bad" << "12:00";
        QTest::newRow("empty") << "" << "12:00";
        QTest::newRow("hour not a number, PM") << "ab:00 PM" << "12:00";
        QTest::newRow("hour not a number, AM") << "ab:00 AM" << "ab:00";
    }
    void ampmTo24()
    {
        QFETCH(QString, entrada);
        QFETCH(QString, salida);
        QCOMPARE(Convertir_HHMMAMPM_a_HHMM(entrada), salida);
    }

    void hhmmInverseEveryMinute()
    {
        const double dia = Dia(2026, 12, 9);
        for (int m = 0; m < 24 * 60; ++m) {
            const double v = dia + m / 1440.0;
            const QString doce = Convertir_Fecha_a_HHMM(v, true);
            const QString veinticuatro = Convertir_Fecha_a_HHMM(v, false);
            QCOMPARE(veinticuatro, QTime(m / 60, m % 60).toString(QStringLiteral("HH:mm")));
            QCOMPARE(Convertir_HHMMAMPM_a_HHMM(doce), veinticuatro);
            QCOMPARE(Convertir_HHMM_a_Fecha(veinticuatro, dia), v);
        }
        QCOMPARE(Convertir_Fecha_a_HHMM(dia + 5 / 1440.0, true), QStringLiteral("12:05 AM"));
        QCOMPARE(Convertir_Fecha_a_HHMM(dia + 17.5 / 24, true), QStringLiteral("05:30 PM"));
    }

    void hhmmToDate_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("esperado");
        const double d = Dia(2026, 12, 9);
        QTest::newRow("one-digit hour") << "7:45" << d + (7 * 60 + 45) / 1440.0;
        QTest::newRow("two digits") << "23:59" << d + (23 * 60 + 59) / 1440.0;
        QTest::newRow("third char not examined") << "07x45" << d + (7 * 60 + 45) / 1440.0;
        QTest::newRow("24:00") << "24:00" << 0.0;
        QTest::newRow("minutes 60") << "10:60" << 0.0;
        QTest::newRow("7.45x") << "7.45x" << 0.0;
        QTest::newRow("too long") << "07:45:00" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign") << "-1:00" << 0.0;
    }
    void hhmmToDate()
    {
        QFETCH(QString, texto);
        QFETCH(double, esperado);
        // The time of day of the date argument does not count.
        QCOMPARE(Convertir_HHMM_a_Fecha(texto, Dia(2026, 12, 9, 15, 20)), esperado);
    }

    void joinDateAndTime()
    {
        const double fecha = Dia(2026, 12, 9, 23, 59, 59);
        const double hora = Dia(2000, 1, 1, 7, 8, 9) + 0.4 / 86400.0;
        QCOMPARE(Obtener_Fecha_Hora(fecha, hora), Dia(2026, 12, 9, 7, 8, 9));
    }

    void splitAtSign()
    {
        QString s = QStringLiteral("a,b,c");
        QCOMPARE(Extraer_Cadena_Hasta_Signo(s, QLatin1Char(',')), QStringLiteral("a"));
        QCOMPARE(s, QStringLiteral("b,c"));
        s = QStringLiteral("abc");
        QCOMPARE(Extraer_Cadena_Hasta_Signo(s, QLatin1Char(',')), QStringLiteral("abc"));
        QVERIFY(s.isEmpty());
        s = QStringLiteral(",x");
        QCOMPARE(Extraer_Cadena_Hasta_Signo(s, QLatin1Char(',')), QString());
        QCOMPARE(s, QStringLiteral("x"));
    }

    void displayText_data()
    {
        QTest::addColumn<double>("fecha");
        QTest::addColumn<QString>("separador");
        QTest::addColumn<int>("banderas"); // 1 date, 2 time, 4 seconds, 8 two digits, 16 today words
        QTest::addColumn<int>("lenguaje");
        QTest::addColumn<QString>("texto");
        const double hoy = Dia(2026, 12, 9);
        QTest::newRow("00:30 one digit") << hoy + 0.5 / 24 << " " << 2 + 4 << 0 << "0:30:00 AM";
        QTest::newRow("noon") << hoy + 0.5 << " " << 2 + 4 << 0 << "12:00:00 PM";
        QTest::newRow("two digits") << hoy + (9 + 5 / 60.0) / 24 << "" << 2 + 4 + 8 << 0 << "09:05:00 AM";
        QTest::newRow("17:07 no seconds") << hoy + (17 + 7 / 60.0) / 24 << "" << 2 << 0 << "5:07 PM";
        QTest::newRow("english date") << Dia(2010, 12, 8, 10, 30) << " at " << 1 + 2 << 0 << "Dec 8, 2010 at 10:30 AM";
        QTest::newRow("spanish date") << Dia(2010, 12, 8, 10, 30) << " a las " << 1 + 2 << 1 << "8/Dic/2010 a las 10:30 AM";
        QTest::newRow("date alone") << Dia(2026, 1, 5) << " " << 1 << 1 << "5/Ene/2026";
        QTest::newRow("neither flag gives both") << Dia(2026, 8, 1, 13) << "" << 0 << 0 << "Aug 1, 2026 1:00 PM";
        QTest::newRow("today") << hoy + 0.25 << " " << 1 + 2 + 16 << 0 << "Today 6:00 AM";
        QTest::newRow("yesterday") << hoy - 1 << " " << 1 + 16 << 0 << "Yesterday";
        QTest::newRow("tomorrow es") << hoy + 1 << " " << 1 + 16 << 1 << "Mañana";
        QTest::newRow("hoy") << hoy << " " << 1 + 16 << 1 << "Hoy";
        QTest::newRow("ayer") << hoy - 1 << " " << 1 + 16 << 1 << "Ayer";
        QTest::newRow("two days on") << hoy + 2 << " " << 1 + 16 << 0 << "Dec 11, 2026";
        QTest::newRow("words off") << hoy << " " << 1 << 0 << "Dec 9, 2026";
    }
    void displayText()
    {
        QFETCH(double, fecha);
        QFETCH(QString, separador);
        QFETCH(int, banderas);
        QFETCH(int, lenguaje);
        QFETCH(QString, texto);
        Establecer_Reloj([] { return QDateTime(QDate(2026, 12, 9), QTime(18, 0)); });
        QCOMPARE(Convertir_FechaHora_a_Cadena(fecha, separador, banderas & 1, banderas & 2, banderas & 4,
                                              banderas & 8, banderas & 16, lenguaje),
                 texto);
    }

    // 08:00 stored a hair early still shows as 8:00:00, never 7:59:59.
    void displayRoundsToMillisecond()
    {
        const double casi = Dia(2026, 12, 9, 8) - 3e-6 / 86400.0; // 3 microseconds early
        QCOMPARE(Convertir_FechaHora_a_Cadena(casi, "", false, true, true, false, false, 0),
                 QStringLiteral("8:00:00 AM"));
    }

    // The one-pass reading of a month or day list finds what a look-up of each number's
    // ",NN," finds.
    void numbersOfList_data()
    {
        QTest::addColumn<QString>("lista");
        for (const char *lista : {",01,03,12,", ",1,2,", ",01,,02,", ",001,", ",32,31,", ",00,99,", "01,02",
                                  ",01,02", ",0a,", "", ",12,", ",01,02,03,04,05,06,07,08,09,10,11,12,"})
            QTest::newRow(lista) << QString::fromLatin1(lista);
    }
    void numbersOfList()
    {
        QFETCH(QString, lista);
        bool hay[33];
        Numeros_De_Lista(lista, hay, 32);
        QVERIFY(!hay[0]);
        for (int n = 1; n <= 32; ++n)
            QVERIFY2(hay[n] == lista.contains(QLatin1Char(',') + Numero_Con_Ceros(n, 2) + QLatin1Char(',')),
                     qPrintable(QString::number(n)));
    }

    void integers_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("valor");
        QTest::newRow("plain") << "2" << true << 2;
        QTest::newRow("padded") << "00030" << true << 30;
        QTest::newRow("negative") << "-5" << true << -5;
        QTest::newRow("plus") << "+7" << true << 7;
        QTest::newRow("blanks") << "  12\t" << true << 12;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("decimal") << "1.5" << false << 0;
        QTest::newRow("too big") << "99999999999" << false << 0;
        QTest::newRow("sign alone") << "-" << false << 0;
        QTest::newRow("double sign") << "+-3" << false << 0;
    }
    void integers()
    {
        QFETCH(QString, texto);
        QFETCH(bool, ok);
        QFETCH(int, valor);
        qint32 leido = 0;
        QCOMPARE(Leer_Entero(texto, leido), ok);
        if (ok)
            QCOMPARE(leido, valor);
    }
};

QTEST_GUILESS_MAIN(TestTextForms)
#include "test_textforms.moc"
