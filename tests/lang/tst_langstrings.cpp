#include "langstrings.h"

#include <QTest>

class TestLangStrings : public QObject {
    Q_OBJECT
private slots:
    void entries_data();
    void entries();
    void spanishAccentAndSuccess();
    void emptyEntries();
};

void TestLangStrings::entries_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("spanish");
    QTest::newRow("2") << 2 << "Unable To Locate HL.exe" << "No se Pudo Encontrar El Archivo HL.exe";
    QTest::newRow("7") << 7 << "Load Picture" << "Cargar Imagen";
    QTest::newRow("18") << 18 << "Make Dod Background" << "Crear Fondo Dod";
    QTest::newRow("23") << 23 << "Unable To Locate Half-Life Resource Folder"
                        << "No Se Encontro La Carpeta Resource Del Half-Life";
    QTest::newRow("30") << 30 << "Hal-Life Background Generated Succesfully"
                        << "Imagen De Fondo Generada Satisfactoriamente";
}

void TestLangStrings::entries()
{
    QFETCH(int, entry);
    QFETCH(QString, english);
    QFETCH(QString, spanish);
    LangStrings strings;
    QVERIFY(strings.Entry(entry).isEmpty());
    strings.ApplyEnglish();
    QCOMPARE(strings.Entry(entry), english);
    strings.ApplySpanish();
    QCOMPARE(strings.Entry(entry), spanish);
}

void TestLangStrings::spanishAccentAndSuccess()
{
    LangStrings strings;
    strings.ApplySpanish();
    const QString resolution = strings.Entry(5);
    QCOMPARE(resolution.size(), 10);
    QCOMPARE(resolution.at(8), QChar(0x00F3));
    QCOMPARE(resolution.left(8) + resolution.at(9), QStringLiteral("Resolucin"));
    for (int game = 1; game < 4; ++game)
        QCOMPARE(strings.Entry(game * 10), strings.Entry(0));
    strings.ApplyEnglish();
    QCOMPARE(strings.Entry(20), QStringLiteral("Dod Background Generated Succesfully"));
}

void TestLangStrings::emptyEntries()
{
    LangStrings strings;
    strings.ApplySpanish();
    strings.ApplyEnglish();
    int filled = 0;
    for (int i = -1; i <= LangEntryCount; ++i)
        filled += strings.Entry(i).isEmpty() ? 0 : 1;
    QCOMPARE(filled, 24);
    for (int entry : {16, 19, 25, 29, -1, 31})
        QVERIFY(strings.Entry(entry).isEmpty());
}

QTEST_GUILESS_MAIN(TestLangStrings)
#include "tst_langstrings.moc"
