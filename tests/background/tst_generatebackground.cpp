#include "background/composebackground.h"
#include "background/generatebackground.h"
#include "background/layoutfiles.h"
#include "background/tilegrid.h"
#include "common/fulldisk.h"
#include "common/testfiles.h"
#include "common/tgareader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

const QString Relative = R"(cstrike\resource\background)";

// Every pixel differs from its neighbours and from those of another `variant`.
QImage testPicture(int resolution, quint32 variant, QSize size = {})
{
    QImage picture(size.isValid() ? size : ResolutionSize(resolution), QImage::Format_RGB32);
    for (int i = 0; i < picture.width() * picture.height(); ++i)
        picture.setPixel(i % picture.width(), i / picture.width(), 0xff000000u | (i * 7 + variant));
    return picture;
}

} // namespace

class TstGenerateBackground : public QObject
{
    Q_OBJECT
private slots:
    // Reassembled, the tiles are the picture, and either pair of layout files composes it back;
    // tiles are written first, then the layout files, and nothing else. The classic resolutions
    // add the HD pair only for a game that reads it.
    void run_data()
    {
        QTest::addColumn<int>("resolution"); QTest::addColumn<QSize>("size"); QTest::addColumn<bool>("gameReadsHd"); QTest::addColumn<int>("tiles"); QTest::addColumn<QStringList>("layouts");
        const QStringList classic{"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"};
        const QStringList all = classic + QStringList{"HD_BackgroundLayout.txt", "HD_BackgroundLoadingLayout.txt"};
        QTest::newRow("640x480") << 0 << QSize(640, 480) << false << 6 << classic;
        QTest::newRow("800x600") << 1 << QSize(800, 600) << false << 12 << classic;
        QTest::newRow("1024x768") << 2 << QSize(1024, 768) << false << 12 << classic;
        QTest::newRow("1280x1024") << 3 << QSize(1280, 1024) << false << 20 << classic;
        QTest::newRow("800x600, HD menu") << 1 << QSize(800, 600) << true << 12 << all;
        QTest::newRow("Wide HD 2400x1600") << int(WideHdResolution) << QSize(2400, 1600) << false << 70 << all;
        QTest::newRow("Wide HD 533x1600") << int(WideHdResolution) << QSize(533, 1600) << true << 21 << all;
    }

    void run()
    {
        QFETCH(int, resolution); QFETCH(QSize, size); QFETCH(bool, gameReadsHd); QFETCH(int, tiles); QFETCH(QStringList, layouts);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        const QImage picture = testPicture(resolution, 0, size);
        const GenerateResult result = GenerateBackgroundFiles(picture, resolution, dir.filePath("hl.exe"), Relative, gameReadsHd);
        QVERIFY2(result.status == GenerateResult::Done, qPrintable(result.errorString));
        QCOMPARE(result.made.Tiles.size(), tiles);
        QImage reassembled(size, QImage::Format_RGB32);
        QPainter painter(&reassembled);
        QStringList expected;
        for (const TileSpec &tile : resolution == WideHdResolution ? result.made.Tiles : TileGrid(resolution)) {
            expected << dir.filePath("cstrike/resource/background/" + tile.FileName);
            const QImage read = ReadTga(expected.last());
            QCOMPARE(read.size(), tile.rect().size());
            painter.drawImage(tile.rect().topLeft(), read);
        }
        painter.end();
        QVERIFY(reassembled == picture);
        for (const QString &name : layouts) {
            expected << dir.filePath("cstrike/resource/" + name);
            QCOMPARE(ReadBytes(expected.last()), result.made.textOf(name));
        }
        QCOMPARE(result.writtenFiles, expected);
        expected.sort();
        QCOMPARE(Snapshot(dir.path()).keys(), expected);
        for (const bool hdPair : {false, layouts.size() == 4}) {
            QImage composed;
            QString error;
            QVERIFY2(ComposeBackground(dir.filePath("cstrike/resource"), hdPair, &composed, &error), qPrintable(error));
            QVERIFY(composed == picture);
        }
    }

    void wideHdRefusesAPictureTooLarge()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        const GenerateResult result = GenerateBackgroundFiles(QImage(3841, 100, QImage::Format_RGB32), WideHdResolution,
                                                              dir.filePath("hl.exe"), Relative);
        QCOMPARE(result.errorString, "The picture is 3841x100 pixels, not within 3840x1600");
        QVERIFY(QDir(dir.filePath("cstrike/resource/background")).isEmpty());
    }

    // A make that cannot finish leaves the background made before it exactly as it was.
    void failedMakeKeepsTheOldBackground_data()
    {
        QTest::addColumn<QString>("spoiler");
        QTest::addColumn<QString>("named");   // the file the message names
        QTest::newRow("read-only tile") << "read-only" << "background/640_2_b_loading.tga";
        QTest::newRow("read-only loading layout") << "read-only" << "BackgroundLoadingLayout.txt";
        QTest::newRow("folder in place of a tile") << "folder" << "background/640_1_c_loading.tga";
        QTest::newRow("no resource folder") << "no resource" << "";
    }

    void failedMakeKeepsTheOldBackground()
    {
        QFETCH(QString, spoiler); QFETCH(QString, named);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        const QString exe = dir.filePath("hl.exe");
        QCOMPARE(int(GenerateBackgroundFiles(testPicture(0, 1), 0, exe, Relative).status), int(GenerateResult::Done));
        const QString target = dir.filePath("cstrike/resource/" + named);
        if (spoiler == "read-only")
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner));
        if (spoiler == "folder")
            QVERIFY(QFile::remove(target) && QDir().mkdir(target));
        if (spoiler == "no resource")
            QVERIFY(QDir(dir.filePath("cstrike/resource")).removeRecursively());
        const auto before = Snapshot(dir.path());

        const GenerateResult result = GenerateBackgroundFiles(testPicture(0, 2), 0, exe, Relative);
        QCOMPARE(int(result.status), int(spoiler == "no resource" ? GenerateResult::ResourceFolderMissing
                                                                   : GenerateResult::WriteFailed));
        QVERIFY2(result.errorString.contains(QDir::toNativeSeparators(QDir::cleanPath(dir.filePath("cstrike/resource/" + named)))),
                 qPrintable(result.errorString));
        QCOMPARE(result.writtenFiles, QStringList());
        QVERIFY(Snapshot(dir.path()) == before);
    }

    // Ended at any moment of a make, the game folder holds two equal layout files, and every
    // tile they name is there, whole.
    void endedMidMake()
    {
#ifndef Q_OS_UNIX
        QSKIP("ends the child with SIGTERM");
#endif
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        const QString exe = dir.filePath("hl.exe");
        QCOMPARE(int(GenerateBackgroundFiles(testPicture(0, 1), 0, exe, Relative).status), int(GenerateResult::Done));
        for (int run = 0; run < 40; ++run) {
            const int delay = run * 7 % 50;   // spread over the phases of several makes
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QUILTRA_MAKE_LOOP", exe);
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(), QStringList());
            QVERIFY(child.waitForReadyRead(10000));
            QThread::msleep(ulong(delay));
            child.terminate();
            QVERIFY(child.waitForFinished(10000));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);

            const QByteArray layout = Snapshot(dir.filePath("cstrike/resource")).value(
                dir.filePath("cstrike/resource/BackgroundLayout.txt"));
            QCOMPARE(Snapshot(dir.filePath("cstrike/resource")).value(
                         dir.filePath("cstrike/resource/BackgroundLoadingLayout.txt")), layout);
            const int resolution = layout.startsWith("resolution   640") ? 0 : 1;
            QCOMPARE(layout, LayoutFileText(resolution));
            for (const TileSpec &tile : TileGrid(resolution))
                QVERIFY2(ReadTga(dir.filePath("cstrike/resource/background/" + tile.FileName)).size() == tile.rect().size(),
                         qPrintable(tile.FileName));
        }
    }

    // The disk fills after a few tiles, or with only the layout files left to write.
    void fullDiskMidMake_data()
    {
        QTest::addColumn<int>("leaveFree"); QTest::addColumn<QString>("failing");
        QTest::newRow("room for two tiles") << 100 * 4096 << "_loading.tga";
        // The tiles of 800x600 take 362 pages: six of 49, two of 7, three of 17 and one of 3.
        QTest::newRow("room for the tiles only") << 362 * 4096 << "Layout.txt";
    }

    void fullDiskMidMake()
    {
        QFETCH(int, leaveFree); QFETCH(QString, failing);
        FullDisk disk;
        MOUNT_FULL_DISK(disk, 4096);
        QVERIFY(QDir(disk.path()).mkpath("cstrike/resource/background"));
        const QString exe = disk.path() + "/hl.exe";
        QCOMPARE(int(GenerateBackgroundFiles(testPicture(0, 1), 0, exe, Relative).status), int(GenerateResult::Done));
        const auto before = Snapshot(disk.path() + "/cstrike");
        QVERIFY(disk.fill(leaveFree));

        const GenerateResult result = GenerateBackgroundFiles(testPicture(1, 2), 1, exe, Relative);
        QCOMPARE(int(result.status), int(GenerateResult::WriteFailed));
        QVERIFY2(result.errorString.endsWith(failing + ": No space left on device"), qPrintable(result.errorString));
        QCOMPARE(result.writtenFiles, QStringList());
        QVERIFY(Snapshot(disk.path() + "/cstrike") == before);
    }
};

// With QUILTRA_MAKE_LOOP set to a game folder, the program makes backgrounds there, 640x480
// and 800x600 by turns, until it is ended: the child the kill test ends mid-make.
int main(int argc, char **argv)
{
    if (const QString exe = qEnvironmentVariable("QUILTRA_MAKE_LOOP"); !exe.isEmpty()) {
        const QImage pictures[2] = {testPicture(0, 3), testPicture(1, 4)};
        std::puts("making");
        std::fflush(stdout);
        for (int i = 0;; ++i)
            GenerateBackgroundFiles(pictures[i % 2], i % 2, exe, Relative);
    }
    QCoreApplication app(argc, argv);
    TstGenerateBackground test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_generatebackground.moc"
