#include "background/generatebackground.h"
#include "background/originalbackup.h"
#include "common/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The game's own layout, written by hand on Windows: '\' and CR alone; one tile it names is missing.
const QByteArray StockLayout = "resolution   640   480\r\r"
                               "resource\\background\\800_1_a_loading.tga      scaled      0   0\r"
                               "Resource\\Background\\stock.tga      scaled      256   0\r"
                               "resource\\background\\missing.tga      scaled      512   0\r";

// The files a restore answers for: those of `original`, and the four layout files, there exactly
// when they were; the backup and the tiles Quiltra made besides aside.
QMap<QString, QByteArray> restoredFiles(const QString &resource, const QMap<QString, QByteArray> &original)
{
    QMap<QString, QByteArray> files = Snapshot(resource);
    files.removeIf([&](const auto &file) {
        return file.key().startsWith(resource + "/quiltra-original/")
               || (!original.contains(file.key()) && !file.key().endsWith("Layout.txt"));
    });
    return files;
}

} // namespace

class TestOriginalBackup : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp;
    QString resource() const { return tmp->filePath("cstrike/resource"); }
    void make(int resolution, QRgb colour, bool hd)
    {
        QImage picture(resolution == WideHdResolution ? QSize(300, 200) : ResolutionSize(resolution),
                       QImage::Format_RGB32);
        picture.fill(colour);
        QString error;
        QVERIFY2(EnsureOriginalBackup(resource(), &error), qPrintable(error));
        const GenerateResult made = GenerateBackgroundFiles(picture, resolution, resource(), resource() + "/background/", hd);
        QVERIFY2(made.status == GenerateResult::Done, qPrintable(made.errorString));
    }

private slots:
    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(tmp->path()).mkpath("cstrike/resource/background"));
    }

    // Made twice, the backup is written once and the game's own background comes back whole.
    void restoreBringsBackTheGamesOwn_data()
    {
        QTest::addColumn<bool>("stock"); QTest::addColumn<QByteArray>("manifest");
        QTest::newRow("stock layout files and tiles") << true
            << QByteArray("kept BackgroundLayout.txt\nkept BackgroundLoadingLayout.txt\n"
                          "kept background/800_1_a_loading.tga\nkept background/stock.tga\n"
                          "absent HD_BackgroundLayout.txt\nabsent HD_BackgroundLoadingLayout.txt\n");
        QTest::newRow("no background at all") << false
            << QByteArray("absent BackgroundLayout.txt\nabsent BackgroundLoadingLayout.txt\n"
                          "absent HD_BackgroundLayout.txt\nabsent HD_BackgroundLoadingLayout.txt\n");
    }

    void restoreBringsBackTheGamesOwn()
    {
        QFETCH(bool, stock); QFETCH(QByteArray, manifest);
        if (stock) {
            for (const char *name : {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"})
                QVERIFY(WriteBytes(resource() + "/" + name, StockLayout));
            QVERIFY(WriteBytes(resource() + "/background/800_1_a_loading.tga", "stock tile a"));
            QVERIFY(WriteBytes(resource() + "/background/stock.tga", "stock tile b"));
            QVERIFY(WriteBytes(resource() + "/background/unnamed.tga", "not named by a layout"));
        }
        const auto before = Snapshot(resource());
        QVERIFY(!HasOriginalBackup(resource()));

        make(1, 0xff112233, true);   // 800x600 replaces the stock 800_1_a tile
        const auto backup = Snapshot(OriginalBackupFolder(resource()));
        QCOMPARE(ReadBytes(OriginalBackupFolder(resource()) + "/manifest.txt"), manifest);
        make(WideHdResolution, 0xff445566, false);
        QCOMPARE(Snapshot(OriginalBackupFolder(resource())), backup);   // written once
        QVERIFY(restoredFiles(resource(), before) != before);

        QString error;
        QVERIFY2(RestoreOriginalBackup(resource(), &error), qPrintable(error));
        QCOMPARE(restoredFiles(resource(), before), before);
        QVERIFY(HasOriginalBackup(resource()));
    }

    // A layout file that cannot be replaced stops the restore before anything changes (a blocked backup: the installer's test).
    void failuresChangeNothing()
    {
        for (const char *name : {"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"})
            QVERIFY(WriteBytes(resource() + "/" + name, StockLayout));
        make(WideHdResolution, 0xff445566, false);
        const QString readOnly = resource() + "/BackgroundLoadingLayout.txt";
        QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner));
        const auto before = Snapshot(resource());
        QString error;
        QVERIFY(!RestoreOriginalBackup(resource(), &error));
        QCOMPARE(error, "Cannot write " + QDir::toNativeSeparators(readOnly) + ": the file is read-only");
        QCOMPARE(Snapshot(resource()), before);
    }

    // A layout file of the game that does not parse stops the backup, naming it and the reason; only its bytes are kept.
    void unreadableLayoutStopsTheBackup()
    {
        const QString layout = resource() + "/HD_BackgroundLayout.txt";
        QVERIFY(WriteBytes(layout, "resolution 640 480\r\"resource\\background\\a.tga scaled 0 0"));
        const auto before = Snapshot(resource());
        QString error;
        QVERIFY(!EnsureOriginalBackup(resource(), &error));
        QCOMPARE(error, "Cannot read " + QDir::toNativeSeparators(layout) + ": line 2 leaves a quote open");
        auto after = Snapshot(resource());
        QCOMPARE(after.take(OriginalBackupFolder(resource()) + "/HD_BackgroundLayout.txt"), before.value(layout));
        QCOMPARE(after, before);
    }
};

QTEST_GUILESS_MAIN(TestOriginalBackup)
#include "tst_originalbackup.moc"
