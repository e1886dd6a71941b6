#include "games/settings.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    // Six CRLF lines, the language after a blank; a seventh only while the addon folders are used.
    void fileBytes()
    {
        Settings s{R"(D:\HL\hl.exe)", 0, R"(cstrike\resource\background)", {}, {}, {}};
        QCOMPARE(SettingsFileBytes(s), "D:\\HL\\hl.exe\r\n 0\r\ncstrike\\resource\\background\r\n\r\n\r\n\r\n");
        s.UseAddonFolder = true;
        QCOMPARE(SettingsFileBytes(s), "D:\\HL\\hl.exe\r\n 0\r\ncstrike\\resource\\background\r\n\r\n\r\n\r\n 1\r\n");
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes"); QTest::addColumn<QString>("exePath");
        QTest::addColumn<int>("language"); QTest::addColumn<QString>("csFolder"); QTest::addColumn<bool>("addon");
        QTest::newRow("two lines") << QByteArray("x\r\n 1\r\n") << "x" << 1 << "" << false;
        QTest::newRow("1 without blank") << QByteArray("x\r\n1\r\ncs") << "x" << 1 << "cs" << false;
        QTest::newRow("7") << QByteArray("x\r\n7\r\n") << "x" << -1 << "" << false;
        QTest::newRow("65537 is not 1") << QByteArray("x\r\n65537\r\n") << "x" << -1 << "" << false;
        QTest::newRow("LF only") << QByteArray("D:\\hl.exe\n 1\ncs\n\n\n\n") << "D:\\hl.exe" << 1 << "cs" << false;
        QTest::newRow("mixed, empty line kept") << QByteArray("D:\\hl.exe\r\n 1\n\r\ncs") << "D:\\hl.exe" << 1 << "" << false;
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF" "D:\\hl.exe\r\n 0\r\n") << "D:\\hl.exe" << 0 << "" << false;
        // Not UTF-8: the local code page, or Latin-1 where that is UTF-8 too (the same letters here).
        QTest::newRow("8-bit") << QByteArray("C:\\A\xF1o\\hl.exe\r\n 0\r\ncs\xE9\r\n")
                               << "C:\\A\u00F1o\\hl.exe" << 0 << "cs\u00E9" << false;
        QTest::newRow("addon line") << QByteArray("x\r\n 1\r\ncs\r\n\r\n\r\n\r\n 1\r\n") << "x" << 1 << "cs" << true;
    }

    void parse()
    {
        QFETCH(QByteArray, bytes); QFETCH(QString, exePath); QFETCH(int, language); QFETCH(QString, csFolder);
        QFETCH(bool, addon);
        const Settings s = ParseSettings(bytes);
        QCOMPARE(s.ExePath, exePath);
        QCOMPARE(s.Language, qint16(language));
        QCOMPARE(s.CsFolder, csFolder);
        QCOMPARE(s.UseAddonFolder, addon);
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
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
