#include "common/testfiles.h"
#include "common/zipreader.h"
#include "zip/zipbackground.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

static const QStringList Layouts{"BackgroundLayout.txt", "BackgroundLoadingLayout.txt", "HD_BackgroundLayout.txt",
                                 "HD_BackgroundLoadingLayout.txt"};

// A background the game shows, whatever made it: the HD pair names a tile the classic pair does not; one tile is named by none.
static bool makeTree(const QString &resource)
{
    const QByteArray classic = "resolution 2 1\r\nresource/background/a.tga scaled 0 0\r\nresource/background/b.tga scaled 1 0\r\n";
    const QByteArray hd = "resolution\t2\t1\nResource\\Background\\b.tga\tfit\t0\t0\nresource/background/c.tga\tfit\t1\t0\n";
    bool ok = QDir().mkpath(resource + "/background");
    for (const QString &name : Layouts)
        ok = ok && WriteBytes(resource + "/" + name, name.startsWith("HD_") ? hd : classic);
    for (const char *tile : {"a", "b", "c", "unnamed"})
        ok = ok && WriteBytes(resource + "/background/" + tile + ".tga", TgaHeader(2, 1, 1, 24) + QByteArray(3, tile[0]));
    return ok;
}

class TestZipBackground : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp;
    QString resource() const { return tmp->filePath("cstrike/resource"); }

private slots:
    void init() { tmp = std::make_unique<QTemporaryDir>(); }

    // Every layout file, the classic pair first, then each tile named once in the order first named, each as on disk.
    void packsLayoutFilesThenTheirTiles()
    {
        QVERIFY(makeTree(resource()));
        const QString zip = tmp->filePath("bg.zip");
        const ZipBackgroundResult result = ZipBackground(resource(), zip);
        QVERIFY2(result.ok, qPrintable(result.errorString));
        const QStringList entries = Layouts + QStringList{"a.tga", "b.tga", "c.tga"};
        QCOMPARE(result.entries, entries);
        ReadArchive read;
        QString error;
        QVERIFY2(ReadZip(ReadBytes(zip), read, error), qPrintable(error));
        QCOMPARE(read.entries.size(), entries.size());
        for (int i = 0; i < entries.size(); ++i) {
            const QString file = resource() + (entries[i].endsWith(".tga") ? "/background/" : "/") + entries[i];
            QVERIFY2(read.entries[i].name == entries[i] && read.entries[i].contents == ReadBytes(file), qPrintable(entries[i]));
        }
    }

    // Nothing is written when the background is not one an install would take (that an old archive stays: the writer's test).
    void refusesWhatCannotBeInstalled_data()
    {
        QTest::addColumn<QStringList>("files"); QTest::addColumn<QByteArray>("content"); QTest::addColumn<QString>("error");
        const QStringList tile{"background/c.tga"};
        QTest::newRow("missing") << tile << QByteArray() << "Cannot read %1/background/c.tga: No such file or directory";
        QTest::newRow("over 384 KB") << tile << QByteArray(384 * 1024 + 1, 0) << "Cannot read %1/background/c.tga: it is larger than 384 KB";
        QTest::newRow("layout not read") << QStringList{"BackgroundLoadingLayout.txt"} << QByteArray("\x89PNG\r\n\x1a\n")
            << "Cannot read %1/BackgroundLoadingLayout.txt: line 1 is neither its resolution nor a tile with its place";
        QTest::newRow("tile elsewhere") << QStringList{"HD_BackgroundLayout.txt"} << QByteArray("resolution 2 1\nresource/c.tga fit 0 0\n")
            << "Cannot pack the background: %1/HD_BackgroundLayout.txt names resource/c.tga, which is not in the background folder";
        QTest::newRow("HD twins differ") << QStringList{"HD_BackgroundLoadingLayout.txt"} << QByteArray("resolution 2 1\n")
            << "Cannot pack the background: %1/HD_BackgroundLayout.txt and %1/HD_BackgroundLoadingLayout.txt differ; make the background again";
        QTest::newRow("no layout file") << Layouts << QByteArray() << "Cannot pack the background: there is no layout file in %1";
    }

    void refusesWhatCannotBeInstalled()
    {
        QFETCH(QStringList, files); QFETCH(QByteArray, content); QFETCH(QString, error);
        QVERIFY(makeTree(resource()));
        for (const QString &file : files)
            QVERIFY(content.isNull() ? QFile::remove(resource() + "/" + file) : WriteBytes(resource() + "/" + file, content));
        const ZipBackgroundResult result = ZipBackground(resource(), tmp->filePath("bg.zip"));
        QVERIFY(!result.ok && result.entries.isEmpty() && !QFile::exists(tmp->filePath("bg.zip")));
        QCOMPARE(result.errorString, error.arg(QDir::toNativeSeparators(resource())));
    }
};

QTEST_GUILESS_MAIN(TestZipBackground)
#include "tst_zipbackground.moc"
