// The sound naming rule: which shown names map to a numbered file and which stay.
#include "alerts/soundnames.h"

#include <QTest>

class TestSoundNames : public QObject {
    Q_OBJECT
private slots:
    void mapping_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("legend");
        QTest::addColumn<QString>("file");
        QTest::newRow("lower case") << "sound 7" << "Sound" << "s7.mp3";
        QTest::newRow("upper case") << "SOUND 7" << "Sound" << "s7.mp3";
        QTest::newRow("first") << "Sound 1" << "Sound" << "s1.mp3";
        QTest::newRow("last") << "Sound 50" << "Sound" << "s50.mp3";
        QTest::newRow("past the last") << "Sound 51" << "Sound" << "Sound 51";
        QTest::newRow("zero") << "Sound 0" << "Sound" << "Sound 0";
        QTest::newRow("leading zero") << "Sound 07" << "Sound" << "Sound 07";
        QTest::newRow("two blanks") << "Sound  7" << "Sound" << "Sound  7";
        QTest::newRow("a file name") << "Chimes.wav" << "Sound" << "Chimes.wav";
        QTest::newRow("Spanish") << "sonido 12" << "Sonido" << "s12.mp3";
        QTest::newRow("other language's word") << "Sound 12" << "Sonido" << "Sound 12";
        // Only A to Z fold: an accented capital is another letter.
        QTest::newRow("accent folds not") << "SÓNIDO 3" << "Sónido" << "SÓNIDO 3";
        QTest::newRow("empty") << "" << "Sound" << "";
    }
    void mapping()
    {
        QFETCH(QString, name);
        QFETCH(QString, legend);
        QFETCH(QString, file);
        QCOMPARE(Convertir_Sound_X_a_sX_mp3(name, legend), file);
    }
};

QTEST_APPLESS_MAIN(TestSoundNames)
#include "test_soundnames.moc"
