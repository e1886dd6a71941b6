#include "background/composebackground.h"
#include "background/generatebackground.h"
#include "background/layoutfiles.h"
#include "background/tilegrid.h"
#include "common/testfiles.h"
#include "common/tgareader.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>

namespace {

// Makes `picture` at `resolution` into the game below `root`.
GenerateResult makeInto(const QString &root, const QImage &picture, int resolution, bool gameReadsHd = false)
{
    return GenerateBackgroundFiles(picture, resolution, root + "/cstrike/resource", root + "/cstrike/resource/background/",
                                   {gameReadsHd, false, {}});
}

// Every pixel differs from its neighbours and from those of another `variant`.
QImage testPicture(int resolution, quint32 variant, QSize size = {})
{
    QImage picture(size.isValid() ? size : ResolutionSize(resolution), QImage::Format_RGB32);
    for (int i = 0; i < picture.width() * picture.height(); ++i)
        picture.setPixel(i % picture.width(), i / picture.width(), 0xff000000u | (i * 7 + variant));
    return picture;
}

// A game below `root` holding a 640x480 background made before; `root` again.
QString madeGame(const QString &root)
{
    if (!QDir(root).mkpath("cstrike/resource/background") || makeInto(root, testPicture(0, 1), 0).status != GenerateResult::Done)
        qFatal("cannot prepare the game in %s", qPrintable(root));
    return root;
}

} // namespace

class TstGenerateBackground : public QObject
{
    Q_OBJECT
private slots:
    // The tiles reassemble the picture, either layout pair composes it back, and only tiles then layout files are written.
    void run_data()
    {
        QTest::addColumn<int>("resolution"); QTest::addColumn<QSize>("size"); QTest::addColumn<bool>("gameReadsHd");
        QTest::addColumn<int>("tiles"); QTest::addColumn<int>("layouts");
        QTest::newRow("640x480") << 0 << QSize(640, 480) << false << 6 << 2;
        QTest::newRow("800x600, HD menu") << 1 << QSize(800, 600) << true << 12 << 4;
        QTest::newRow("Wide HD 533x1600") << int(WideHdResolution) << QSize(533, 1600) << false << 21 << 4;
    }

    void run()
    {
        QFETCH(int, resolution); QFETCH(QSize, size); QFETCH(bool, gameReadsHd); QFETCH(int, tiles); QFETCH(int, layouts);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("cstrike/resource/background"));
        const QImage picture = testPicture(resolution, 0, size);
        const GenerateResult result = makeInto(dir.path(), picture, resolution, gameReadsHd);
        QVERIFY2(result.status == GenerateResult::Done, qPrintable(result.errorString));
        QCOMPARE(result.made.Tiles.size(), tiles);
        QImage reassembled(size, QImage::Format_RGB32);
        QPainter painter(&reassembled);
        QStringList expected;
        for (const TileSpec &tile : resolution == WideHdResolution ? result.made.Tiles : TileGrid(resolution)) {
            const QImage read = ReadTga(expected.emplaceBack(dir.filePath("cstrike/resource/background/" + tile.FileName)));
            QCOMPARE(read.size(), tile.rect().size());
            painter.drawImage(tile.rect().topLeft(), read);
        }
        painter.end();
        QVERIFY(reassembled == picture);
        for (const char *name : {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt", "HD_BackgroundLayout.txt",
                                 "HD_BackgroundLoadingLayout.txt"}) {
            if (expected.size() < tiles + layouts)
                QCOMPARE(ReadBytes(expected.emplaceBack(dir.filePath("cstrike/resource/") + name)), result.made.textOf(name));
        }
        QCOMPARE(result.writtenFiles, expected);
        expected.sort();
        QCOMPARE(Snapshot(dir.path()).keys(), expected);
        for (const bool hdPair : {false, layouts == 4}) {
            QImage composed;
            QString error;
            QVERIFY2(ComposeBackground(dir.filePath("cstrike/resource"), hdPair, &composed, &error), qPrintable(error));
            QVERIFY(composed == picture);
        }
    }

    // A make that cannot finish, for whatever reason, leaves the background made before exactly as it was.
    void failedMakeKeepsTheOldBackground_data()
    {
        QTest::addColumn<int>("resolution"); QTest::addColumn<QString>("named"); QTest::addColumn<QString>("error");
        QTest::newRow("read-only layout file") << 0 << "cstrike/resource/BackgroundLoadingLayout.txt" << ": the file is read-only";
        QTest::newRow("no resource folder") << 0 << "cstrike/resource" << "";
        QTest::newRow("Wide HD too large") << int(WideHdResolution) << ""
                                            << "The picture is 3841x100 pixels, not within 3840x1600";
    }

    void failedMakeKeepsTheOldBackground()
    {
        QFETCH(int, resolution); QFETCH(QString, named); QFETCH(QString, error);
        QTemporaryDir dir;
        const QString root = madeGame(dir.path()), target = dir.filePath(named);
        QVERIFY(named.isEmpty() || (named.endsWith(".txt") ? QFile::setPermissions(target, QFile::ReadOwner)
                                                            : QDir(target).removeRecursively()));
        const auto before = Snapshot(dir.path());
        const QImage picture = resolution == 0 ? testPicture(0, 2) : QImage(3841, 100, QImage::Format_RGB32);
        const GenerateResult result = makeInto(root, picture, resolution);
        QCOMPARE(int(result.status), int(named == "cstrike/resource" ? GenerateResult::ResourceFolderMissing
                                                                      : GenerateResult::WriteFailed));
        QVERIFY2(result.errorString.endsWith((named.isEmpty() ? "" : QDir::toNativeSeparators(target)) + error), qPrintable(result.errorString));
        QCOMPARE(result.writtenFiles, QStringList());
        QVERIFY(Snapshot(dir.path()) == before);
    }

    // Ended at any moment of a make, the game holds two equal layout files and every tile they name, whole.
    void endedMidMake()
    {
        QTemporaryDir dir;
        const QString root = madeGame(dir.path()), resource = dir.filePath("cstrike/resource/");
        for (int run = 0; run < 40; ++run) {
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QUILTRA_MAKE_LOOP", root);
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(), QStringList());
            QVERIFY(child.waitForReadyRead(10000));
            QThread::msleep(ulong(run * 7 % 50));   // spread over the phases of several makes
            child.terminate();
            QVERIFY(child.waitForFinished(10000) && child.exitStatus() == QProcess::CrashExit);
            const QByteArray layout = ReadBytes(resource + "BackgroundLayout.txt");
            QCOMPARE(ReadBytes(resource + "BackgroundLoadingLayout.txt"), layout);
            const int resolution = layout.startsWith("resolution   640") ? 0 : 1;
            QCOMPARE(layout, LayoutFileText(resolution));
            for (const TileSpec &tile : TileGrid(resolution))
                QVERIFY2(ReadTga(resource + "background/" + tile.FileName).size() == tile.rect().size(), qPrintable(tile.FileName));
        }
    }

};

// With QUILTRA_MAKE_LOOP set to a game's install folder, makes 640x480 and 800x600 by turns until ended.
int main(int argc, char **argv)
{
    if (const QString root = qEnvironmentVariable("QUILTRA_MAKE_LOOP"); !root.isEmpty()) {
        const QImage pictures[2] = {testPicture(0, 3), testPicture(1, 4)};
        std::puts("making");
        std::fflush(stdout);
        for (int i = 0;; ++i)
            makeInto(root, pictures[i % 2], i % 2);
    }
    QCoreApplication app(argc, argv);
    TstGenerateBackground test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_generatebackground.moc"
