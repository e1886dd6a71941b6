#include "common/testfiles.h"
#include "lang/langstrings.h"
#include "lang/messagetranslator.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The texts the program shows: its numbered string table, and the Spanish of its messages.
class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    // Every entry in both languages as the product has them.
    void entries()
    {
        LangStrings strings;
        // Entries -1 to 31 in one line; the first and the last lie outside the table.
        const auto all = [&] {
            QStringList entries;
            for (int i = -1; i <= 31; ++i)
                entries << strings.Entry(i);
            return entries.join('|');
        };
        strings.ApplyEnglish();
        QCOMPARE(all(),
                 "|Cs Background Generated Succesfully|Unable To Locate Cs Background Folder|"
                 "Unable To Locate HL.exe|Unable To Locate Cz Background Folder|Run Cs|Resolution|"
                 "Make Cs Background|Load Picture|Locate HL.exe|Run Cz|Cz Background Generated Succesfully|"
                 "Unable To Locate Cs Resource Folder|Unable To Locate Cz Resource Folder|Make Cz Background|"
                 "Unable To Locate Dod Background Folder|Run Dod||Unable To Locate Dod Resource Folder|"
                 "Make Dod Background||Dod Background Generated Succesfully|"
                 "Unable To Locate Half-Life Background Folder|Run HL|Unable To Locate Half-Life Resource Folder|"
                 "Make HL Background||||||Hal-Life Background Generated Succesfully|");
        strings.ApplySpanish();
        const QString done = "Imagen De Fondo Generada Satisfactoriamente|",
                      bg = "No Se Encontro La Carpeta Background Del ", res = "No Se Encontro La Carpeta Resource Del ";
        QCOMPARE(all(),
                 "|" + done + bg + "Cs|No se Pudo Encontrar El Archivo HL.exe|" + bg
                     + "Cz|Ejecutar Cs|Resoluci\u00F3n|"
                       "Crear Fondo Cs|Cargar Imagen|Ubique El Archivo HL.exe|Ejecutar Cz|"
                     + done + res + "Cs|" + res
                     + "Cz|"
                       "Crear Fondo Cz|"
                     + bg + "Dod|Ejecutar Dod||" + res + "Dod|Crear Fondo Dod||" + done + bg
                     + "Half-Life|"
                       "Ejecutar HL|"
                     + res + "Half-Life|Crear Fondo HL||||||" + done);
    }

    // The Spanish of the program's own texts is built into it.
    void messages()
    {
        QCOMPARE(MessageTranslator().translate("Quiltra", "Cannot write %1: %2"), "No se puede escribir %1: %2");
    }

    // lupdate, run over src/ into a copy of quiltra_es.ts as the README says to regenerate it,
    // must leave the copy as it is: a text added or changed in the code comes in unfinished, one
    // dropped goes. Every translation is finished and keeps as many placeholders as its source.
    void current()
    {
        QVERIFY2(*QUILTRA_LUPDATE, "lupdate (Debian: qt6-l10n-tools) was not found");
        const QString ts = QUILTRA_SOURCE_DIR "/src/lang/quiltra_es.ts";
        QTemporaryDir dir;
        const QString copy = dir.filePath("es.ts");
        QVERIFY(QFile::copy(ts, copy));
        QProcess lupdate;
        lupdate.start(QUILTRA_LUPDATE, {QUILTRA_SOURCE_DIR "/src", "-extensions", "cpp,h", "-source-language", "en",
                                        "-target-language", "es", "-no-obsolete", "-locations", "none", "-ts", copy});
        QVERIFY2(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0, lupdate.readAllStandardError());
        const QString text = QString::fromUtf8(ReadBytes(copy));
        static const QRegularExpression message("<source>(.*?)</source>\\s*<translation( type=\"unfinished\")?>(.*?)</",
                                                QRegularExpression::DotMatchesEverythingOption);
        for (const auto &m : message.globalMatch(text))
            QVERIFY2(m.captured(2).isEmpty() && !m.captured(3).trimmed().isEmpty()
                         && m.captured(3).count('%') == m.captured(1).count('%'),
                     qPrintable("not translated: " + m.captured(1)));
        QVERIFY2(ReadBytes(copy) == ReadBytes(ts), "quiltra_es.ts is not current; regenerate it with lupdate");
        // English in both languages, so never offered for translation: the zip command's texts, the
        // window's titles and English-only captions, the start-up dialogs' texts.
        for (const char *english :
             {"Zip Files", "Files Zipped Successfully !", "Error: Files Not Zipped Correctly.",
              "First Make The Background !", "Zip Files...", "Load Picture...", "Extra Parameters", "Quiltra",
              "Quiltra 3.0", "Quiltra v3.0", "Choose Languaje / Seleccione Idioma", "English", "Espa\u00f1ol",
              "Choose Game", "Ok", "Counter Strike 1.6", "Counter Strike Condition Zero", "Day Of Defeat",
              "Half-Life DeathMatch"})
            QVERIFY2(!text.contains("<source>" + QString::fromUtf8(english) + "</source>"), english);
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
