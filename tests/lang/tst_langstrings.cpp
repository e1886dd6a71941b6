#include "lang/langstrings.h"
#include "lang/messagetranslator.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QRegularExpression>
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

    void messages_data()
    {
        QTest::addColumn<QString>("english"); QTest::addColumn<QString>("spanish");
        QTest::newRow("write") << "Cannot write %1: %2" << "No se puede escribir %1: %2";
        QTest::newRow("accents") << "The picture is %1x%2 pixels, not %3"
                                 << QStringLiteral("La imagen mide %1x%2 p\u00EDxeles, no %3");
        QTest::newRow("not a message") << "Files Zipped Successfully !" << "";
    }

    // Installed, the translator answers the program's context only.
    void messages()
    {
        QFETCH(QString, english); QFETCH(QString, spanish);
        QCOMPARE(SpanishMessage(english.toUtf8().constData()), spanish);
        MessageTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCOMPARE(QCoreApplication::translate("Quiltra", english.toUtf8().constData()),
                 spanish.isEmpty() ? english : spanish);
        QCOMPARE(QCoreApplication::translate("QIODevice", english.toUtf8().constData()), english);
        QVERIFY(QCoreApplication::removeTranslator(&translator));
        QCOMPARE(QCoreApplication::translate("Quiltra", english.toUtf8().constData()), english);
    }

    // Every message text in the sources has its Spanish text, keeping its placeholders.
    void everyMessageIsTranslated()
    {
        static const QRegularExpression Call(
            QStringLiteral("(?:\\bTr\\(|translate\\(\"Quiltra\",\\s*)\"((?:[^\"\\\\]|\\\\.)*)\""));
        QStringList found, missing;
        for (QDirIterator it(QStringLiteral(QUILTRA_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = Call.globalMatch(text); match.hasNext();) {
                const QString english = match.next().captured(1).replace(QStringLiteral("\\\""), QStringLiteral("\""));
                found << english;
                const QString spanish = SpanishMessage(english.toUtf8().constData());
                static const QRegularExpression Placeholder(QStringLiteral("%\\d"));
                QStringList a, b;
                for (auto m = Placeholder.globalMatch(english); m.hasNext();) a << m.next().captured();
                for (auto m = Placeholder.globalMatch(spanish); m.hasNext();) b << m.next().captured();
                a.sort(); b.sort();
                if (spanish.isEmpty() || a != b)
                    missing << english;
            }
        }
        QVERIFY(found.size() > 20);
        QVERIFY2(missing.isEmpty(), qPrintable("no Spanish text for: " + missing.join(" | ")));
    }
};

QTEST_GUILESS_MAIN(TestLangStrings)
#include "tst_langstrings.moc"
