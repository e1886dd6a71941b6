#include "generatebackground.h"
#include "tgareader.h"
#include "tilegrid.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

const QString Relative = R"(cstrike\resource\background)";

class TstGenerateBackground : public QObject
{
    Q_OBJECT
private slots:
    void run_data()
    {
        QTest::addColumn<int>("resolution");
        QTest::addColumn<QString>("made");   // the folder made beside hl.exe before the run
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("tilesWritten");   // -1: every tile, then both layout files
        for (int resolution = 0; resolution < ResolutionCount; ++resolution)
            QTest::newRow(qPrintable(ResolutionText(resolution)))
                << resolution << "cstrike/resource/background" << int(GenerateResult::Done) << -1;
        QTest::newRow("blocked second tile") << 0 << "cstrike/resource/background/640_1_b_loading.tga"
                                             << int(GenerateResult::WriteFailed) << 1;
        QTest::newRow("no resource folder") << 0 << "cstrike" << int(GenerateResult::ResourceFolderMissing) << 0;
    }

    void run()
    {
        QFETCH(int, resolution); QFETCH(QString, made); QFETCH(int, status); QFETCH(int, tilesWritten);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(made));
        QImage picture(ResolutionSize(resolution), QImage::Format_RGB32);
        for (int i = 0; i < picture.width() * picture.height(); ++i)   // every pixel differs
            picture.setPixel(i % picture.width(), i / picture.width(), 0xff000000u | i);
        const GenerateResult result = GenerateBackgroundFiles(picture, resolution, dir.filePath("hl.exe"), Relative);
        QCOMPARE(int(result.status), status);
        const QString named = QDir::toNativeSeparators(dir.filePath(made));   // named by a failed run
        QVERIFY2(status == GenerateResult::Done || result.errorString.contains(named), qPrintable(result.errorString));
        QStringList expected;
        for (const TileSpec &tile : TileGrid(resolution).mid(0, tilesWritten)) {
            expected << dir.filePath("cstrike/resource/background/" + tile.FileName);
            QVERIFY2(ReadTga(expected.last()) == picture.copy(tile.rect()), qPrintable(tile.FileName));
        }
        if (tilesWritten < 0)
            expected << dir.filePath("cstrike/resource/BackgroundLayout.txt")
                     << dir.filePath("cstrike/resource/BackgroundLoadingLayout.txt");
        QCOMPARE(result.writtenFiles, expected);
        QStringList onDisk;   // nothing but what the run reports
        for (QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            onDisk << it.next();
        QCOMPARE(onDisk.size(), expected.size());
    }
};

QTEST_GUILESS_MAIN(TstGenerateBackground)
#include "tst_generatebackground.moc"
