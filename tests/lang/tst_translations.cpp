#include "lang/messagetranslator.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Message {
    QString context, source, translation;
    bool finished = false;
};

// The messages of a .ts file in its order; empty with `error` set when it cannot be read.
QList<Message> ReadTs(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + ": " + file.errorString();
        return {};
    }
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"message")
            messages.append({context, {}, {}, false});
        else if (xml.name() == u"source" && !messages.isEmpty())
            messages.last().source = xml.readElementText();
        else if (xml.name() == u"translation" && !messages.isEmpty()) {
            messages.last().finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            messages.last().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    if (xml.hasError())
        *error = path + ": " + xml.errorString();
    return messages;
}

QStringList Placeholders(const QString &text)
{
    static const QRegularExpression Placeholder(QStringLiteral("%L?\\d+"));
    QStringList found;
    for (auto match = Placeholder.globalMatch(text); match.hasNext();)
        found << match.next().captured();
    found.sort();
    return found;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
    QList<Message> m_extracted;          // what lupdate finds in src/ now
    QHash<QString, Message> m_spanish;   // quiltra_es.ts, by context and source
    MessageTranslator m_translator;      // the compiled quiltra_es.ts the program holds

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStringLiteral(QUILTRA_LUPDATE).isEmpty(),
                 "lupdate (Qt Linguist tools; Debian: qt6-l10n-tools) was not found when the build was "
                 "configured, so the texts in src/ cannot be checked; install it and configure again");
        QTemporaryDir dir;
        QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
        QProcess lupdate;
        lupdate.start(QStringLiteral(QUILTRA_LUPDATE),
                      {QStringLiteral(QUILTRA_SOURCE_DIR "/src"), "-extensions", "cpp,h", "-locations", "none",
                       "-ts", dir.filePath("now.ts")});
        QVERIFY2(lupdate.waitForFinished(120000) && lupdate.exitStatus() == QProcess::NormalExit
                     && lupdate.exitCode() == 0,
                 qPrintable("lupdate failed: " + lupdate.errorString() + lupdate.readAllStandardError()));
        QString error;
        m_extracted = ReadTs(dir.filePath("now.ts"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(m_extracted.size() > 50, "lupdate found almost no texts in src/");
        for (const Message &message : ReadTs(QStringLiteral(QUILTRA_SOURCE_DIR "/src/lang/quiltra_es.ts"), &error))
            m_spanish.insert(message.context + u'\n' + message.source, message);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    // One row per text lupdate finds in src/.
    void translated_data()
    {
        QTest::addColumn<QString>("context"); QTest::addColumn<QString>("source");
        for (const Message &message : m_extracted)
            QTest::newRow(qPrintable(message.context + ": " + message.source)) << message.context << message.source;
    }

    // Every text has a finished Spanish text in quiltra_es.ts with the same placeholders, and
    // the program's compiled translations give it.
    void translated()
    {
        QFETCH(QString, context); QFETCH(QString, source);
        const Message spanish = m_spanish.value(context + u'\n' + source);
        QVERIFY2(spanish.finished && !spanish.translation.trimmed().isEmpty(),
                 qPrintable("no finished Spanish in src/lang/quiltra_es.ts for \"" + source
                            + "\"; regenerate it with lupdate and translate the text"));
        QCOMPARE(Placeholders(spanish.translation), Placeholders(source));
        QCOMPARE(m_translator.translate(context.toUtf8().constData(), source.toUtf8().constData()),
                 spanish.translation);
    }

    // Texts shown in English whichever language is chosen: the start-up dialogs (the language
    // dialog comes before any choice) and the window's own English-only captions and messages.
    void staysEnglish_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"Zip Files", "Files Zipped Successfully !", "Error: Files Not Zipped Correctly.",
                                 "First Make The Background !", "Zip Files...", "Load Picture...",
                                 "Extra Parameters", "Quiltra", "Quiltra 3.0", "Quiltra v3.0",
                                 "Choose Languaje / Seleccione Idioma", "English", "Espa\u00f1ol", "Choose Game",
                                 "Ok", "Counter Strike 1.6", "Counter Strike Condition Zero", "Day Of Defeat",
                                 "Half-Life DeathMatch"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }

    void staysEnglish()
    {
        QFETCH(QString, text);
        for (const Message &message : m_extracted)
            QVERIFY2(message.source != text, qPrintable("\"" + text + "\" stays English but is translatable in "
                                                        + message.context));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
