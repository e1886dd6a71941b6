#include "settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray FileBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool PutFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

Settings Sample()
{
    return {"C:\\Juegos\\A\u00F1o\\hl.exe", 1, "cstrike\\resource\\background",
            "cz\\my backgrounds\\resource\\background", "dod\\\u00FCber\\resource\\background",
            "valve\\resource\\background"};
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void fileBytes();
    void parseMends_data();
    void parseMends();
    void missingFileGivesDefaults();
    void roundTripReplacesOldFile();
    void failedWrites();
};

void TestSettings::fileBytes()
{
    const Settings s{"D:\\HL\\hl.exe", 0, "cstrike\\resource\\background", {}, {}, {}};
    QCOMPARE(SettingsFileBytes(s), "D:\\HL\\hl.exe\r\n 0\r\ncstrike\\resource\\background\r\n\r\n\r\n\r\n");
    QCOMPARE(SettingsFileBytes(Settings()), "\r\n-1\r\n\r\n\r\n\r\n\r\n");
    QVERIFY(SettingsFileBytes(Sample()).startsWith("C:\\Juegos\\A\xC3\xB1o\\hl.exe\r\n 1\r\n"));
}

void TestSettings::parseMends_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("exePath");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("csFolder");
    const QString none;
    QTest::newRow("empty file") << QByteArray() << none << 0 << none;
    QTest::newRow("two lines") << QByteArray("x\r\n 1\r\n") << "x" << 1 << none;
    QTest::newRow("1 without blank") << QByteArray("x\r\n1\r\ncs") << "x" << 1 << "cs";
    QTest::newRow("blanks and text") << QByteArray("x\r\n  1 Spanish\r\n") << "x" << 1 << none;
    QTest::newRow("-1") << QByteArray("x\r\n-1\r\n") << "x" << -1 << none;
    QTest::newRow("7") << QByteArray("x\r\n7\r\n") << "x" << -1 << none;
    QTest::newRow("99999") << QByteArray("x\r\n99999\r\n") << "x" << -1 << none;
    QTest::newRow("65537 is not 1") << QByteArray("x\r\n65537\r\n") << "x" << -1 << none;
    QTest::newRow("abc reads 0") << QByteArray("x\r\nabc\r\n") << "x" << 0 << none;
    QTest::newRow("LF only") << QByteArray("D:\\hl.exe\n 1\ncs\n\n\n\n") << "D:\\hl.exe" << 1 << "cs";
    QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF" "D:\\hl.exe\r\n 0\r\n") << "D:\\hl.exe" << 0 << none;
    // Not UTF-8: the local code page, or Latin-1 where that is UTF-8 too (the same letters here).
    QTest::newRow("8-bit") << QByteArray("C:\\A\xF1o\\hl.exe\r\n 0\r\ncs\xE9\r\n")
                           << "C:\\A\u00F1o\\hl.exe" << 0 << "cs\u00E9";
}

void TestSettings::parseMends()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, exePath);
    QFETCH(int, language);
    QFETCH(QString, csFolder);
    const Settings s = ParseSettings(bytes);
    QCOMPARE(s.ExePath, exePath);
    QCOMPARE(s.Language, qint16(language));
    QCOMPARE(s.CsFolder, csFolder);
    QVERIFY(s.CzFolder.isEmpty() && s.HlFolder.isEmpty());
}

void TestSettings::missingFileGivesDefaults()
{
    QTemporaryDir dir;
    Settings s = Sample();
    QString error;
    QVERIFY2(ReadSettings(dir.filePath("config.dat"), s, &error), qPrintable(error));
    QVERIFY(s.ExePath.isEmpty() && s.CsFolder.isEmpty() && s.Language == -1);

    QVERIFY(QDir(dir.path()).mkdir("config.dat"));   // a folder in its place cannot be read
    s = Sample();
    QVERIFY(!ReadSettings(dir.filePath("config.dat"), s, &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(dir.filePath("config.dat"))), qPrintable(error));
    QVERIFY(s.ExePath.isEmpty() && s.Language == -1);
}

void TestSettings::roundTripReplacesOldFile()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("config.dat");
    QVERIFY(PutFile(name, QByteArray(500, 'x')));
    const Settings s = Sample();
    QString error;
    QVERIFY2(WriteSettings(name, s, &error), qPrintable(error));
    QCOMPARE(FileBytes(name), SettingsFileBytes(s));
    Settings back;
    QVERIFY2(ReadSettings(name, back, &error), qPrintable(error));
    QCOMPARE(back.ExePath, s.ExePath);
    QCOMPARE(back.Language, s.Language);
    for (int game = 0; game < 4; ++game)
        QCOMPARE(back.Folder(game), s.Folder(game));
}

void TestSettings::failedWrites()
{
    QTemporaryDir dir;
    QVERIFY(PutFile(dir.filePath("plain"), "keep"));
    QVERIFY(QDir(dir.path()).mkpath("folder"));
    QVERIFY(PutFile(dir.filePath("folder/inside"), "old"));
    const QStringList entries = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    // A missing folder, a parent that is a file, and a folder where the file should be:
    // each fails, names the file, and leaves everything as it was.
    for (const QString &name : {dir.filePath("gone/config.dat"), dir.filePath("plain/config.dat"),
                               dir.filePath("folder")}) {
        QString error;
        QVERIFY(!WriteSettings(name, Sample(), &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(name)), qPrintable(error));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), entries);
    QCOMPARE(FileBytes(dir.filePath("plain")), "keep");
    QCOMPARE(FileBytes(dir.filePath("folder/inside")), "old");
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
