#include "layoutfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Relative = R"(cstrike\resource\background)";

QByteArray contentOf(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TstLayoutFiles : public QObject
{
    Q_OBJECT
private slots:
    void text640()
    {
        const QByteArray expected =
            "resolution   640   480\r\n"
            "\r\n"
            "resource/background/640_1_a_loading.tga      scaled      0   0\r\n"
            "resource/background/640_1_b_loading.tga      scaled      256   0\r\n"
            "resource/background/640_1_c_loading.tga      scaled      512   0\r\n"
            "\r\n"
            "resource/background/640_2_a_loading.tga      scaled      0   256\r\n"
            "resource/background/640_2_b_loading.tga      scaled      256   256\r\n"
            "resource/background/640_2_c_loading.tga      scaled      512   256\r\n";
        QCOMPARE(expected.size(), 426);
        QCOMPARE(LayoutFileText(0), expected);
    }

    void otherTexts_data()
    {
        QTest::addColumn<int>("resolution");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("last");
        QTest::newRow("800x600") << 1 << 16 << QByteArray("resolution   800   600")
                                 << QByteArray("resource/background/800_3_d_loading.tga      scaled      768   512");
        QTest::newRow("1024x768") << 2 << 16 << QByteArray("resolution   1024   768")
                                  << QByteArray("resource/background/1024_3_d_loading.tga      scaled      768   512");
        QTest::newRow("1280x1024") << 3 << 25 << QByteArray("resolution   1280   1024")
                                   << QByteArray("resource/background/1280_4_e_loading.tga      scaled      1024   768");
    }

    void otherTexts()
    {
        QFETCH(int, resolution); QFETCH(int, lines); QFETCH(QByteArray, first); QFETCH(QByteArray, last);
        const QByteArray text = LayoutFileText(resolution);
        QVERIFY(text.endsWith("\r\n"));
        QCOMPARE(text.count("\n"), text.count("\r\n"));
        QVERIFY(!text.contains(" \r"));
        const QList<QByteArray> split = text.chopped(2).split('\n');
        QCOMPARE(split.size(), lines);
        QCOMPARE(split.first().chopped(1), first);
        QCOMPARE(split.last(), last);
        QVERIFY(LayoutFileText(-1).isEmpty() && LayoutFileText(4).isEmpty());
    }

    void writesBothAndReplacesLonger()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        const QString exe = dir.filePath("hl.exe");
        const QString resource = dir.filePath("cstrike/resource/");
        for (int resolution : {3, 0}) {
            QString error;
            QCOMPARE(WriteLayoutFiles(resolution, exe, Relative, &error), LayoutStatus::Written);
            QCOMPARE(contentOf(resource + "BackgroundLayout.txt"), LayoutFileText(resolution));
            QCOMPARE(contentOf(resource + "BackgroundLoadingLayout.txt"), LayoutFileText(resolution));
        }
        QCOMPARE(LayoutFilePaths(exe, Relative),
                 QStringList({resource + "BackgroundLayout.txt", resource + "BackgroundLoadingLayout.txt"}));
    }

    void missingResourceFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike"));
        QString error;
        QCOMPARE(WriteLayoutFiles(0, dir.filePath("hl.exe"), Relative, &error), LayoutStatus::ResourceFolderMissing);
        QCOMPARE(QDir(dir.filePath("cstrike")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void unwritableFile_data()
    {
        QTest::addColumn<QString>("blocked");
        QTest::newRow("first") << "BackgroundLayout.txt";
        QTest::newRow("second") << "BackgroundLoadingLayout.txt";
    }

    void unwritableFile()
    {
        QFETCH(QString, blocked);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/" + blocked));
        QString error;
        QCOMPARE(WriteLayoutFiles(1, dir.filePath("hl.exe"), Relative, &error), LayoutStatus::WriteFailed);
        QVERIFY2(error.contains(QDir::toNativeSeparators(dir.filePath("cstrike/resource/" + blocked))),
                 qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TstLayoutFiles)
#include "tst_layoutfiles.moc"
