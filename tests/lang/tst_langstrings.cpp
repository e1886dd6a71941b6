#include "langstrings.h"

#include <QTest>

class TestLangStrings : public QObject {
    Q_OBJECT
private slots:
    void entries_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("spanish");
        QTest::newRow("2") << 2 << "Unable To Locate HL.exe" << "No se Pudo Encontrar El Archivo HL.exe";
        // U+00F3, not a decomposed accent.
        QTest::newRow("5, accent") << 5 << "Resolution" << QStringLiteral("Resoluci\u00F3n");
        QTest::newRow("23") << 23 << "Unable To Locate Half-Life Resource Folder"
                            << "No Se Encontro La Carpeta Resource Del Half-Life";
        const QString success = "Imagen De Fondo Generada Satisfactoriamente";   // one text for every game
        QTest::newRow("0") << 0 << "Cs Background Generated Succesfully" << success;
        QTest::newRow("20") << 20 << "Dod Background Generated Succesfully" << success;
        QTest::newRow("30") << 30 << "Hal-Life Background Generated Succesfully" << success;
        for (int empty : {-1, 16, 19, 25, 29, 31})
            QTest::addRow("%d is empty", empty) << empty << QString() << QString();
    }

    void entries()
    {
        QFETCH(int, entry); QFETCH(QString, english); QFETCH(QString, spanish);
        LangStrings strings;
        QVERIFY(strings.Entry(entry).isEmpty());
        strings.ApplyEnglish();
        QCOMPARE(strings.Entry(entry), english);
        strings.ApplySpanish();
        QCOMPARE(strings.Entry(entry), spanish);
    }
};

QTEST_GUILESS_MAIN(TestLangStrings)
#include "tst_langstrings.moc"
