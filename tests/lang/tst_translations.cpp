#include "common/testfiles.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// lupdate, run over src/ into a copy of quiltra_es.ts as the README says to regenerate it,
// must leave the copy as it is: a text added or changed in the code comes in unfinished, one
// dropped goes. Every translation is finished and keeps its source's placeholders, and the
// texts shown in English in both languages are not offered for translation at all.
class TestTranslations : public QObject {
    Q_OBJECT
    const QString m_repository = QStringLiteral(QUILTRA_SOURCE_DIR "/src/lang/quiltra_es.ts");
    QByteArray m_regenerated;

    static QStringList placeholders(const QString &text)
    {
        QStringList found;
        for (auto match = QRegularExpression("%L?\\d+").globalMatch(text); match.hasNext();)
            found << match.next().captured();
        found.sort();
        return found;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStringLiteral(QUILTRA_LUPDATE).isEmpty(),
                 "lupdate (Debian: qt6-l10n-tools) was not found when the build was configured");
        QTemporaryDir dir;
        const QString copy = dir.filePath("quiltra_es.ts");
        QVERIFY(QFile::copy(m_repository, copy));
        QProcess lupdate;
        lupdate.start(QUILTRA_LUPDATE, {QUILTRA_SOURCE_DIR "/src", "-extensions", "cpp,h", "-source-language", "en",
                                        "-target-language", "es", "-no-obsolete", "-locations", "none", "-ts", copy});
        QVERIFY2(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0, lupdate.readAllStandardError());
        m_regenerated = ReadBytes(copy);
        QVERIFY(m_regenerated.count("<message>") > 50);
    }

    void current()
    {
        const QList<QByteArray> now = m_regenerated.split('\n'), kept = ReadBytes(m_repository).split('\n');
        for (qsizetype i = 0; i < now.size(); ++i)
            QVERIFY2(now[i] == kept.value(i), "src/lang/quiltra_es.ts is not current at line " + QByteArray::number(i + 1)
                                                  + ": " + now[i] + "; regenerate it with lupdate and translate");
        QCOMPARE(now.size(), kept.size());
    }

    void translated_data()
    {
        QTest::addColumn<QString>("source"); QTest::addColumn<QString>("translation"); QTest::addColumn<bool>("finished");
        static const QRegularExpression Message("<source>(.*?)</source>\\s*<translation( type=\"unfinished\")?>(.*?)</",
                                                QRegularExpression::DotMatchesEverythingOption);
        for (auto match = Message.globalMatch(QString::fromUtf8(m_regenerated)); match.hasNext();) {
            const QRegularExpressionMatch message = match.next();
            QTest::newRow(qPrintable(message.captured(1))) << message.captured(1) << message.captured(3)
                                                           << message.captured(2).isEmpty();
        }
    }
    void translated()
    {
        QFETCH(QString, source); QFETCH(QString, translation); QFETCH(bool, finished);
        QVERIFY2(finished && !translation.trimmed().isEmpty(), "no Spanish in src/lang/quiltra_es.ts");
        QCOMPARE(placeholders(translation), placeholders(source));
    }

    // The start-up dialogs (the language dialog comes before any choice) and the window's
    // English-only captions, messages and titles.
    void staysEnglish_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"Zip Files", "Files Zipped Successfully !", "Error: Files Not Zipped Correctly.",
                                 "First Make The Background !", "Zip Files...", "Load Picture...", "Extra Parameters",
                                 "Quiltra", "Quiltra 3.0", "Quiltra v3.0", "Choose Languaje / Seleccione Idioma",
                                 "English", "Espa\u00f1ol", "Choose Game", "Ok", "Counter Strike 1.6",
                                 "Counter Strike Condition Zero", "Day Of Defeat", "Half-Life DeathMatch"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }
    void staysEnglish()
    {
        QFETCH(QString, text);
        QVERIFY2(!m_regenerated.contains("<source>" + text.toUtf8() + "</source>"), "offered for translation");
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
