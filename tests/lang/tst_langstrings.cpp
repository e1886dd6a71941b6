#include "lang/langstrings.h"
#include "lang/messagetranslator.h"

#include <QCoreApplication>
#include <QTest>

class TestLangStrings : public QObject {
    Q_OBJECT
private slots:
    // The entries the window names, the first and last per-game ones, and empty ones.
    void entries_data()
    {
        QTest::addColumn<int>("entry"); QTest::addColumn<QString>("english"); QTest::addColumn<QString>("spanish");
        const QString success = "Imagen De Fondo Generada Satisfactoriamente";   // one text for every game
        QTest::newRow("0") << 0 << "Cs Background Generated Succesfully" << success;
        QTest::newRow("5, a composed accent") << 5 << "Resolution" << QStringLiteral("Resoluci\u00F3n");
        QTest::newRow("24") << 24 << "Make HL Background" << "Crear Fondo HL";
        QTest::newRow("30") << 30 << "Hal-Life Background Generated Succesfully" << success;
        for (int empty : {-1, 16, 31})
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

    // Installed, the translator answers the program's context only; every other text is
    // checked by tst_translations.
    void messages()
    {
        const char *english = "Cannot write %1: %2";
        MessageTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCOMPARE(QCoreApplication::translate("Quiltra", english), QStringLiteral("No se puede escribir %1: %2"));
        QCOMPARE(QCoreApplication::translate("QIODevice", english), english);
        QVERIFY(QCoreApplication::removeTranslator(&translator));
        QCOMPARE(QCoreApplication::translate("Quiltra", english), english);
    }
};

QTEST_GUILESS_MAIN(TestLangStrings)
#include "tst_langstrings.moc"
