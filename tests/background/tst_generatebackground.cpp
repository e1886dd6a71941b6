#include "generatebackground.h"
#include "layoutfiles.h"
#include "tgareader.h"
#include "tilegrid.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Relative = R"(cstrike\resource\background)";

// Every pixel tells its own position, so a tile cut from the wrong place shows.
QImage positionPicture(int resolution)
{
    QImage image(ResolutionSize(resolution), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x & 0xff, y & 0xff, (x >> 8) | (y >> 8) << 4));
    return image;
}

QStringList filesUnder(const QString &path)
{
    QStringList files;
    for (QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(path).relativeFilePath(it.next());
    files.sort();
    return files;
}

// A fake game tree: hl.exe and, when wanted, cstrike/resource/background.
struct GameTree
{
    explicit GameTree(bool withFolders = true)
    {
        QFile(exe()).open(QIODevice::WriteOnly);
        if (withFolders)
            QDir(dir.path()).mkpath("cstrike/resource/background");
    }
    QString exe() const { return dir.filePath("hl.exe"); }
    QString tile(const QString &name) const { return dir.filePath("cstrike/resource/background/" + name); }
    QTemporaryDir dir;
};

} // namespace

class TstGenerateBackground : public QObject
{
    Q_OBJECT
private slots:
    void tiles_data()
    {
        QTest::addColumn<int>("resolution");
        for (int resolution = 0; resolution < ResolutionCount; ++resolution)
            QTest::newRow(qPrintable(ResolutionText(resolution))) << resolution;
    }

    void tiles()
    {
        QFETCH(int, resolution);
        GameTree tree;
        const QImage picture = positionPicture(resolution);
        const GenerateResult result = GenerateBackgroundFiles(picture, resolution, tree.exe(), Relative);
        QVERIFY2(result.status == GenerateResult::Done, qPrintable(result.errorString));
        QStringList expected;
        for (const TileSpec &tile : TileGrid(resolution)) {
            expected << tree.tile(tile.FileName);
            QVERIFY2(ReadTga(expected.last()) == picture.copy(tile.rect()), qPrintable(tile.FileName));
        }
        QCOMPARE(result.writtenFiles, expected + LayoutFilePaths(tree.exe(), Relative));
        QCOMPARE(QFileInfo(result.writtenFiles.last()).size(), LayoutFileText(resolution).size());
    }

    void laterRunKeepsEarlierTiles()
    {
        GameTree tree;
        QCOMPARE(GenerateBackgroundFiles(positionPicture(3), 3, tree.exe(), Relative).status, GenerateResult::Done);
        QCOMPARE(GenerateBackgroundFiles(positionPicture(0), 0, tree.exe(), Relative).status, GenerateResult::Done);
        QCOMPARE(filesUnder(tree.dir.filePath("cstrike/resource/background")).size(), 26);
        QCOMPARE(ReadTga(tree.tile("1280_4_e_loading.tga")), positionPicture(3).copy(1024, 768, 256, 256));
        QFile layout(tree.dir.filePath("cstrike/resource/BackgroundLayout.txt"));
        QVERIFY(layout.open(QIODevice::ReadOnly));
        QCOMPARE(layout.readAll(), LayoutFileText(0));
    }

    void refusedRunsWriteNothing_data()
    {
        QTest::addColumn<bool>("withFolders");
        QTest::addColumn<int>("resolution");
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<int>("status");
        QTest::newRow("no resource folder") << false << 0 << QSize(640, 480) << int(GenerateResult::ResourceFolderMissing);
        QTest::newRow("wrong picture size") << true << 0 << QSize(800, 600) << int(GenerateResult::WriteFailed);
        QTest::newRow("no such resolution") << true << 4 << QSize(640, 480) << int(GenerateResult::WriteFailed);
    }

    void refusedRunsWriteNothing()
    {
        QFETCH(bool, withFolders); QFETCH(int, resolution); QFETCH(QSize, pictureSize); QFETCH(int, status);
        GameTree tree(withFolders);
        QImage picture(pictureSize, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        const GenerateResult result = GenerateBackgroundFiles(picture, resolution, tree.exe(), Relative);
        QCOMPARE(int(result.status), status);
        QVERIFY(!result.errorString.isEmpty());
        QVERIFY(result.writtenFiles.isEmpty());
        QCOMPARE(filesUnder(tree.dir.path()), QStringList{"hl.exe"});
    }

    void failingTileStopsTheRun()
    {
        GameTree tree;
        QVERIFY(QDir().mkpath(tree.tile("640_1_b_loading.tga")));
        const GenerateResult result = GenerateBackgroundFiles(positionPicture(0), 0, tree.exe(), Relative);
        QCOMPARE(result.status, GenerateResult::WriteFailed);
        QVERIFY2(result.errorString.contains(QDir::toNativeSeparators(tree.tile("640_1_b_loading.tga"))),
                 qPrintable(result.errorString));
        QCOMPARE(result.writtenFiles, QStringList{tree.tile("640_1_a_loading.tga")});
        QCOMPARE(filesUnder(tree.dir.path()),
                 QStringList({"cstrike/resource/background/640_1_a_loading.tga", "hl.exe"}));
    }
};

QTEST_GUILESS_MAIN(TstGenerateBackground)
#include "tst_generatebackground.moc"
