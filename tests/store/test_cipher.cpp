#include "cipher.h"
#include "storetestutil.h"

#include <QRandomGenerator>
#include <QtTest>

class TestCipher : public QObject {
    Q_OBJECT
private slots:
    void pad_data()
    {
        QTest::addColumn<int>("largo");
        QTest::addColumn<int>("tamano");
        QTest::addColumn<int>("esperado");
        QTest::newRow("empty") << 0 << 16 << 16;
        QTest::newRow("one") << 1 << 16 << 16;
        QTest::newRow("exact block") << 16 << 16 << 16;
        QTest::newRow("one over") << 17 << 16 << 32;
        QTest::newRow("key") << 4 << 32 << 32;
    }
    void pad()
    {
        QFETCH(int, largo);
        QFETCH(int, tamano);
        QFETCH(int, esperado);
        const QString s(largo, QLatin1Char('x'));
        const QString r = PadWithZeros(s, tamano);
        QCOMPARE(r.size(), esperado);
        QVERIFY(r.startsWith(s));
        for (qsizetype i = largo; i < r.size(); ++i)
            QCOMPARE(r.at(i).unicode(), char16_t(0));
    }

    // Made independently with the openssl command-line tool (AES-128-CBC, key and IV
    // "9934" in UTF-16LE with zeros, no padding, first half of the buffer only).
    void knownAnswers_data()
    {
        QTest::addColumn<QString>("plano");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("empty") << "" << "epPnKm5nmYI1QmEUT8WXQAAAAAAAAAAAAAAAAAAAAAA=";
        QTest::newRow("name") << "TaskName1=Hello" << "ieZDIf/S4+qRUrg8D8W2ljEAPQBIAGUAbABsAG8AAAA=";
        QTest::newRow("language") << "Lenguaje=0" << "M3Tzvt3d7OMj5VE8KVy5kT0AMAAAAAAAAAAAAAAAAAA=";
        QTest::newRow("accents")
            << QStringLiteral("Mensaje1=Café à 8h")
            << "xyjKaGLZw/f0JNoWxn6nSlqKNRFU0j2DugalR/RDd5s4AGgAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA==";
    }
    void knownAnswers()
    {
        QFETCH(QString, plano);
        QFETCH(QString, guardado);
        QCOMPARE(Encriptar(plano), guardado);
        QCOMPARE(DesEncriptar(guardado), plano);
    }

    void storedLength_data()
    {
        QTest::addColumn<int>("largo");
        QTest::addColumn<int>("guardado");
        QTest::newRow("empty") << 0 << 44;
        QTest::newRow("16") << 16 << 44;
        QTest::newRow("17") << 17 << 88;
        QTest::newRow("32") << 32 << 88;
        QTest::newRow("100") << 100 << 4 * ((2 * 112 + 2) / 3);
    }
    void storedLength()
    {
        QFETCH(int, largo);
        QFETCH(int, guardado);
        const QString s(largo, QLatin1Char('k'));
        QCOMPARE(Encriptar(s).size(), guardado);
        QCOMPARE(DesEncriptar(Encriptar(s)), s);
    }

    // The second half of the buffer is stored as the plain characters.
    void secondHalfIsPlain()
    {
        const QString s = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"); // 26 -> padded to 32
        const QByteArray bytes = QByteArray::fromBase64(Encriptar(s).toLatin1());
        QCOMPARE(bytes.size(), 64);
        const QString padded = PadWithZeros(s, 16);
        const QByteArray llano(reinterpret_cast<const char *>(padded.utf16()), 64);
        QCOMPARE(bytes.mid(32), llano.mid(32));
        QVERIFY(bytes.left(32) != llano.left(32));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("plano");
        QTest::newRow("blanks kept") << "  hello  ";
        QTest::newRow("equals signs") << "a==b=c=";
        QTest::newRow("non-ascii") << QStringLiteral("Miércoles, Mañana: ñandú €");
        QTest::newRow("surrogates") << QString::fromUtf8("emoji \xF0\x9F\x98\x80 end");
        QTest::newRow("long") << QString(1000, QLatin1Char('z'));
        QTest::newRow("tab and cr") << "a\tb\rc";
    }
    void roundTrip()
    {
        QFETCH(QString, plano);
        const QString guardado = Encriptar(plano);
        for (QChar c : guardado)
            QVERIFY(c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('/') || c == QLatin1Char('='));
        QCOMPARE(DesEncriptar(guardado), plano);
    }

    void shortOrBadInput_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::newRow("empty") << "";
        QTest::newRow("three chars") << "abc";
        QTest::newRow("not base64") << "!!!!****";
        QTest::newRow("plain text") << "TaskName1=Hello";
        QTest::newRow("equals inside") << "ab=c defg";
        QTest::newRow("non-latin") << QStringLiteral("ññññññññ");
    }
    void shortOrBadInput()
    {
        QFETCH(QString, entrada);
        const QString r = DesEncriptar(entrada);
        if (entrada.size() < 4)
            QVERIFY(r.isEmpty());
        // Whatever comes out holds no key that a reminder file uses.
        QVERIFY(!r.startsWith(QStringLiteral("TaskName1=")));
    }

    // Lines made only of Base64 characters take the quick decoder; any other character
    // sends the line to OpenSSL's. Both read "=" as zero bits, as "A" is.
    void decoderEdges_data()
    {
        QTest::addColumn<int>("lugar");
        QTest::addColumn<QChar>("signo");
        QTest::addColumn<QString>("igualA"); // the same line with "A" there, or "" for no text
        const QString a = QStringLiteral("A");
        QTest::newRow("= in the first group") << 1 << QChar('=') << a;
        QTest::newRow("= in the middle") << 21 << QChar('=') << a;
        QTest::newRow("blank in the middle") << 21 << QChar(' ') << QString();
        QTest::newRow("url-safe minus") << 6 << QChar('-') << QString();
        QTest::newRow("Latin-1 letter") << 9 << QChar(0xe9) << QString();
        // Each group of 16 is checked at once: the neighbours of every range, in later groups.
        QTest::newRow("= ending a group of 16") << 15 << QChar('=') << a;
        QTest::newRow("Latin-1 letter in a later group") << 17 << QChar(0xe9) << QString();
        QTest::newRow("@ below A") << 18 << QChar('@') << QString();
        QTest::newRow("[ above Z") << 35 << QChar('[') << QString();
        QTest::newRow("` below a") << 40 << QChar('`') << QString();
        QTest::newRow("{ above z") << 50 << QChar('{') << QString();
        QTest::newRow(": above 9") << 61 << QChar(':') << QString();
        QTest::newRow(". below /") << 79 << QChar('.') << QString();
    }
    void decoderEdges()
    {
        QFETCH(int, lugar);
        QFETCH(QChar, signo);
        QFETCH(QString, igualA);
        QString linea = Encriptar(QStringLiteral("FechaInicio=46365.5"));
        linea[lugar] = signo;
        QString conA = Encriptar(QStringLiteral("FechaInicio=46365.5"));
        conA[lugar] = QLatin1Char('A');
        QCOMPARE(DesEncriptar(linea), igualA.isEmpty() ? QString() : DesEncriptar(conA));
    }

    // Odd lengths decode the tail with the block cipher's stream, never crash.
    void oddLengths()
    {
        const QString guardado = Encriptar(QStringLiteral("0123456789abcdefXYZ"));
        for (int corte = 4; corte <= guardado.size(); ++corte)
            DesEncriptar(guardado.left(corte));
        // 20 bytes = 10 characters: no whole block, so the first ten bytes are XORed with
        // E(IV) and the last ten stay. E(IV) made with "openssl enc -aes-128-ecb -nopad".
        const QByteArray eIv = QByteArray::fromHex("7a93e72a6e679982354261144fc59740");
        QByteArray esperado = QByteArray::fromBase64(guardado.left(28).toLatin1()).left(20);
        for (int i = 0; i < 10; ++i)
            esperado[i] = char(esperado[i] ^ eIv[i]);
        const QString diez = DesEncriptar(guardado.left(28));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(diez.utf16()), 2 * diez.size()), esperado);
        // 36 bytes = 18 characters: one whole block deciphers to the plain "01234567", and
        // the 2 bytes after it are XORed with E(first ciphertext block), made the same way.
        const QByteArray eC1 = QByteArray::fromHex("819a83202a8df827969434243e6ad126");
        const QByteArray cifrado = QByteArray::fromBase64(guardado.left(48).toLatin1());
        QCOMPARE(cifrado.size(), 36);
        esperado = QByteArray(reinterpret_cast<const char *>(u"01234567"), 16) + cifrado.mid(16);
        esperado[16] = char(esperado[16] ^ eC1[0]);
        esperado[17] = char(esperado[17] ^ eC1[1]);
        const QString dieciocho = DesEncriptar(guardado.left(48));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(dieciocho.utf16()), 2 * dieciocho.size()), esperado);
    }

    void randomJunkNeverHangs()
    {
        QRandomGenerator rng(1234);
        for (int i = 0; i < 3000; ++i) {
            QString s;
            const int n = int(rng.bounded(200));
            for (int k = 0; k < n; ++k)
                s += QChar(char16_t(rng.bounded(i % 2 ? 128 : 65536)));
            DesEncriptar(s);
            const QString b64 = QString::fromLatin1(QByteArray(n, 'A').toBase64());
            DesEncriptar(b64);
        }
        QVERIFY(DesEncriptar(Encriptar(QStringLiteral("still works"))) == QStringLiteral("still works"));
    }
};

QTEST_GUILESS_MAIN(TestCipher)
#include "test_cipher.moc"
