// The snooze lengths and their captions: the words of both languages and the reading
// of a caption back into minutes.
#include "alerts/snooze.h"

#include <QTest>

class TestSnoozeCaptions : public QObject {
    Q_OBJECT
private slots:
    void captions_data();
    void captions();
    void choicesInMenuOrder();
    void everyCaptionReadsBack();
    void readingCaptions_data();
    void readingCaptions();
};

void TestSnoozeCaptions::captions_data()
{
    QTest::addColumn<int>("cantidad");
    QTest::addColumn<int>("unidad");
    QTest::addColumn<int>("lenguaje");
    QTest::addColumn<QString>("caption");
    const int m = int(TUnidadPosponer::Minutos), h = int(TUnidadPosponer::Horas), d = int(TUnidadPosponer::Dias);
    QTest::newRow("1 minute") << 1 << m << 0 << "Snooze 1 Minute";
    QTest::newRow("15 minutes") << 15 << m << 0 << "Snooze 15 Minutes";
    QTest::newRow("1 hour") << 1 << h << 0 << "Snooze 1 Hour";
    QTest::newRow("14 days") << 14 << d << 0 << "Snooze 14 Days";
    QTest::newRow("60 minutos") << 60 << m << 1 << "Posponer 60 Minutos";
    QTest::newRow("2 horas") << 2 << h << 1 << "Posponer 2 Horas";
    QTest::newRow("1 dia") << 1 << d << 1 << QString::fromUtf8("Posponer 1 Día");
    QTest::newRow("other language is English") << 5 << m << 7 << "Snooze 5 Minutes";
}

void TestSnoozeCaptions::captions()
{
    QFETCH(int, cantidad);
    QFETCH(int, unidad);
    QFETCH(int, lenguaje);
    QFETCH(QString, caption);
    QCOMPARE(Caption_Posponer(cantidad, TUnidadPosponer(unidad), lenguaje), caption);
}

void TestSnoozeCaptions::choicesInMenuOrder()
{
    QVector<int> esperados{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 30, 40, 50, 60};
    for (int h = 1; h <= 10; ++h)
        esperados << h * 60;
    for (int d = 1; d <= 14; ++d)
        esperados << d * 1440;
    const auto opciones = Opciones_Posponer(0);
    QVector<int> minutos;
    for (const auto &o : opciones)
        minutos << o.piMinutos;
    QCOMPARE(minutos, esperados);
    QCOMPARE(opciones[16].psCaption, QStringLiteral("Snooze 1 Hour"));
    QCOMPARE(opciones.last().psCaption, QStringLiteral("Snooze 14 Days"));
}

void TestSnoozeCaptions::everyCaptionReadsBack()
{
    for (int lenguaje : {0, 1})
        for (const auto &o : Opciones_Posponer(lenguaje))
            QCOMPARE(Minutos_De_Caption_Posponer(o.psCaption), o.piMinutos);
}

void TestSnoozeCaptions::readingCaptions_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("minutos");
    QTest::newRow("hour") << "Snooze 1 Hour" << 60;
    QTest::newRow("14 dias") << QString::fromUtf8("Posponer 14 Días") << 20160;
    QTest::newRow("5 minutes") << "Snooze 5 Minutes" << 5;
    QTest::newRow("accelerator marks") << "&Snooze 1&5 Min&utes" << 15;
    QTest::newRow("not a number") << "Snooze x Hours" << 5;
    QTest::newRow("no count") << "Snooze" << 5;
    QTest::newRow("unit case counts") << "Snooze 2 hours" << 2;
    QTest::newRow("unknown unit is minutes") << "Snooze 7 Weeks" << 7;
    QTest::newRow("no unit") << "Snooze 3" << 3;
    QTest::newRow("spanish hours") << "Posponer 3 Horas" << 180;
    QTest::newRow("huge count is cut, not wrapped") << "Snooze 2000000000 Days" << 2147483647;
}

void TestSnoozeCaptions::readingCaptions()
{
    QFETCH(QString, caption);
    QFETCH(int, minutos);
    QCOMPARE(Minutos_De_Caption_Posponer(caption), minutos);
}

QTEST_GUILESS_MAIN(TestSnoozeCaptions)
#include "test_snooze_captions.moc"
