#include "zipbackground.h"
#include "zipreader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QStringList Tiles800 = {
    "800_1_a_loading.tga", "800_1_b_loading.tga", "800_1_c_loading.tga", "800_1_d_loading.tga",
    "800_2_a_loading.tga", "800_2_b_loading.tga", "800_2_c_loading.tga", "800_2_d_loading.tga",
    "800_3_a_loading.tga", "800_3_b_loading.tga", "800_3_c_loading.tga", "800_3_d_loading.tga"};

} // namespace

// A fake game tree: <tmp>/hl.exe with cstrike/resource holding both layout
// files and cstrike/resource/background the twelve tiles of 800x600.
class TestZipBackground : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void packsLayoutFilesThenTilesInGridOrder();
    void noTilesOutsideTheResolutions();
    void missingTileWritesNothing();
    void failedWriteIsReported();

private:
    QString exePath() const { return tmp->filePath("hl.exe"); }
    QString background() const { return tmp->filePath("cstrike/resource/background/"); }

    std::unique_ptr<QTemporaryDir> tmp;
    const QString relative = QStringLiteral("cstrike\\resource\\background");
};

void TestZipBackground::init()
{
    tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(background()));
    QVERIFY(writeFile(tmp->filePath("cstrike/resource/BackgroundLayout.txt"), "layout\r\n"));
    QVERIFY(writeFile(tmp->filePath("cstrike/resource/BackgroundLoadingLayout.txt"), "loading\r\n"));
    for (const QString &tile : Tiles800)
        QVERIFY(writeFile(background() + tile, "tile " + tile.toLatin1()));
}

void TestZipBackground::packsLayoutFilesThenTilesInGridOrder()
{
    const QString archive = tmp->filePath("bg.zip");
    QVERIFY(writeFile(archive, "an older archive"));
    const ZipBackgroundResult result = ZipBackground(exePath(), relative, 1, archive);
    QVERIFY2(result.ok, qPrintable(result.errorString));

    const QStringList expected = QStringList{"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"} + Tiles800;
    QCOMPARE(result.entries, expected);
    ReadArchive read;
    QString error;
    QVERIFY2(ReadZip(readFile(archive), read, error), qPrintable(error));
    QCOMPARE(read.entries.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(read.entries[i].name, expected[i].toLatin1());
        QVERIFY(read.entries[i].comment.isEmpty());
    }
    QCOMPARE(read.entries[1].contents, QByteArray("loading\r\n"));
    QCOMPARE(read.entries[13].contents, QByteArray("tile 800_3_d_loading.tga"));
    QVERIFY(read.comment.isEmpty());
}

void TestZipBackground::noTilesOutsideTheResolutions()
{
    const ZipBackgroundResult result = ZipBackground(exePath(), relative, -1, tmp->filePath("bg.zip"));
    QVERIFY2(result.ok, qPrintable(result.errorString));
    QCOMPARE(result.entries, QStringList({"BackgroundLayout.txt", "BackgroundLoadingLayout.txt"}));
}

void TestZipBackground::missingTileWritesNothing()
{
    const QString missing = background() + "800_2_c_loading.tga";
    QVERIFY(QFile::remove(missing));

    const QString fresh = tmp->filePath("fresh.zip");
    ZipBackgroundResult result = ZipBackground(exePath(), relative, 1, fresh);
    QVERIFY(!result.ok);
    QVERIFY2(result.errorString.contains(QDir::toNativeSeparators(missing)), qPrintable(result.errorString));
    QVERIFY(result.entries.isEmpty());
    QVERIFY(!QFile::exists(fresh));

    const QString old = tmp->filePath("old.zip");
    QVERIFY(writeFile(old, "previous archive"));
    result = ZipBackground(exePath(), relative, 1, old);
    QVERIFY(!result.ok);
    QCOMPARE(readFile(old), QByteArray("previous archive"));
}

void TestZipBackground::failedWriteIsReported()
{
    // A regular file where a folder should be: even root cannot write there.
    const QString archive = tmp->filePath("cstrike/resource/BackgroundLayout.txt/bg.zip");
    const ZipBackgroundResult result = ZipBackground(exePath(), relative, 1, archive);
    QVERIFY(!result.ok);
    QVERIFY2(result.errorString.contains(QDir::toNativeSeparators(archive)), qPrintable(result.errorString));
}

QTEST_GUILESS_MAIN(TestZipBackground)
#include "tst_zipbackground.moc"
