// The numbered keys of a reminder file ("Mensaje" + n, "Summary" + n): found in one
// pass, with exactly the keys the writers produce, in number order.

#include "reminderfile.h"

#include <QTest>

class TestNumberedKeys : public QObject {
    Q_OBJECT
private slots:
    void numbered_data()
    {
        QTest::addColumn<QStringList>("lineas");
        QTest::addColumn<QStringList>("valores");
        QTest::newRow("number order, not line order")
            << QStringList{"Mensaje10=diez", "Mensaje9=nueve", "Mensaje1=uno"} << QStringList{"uno", "nueve", "diez"};
        QTest::newRow("any letter case, trimmed, blanks and gaps dropped")
            << QStringList{"MENSAJE3=  tres ", "mensaje2=   ", "Mensaje5=cinco"} << QStringList{"tres", "cinco"};
        QTest::newRow("other spellings of the number are other keys")
            << QStringList{"Mensaje01=a", "Mensaje0=b", "Mensaje+2=c", "Mensaje 2=d", "Mensaje2x=e", "Mensaje=f"}
            << QStringList{};
        QTest::newRow("only up to the maximum")
            << QStringList{"Mensaje500=ultimo", "Mensaje501=fuera", "Mensaje99999999999=fuera"}
            << QStringList{"ultimo"};
        QTest::newRow("first line of a key wins")
            << QStringList{"Mensaje1=primera", "mensaje1=segunda"} << QStringList{"primera"};
        QTest::newRow("other prefixes ignored") << QStringList{"Summary1=s", "Mensajes1=x", "Mensaje2=m"}
                                                << QStringList{"m"};
    }
    void numbered()
    {
        QFETCH(QStringList, lineas);
        QFETCH(QStringList, valores);
        QCOMPARE(TValoresTarea(lineas).Valores_Numerados(QStringLiteral("Mensaje"), 500), valores);
    }
};

QTEST_GUILESS_MAIN(TestNumberedKeys)
#include "test_numberedkeys.moc"
