#include "games/settings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void fileBytes()
    {
        const Settings s{R"(D:\HL\hl.exe)", 0, R"(cstrike\resource\background)", {}, {}, {}};
        QCOMPARE(SettingsFileBytes(s), "D:\\HL\\hl.exe\r\n 0\r\ncstrike\\resource\\background\r\n\r\n\r\n\r\n");
    }

    // The addon folders take a seventh line, only while they are used; a six-line reader
    // passes over it, and a six-line file reads as not using them.
    void addonLine()
    {
        Settings s{.ExePath = "x", .Language = 1};
        QCOMPARE(SettingsFileBytes(s), "x\r\n 1\r\n\r\n\r\n\r\n\r\n");
        QVERIFY(!ParseSettings(SettingsFileBytes(s)).UseAddonFolder);
        s.UseAddonFolder = true;
        QCOMPARE(SettingsFileBytes(s), "x\r\n 1\r\n\r\n\r\n\r\n\r\n 1\r\n");
        const Settings back = ParseSettings(SettingsFileBytes(s));
        QVERIFY(back.UseAddonFolder && back.Language == 1 && back.HlFolder.isEmpty());
        QVERIFY(!ParseSettings("x\r\n 1\r\n\r\n\r\n\r\n\r\n 0\r\n").UseAddonFolder);
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes"); QTest::addColumn<QString>("exePath");
        QTest::addColumn<int>("language"); QTest::addColumn<QString>("csFolder");
        QTest::newRow("two lines") << QByteArray("x\r\n 1\r\n") << "x" << 1 << "";
        QTest::newRow("1 without blank") << QByteArray("x\r\n1\r\ncs") << "x" << 1 << "cs";
        QTest::newRow("-1") << QByteArray("x\r\n-1\r\n") << "x" << -1 << "";
        QTest::newRow("7") << QByteArray("x\r\n7\r\n") << "x" << -1 << "";
        QTest::newRow("65537 is not 1") << QByteArray("x\r\n65537\r\n") << "x" << -1 << "";
        QTest::newRow("text reads 0") << QByteArray("x\r\nabc\r\n") << "x" << 0 << "";
        QTest::newRow("LF only") << QByteArray("D:\\hl.exe\n 1\ncs\n\n\n\n") << "D:\\hl.exe" << 1 << "cs";
        QTest::newRow("CR only") << QByteArray("D:\\hl.exe\r 1\rcs\r\r\r\r") << "D:\\hl.exe" << 1 << "cs";
        QTest::newRow("mixed, empty line kept") << QByteArray("D:\\hl.exe\r\n 1\n\r\ncs") << "D:\\hl.exe" << 1 << "";
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF" "D:\\hl.exe\r\n 0\r\n") << "D:\\hl.exe" << 0 << "";
        // Not UTF-8: the local code page, or Latin-1 where that is UTF-8 too (the same letters here).
        QTest::newRow("8-bit") << QByteArray("C:\\A\xF1o\\hl.exe\r\n 0\r\ncs\xE9\r\n")
                               << "C:\\A\u00F1o\\hl.exe" << 0 << "cs\u00E9";
    }

    void parse()
    {
        QFETCH(QByteArray, bytes); QFETCH(QString, exePath); QFETCH(int, language); QFETCH(QString, csFolder);
        const Settings s = ParseSettings(bytes);
        QCOMPARE(s.ExePath, exePath);
        QCOMPARE(s.Language, qint16(language));
        QCOMPARE(s.CsFolder, csFolder);
    }

    void roundTrip()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("config.dat");
        Settings back{"x", 1, "x", "x", "x", "x"};
        QString error;
        QVERIFY2(ReadSettings(name, back, &error), qPrintable(error));   // a missing file gives the defaults
        QVERIFY(back.ExePath.isEmpty() && back.Language == -1 && back.CsFolder.isEmpty() && back.HlFolder.isEmpty());
        const Settings s{"C:\\Juegos\\A\u00F1o\\hl.exe", 1, "cstrike\\resource\\background",
                         "cz\\my backgrounds\\resource\\background", "dod\\\u00FCber\\resource\\background", "valve"};
        QVERIFY2(WriteSettings(name, s, &error) && ReadSettings(name, back, &error), qPrintable(error));
        QCOMPARE((QStringList{back.ExePath, QString::number(back.Language), back.CsFolder, back.CzFolder,
                              back.DodFolder, back.HlFolder}),
                 (QStringList{s.ExePath, "1", s.CsFolder, s.CzFolder, s.DodFolder, s.HlFolder}));
    }

    void failedWritesKeepTheOldFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("config.dat"));   // a folder where the file should go
        QVERIFY(WriteSettings(dir.filePath("config.dat/old"), Settings()));
        for (const QString &name : {dir.filePath("gone/config.dat"), dir.filePath("config.dat")}) {
            QString error;
            QVERIFY(!WriteSettings(name, Settings(), &error));
            QVERIFY2(error.contains(QDir::toNativeSeparators(name)), qPrintable(error));
        }
        QFile old(dir.filePath("config.dat/old"));
        QVERIFY(old.open(QIODevice::ReadOnly) && old.readAll() == SettingsFileBytes(Settings()));
        QVERIFY(old.setPermissions(QFile::ReadOwner));   // read-only: kept, even for an administrator
        QVERIFY(!WriteSettings(old.fileName(), Settings{.ExePath = "x"}));
        QVERIFY(old.seek(0) && old.readAll() == SettingsFileBytes(Settings()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"config.dat"});
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
