#include "background/generatebackground.h"
#include "background/originalbackup.h"
#include "common/testfiles.h"
#include "common/zipreader.h"
#include "zip/installbackground.h"
#include "zip/zipbackground.h"
#include "zip/zipclass.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

static const QString Relative = R"(cstrike\resource\background)";

// A TGA of `type` and `bits` announcing width x height, followed by as many pixel bytes as a
// plain picture of that size needs, then cut or padded to `size` bytes when given.
static QByteArray tga(int width, int height, int bits = 24, char type = 2, qsizetype size = -1)
{
    const QByteArray bytes = TgaHeader(type, width, height, bits) + QByteArray(qsizetype(width) * height * (bits / 8), '\x5a');
    return size < 0 ? bytes : bytes.leftJustified(size, '\0', true);
}

// A layout file placing `tiles`, as the game reads it.
static QByteArray layout(const QStringList &tiles)
{
    QByteArray text = "resolution\t640\t480\r\n\r\n";
    for (const QString &tile : tiles)
        text += "resource/background/" + tile.toLatin1() + "\tscaled\t0\t0\r\n";
    return text;
}

// Writes an archive into `folder` holding `contents` under `names`, in that order.
static QString makeZip(const QString &folder, const QStringList &names, const QByteArrayList &contents)
{
    ZipClass zip;
    for (int i = 0; i < names.size(); ++i) {
        const QString source = folder + "/content" + QString::number(i);
        if (!WriteBytes(source, contents[i]) || !zip.AddFile(source, names[i]))
            qFatal("cannot prepare entry %s", qPrintable(names[i]));
    }
    const QString path = folder + "/shared.zip";
    if (!zip.WriteZip(path, true))
        qFatal("%s", qPrintable(zip.errorString()));
    return path;
}

static void put32(QByteArray &bytes, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

// Damages entry `name` of the archive at `path` the way `how` says, in its local header and,
// where it has the field too, in its central one, so the two still agree.
static void damageEntry(const QString &path, const QString &how, const QByteArray &name)
{
    QByteArray zip = ReadBytes(path);
    qsizetype local = 0;
    while (zip.mid(local + 30, le16(zip, local + 26)) != name)
        local += 30 + le16(zip, local + 26) + le16(zip, local + 28) + le32(zip, local + 18);
    qsizetype central = le32(zip, zip.size() - 22 + 16);
    while (zip.mid(central + 46, le16(zip, central + 28)) != name)
        central += 46 + le16(zip, central + 28) + le16(zip, central + 30) + le16(zip, central + 32);
    if (how == "crc") {
        put32(zip, local + 14, le32(zip, local + 14) ^ 1);
        put32(zip, central + 16, le32(zip, central + 16) ^ 1);
    } else if (how == "local size") {
        put32(zip, local + 22, 1);
    } else if (how == "sizes") {
        put32(zip, local + 22, 1);
        put32(zip, central + 24, 1);
    } else if (how == "encrypted") {
        zip[local + 6] = char(zip[local + 6] | 1);
        zip[central + 8] = char(zip[central + 8] | 1);
    } else if (how == "link") {
        zip[central + 5] = 3;   // made on Unix, so the attributes hold a file mode
        put32(zip, central + 38, 0120777u << 16);
    } else if (how == "cut") {
        zip.truncate(local + 40);
    }
    if (!WriteBytes(path, zip))
        qFatal("cannot damage %s", qPrintable(path));
}

static qint64 peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class TestInstallBackground : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp;
    QString path(const QString &name) const { return tmp->filePath(name); }

    // A game with a background of its own: a layout file naming its one tile.
    QString ownGame() const
    {
        const QString resource = path("game/cstrike/resource");
        if (!QDir().mkpath(resource + "/background") || !WriteBytes(resource + "/BackgroundLayout.txt", layout({"old.tga"}))
            || !WriteBytes(resource + "/background/old.tga", tga(2, 2)))
            qFatal("cannot prepare the game");
        return resource;
    }

private slots:
    void init() { tmp = std::make_unique<QTemporaryDir>(); }

    // First, while this process has held little yet: an archive of 399 tiles at the size
    // limit goes in holding about one of them at a time, not all 120 MB.
    void holdsOneTileAtATime()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer keeps freed memory aside");
#endif
        const QString resource = ownGame();
        QVERIFY(WriteBytes(path("tile"), tga(256, 256, 32, 2, 300 * 1024)));
        ZipClass zip;
        QStringList tiles;
        for (int i = 0; i < 399; ++i) {
            tiles << QString("big%1.tga").arg(i);
            QVERIFY(zip.AddFile(path("tile"), tiles.last()));
        }
        QVERIFY(WriteBytes(path("layout"), layout(tiles)));
        QVERIFY(zip.AddFile(path("layout"), "BackgroundLayout.txt"));
        QVERIFY2(zip.WriteZip(path("big.zip")), qPrintable(zip.errorString()));

        const qint64 before = peakKilobytes();
        QStringList installed;
        QString error;
        QVERIFY2(InstallBackground(path("big.zip"), resource, &installed, &error), qPrintable(error));
        QCOMPARE(installed.size(), 400);
        QCOMPARE(ReadBytes(resource + "/background/big398.tga"), ReadBytes(path("tile")));
        QVERIFY2(peakKilobytes() - before < 40 * 1024 && peakKilobytes() < 150 * 1024,
                 qPrintable(QString("peak %1 KB, %2 KB before").arg(peakKilobytes()).arg(before)));
    }

    // What Quiltra packs of a Wide HD make, both pairs, goes into an empty game as made, tiles first.
    void installsQuiltrasOwnArchive()
    {
        const QStringList installed{
            "background/hd_1_a_loading.tga", "background/hd_1_b_loading.tga", "background/hd_1_c_loading.tga",
            "background/hd_2_a_loading.tga", "background/hd_2_b_loading.tga", "background/hd_2_c_loading.tga",
            "BackgroundLayout.txt", "BackgroundLoadingLayout.txt", "HD_BackgroundLayout.txt", "HD_BackgroundLoadingLayout.txt"};
        QImage image(600, 300, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        QVERIFY(QDir().mkpath(path("made/cstrike/resource/background")));
        const GenerateResult made = GenerateBackgroundFiles(image, WideHdResolution, path("made/hl.exe"), Relative, true);
        QVERIFY2(made.status == GenerateResult::Done, qPrintable(made.errorString));
        const ZipBackgroundResult zipped = ZipBackground(path("made/hl.exe"), Relative, made.made, path("shared.zip"));
        QVERIFY2(zipped.ok, qPrintable(zipped.errorString));

        const QString resource = path("empty/cstrike/resource");
        QVERIFY(QDir().mkpath(resource + "/background"));
        QStringList written;
        QString error;
        QVERIFY2(InstallBackground(path("shared.zip"), resource, &written, &error), qPrintable(error));
        QStringList expected;
        for (const QString &name : installed) {
            expected << resource + "/" + name;
            QVERIFY2(ReadBytes(resource + "/" + name) == ReadBytes(path("made/cstrike/resource/") + name), qPrintable(name));
        }
        QCOMPARE(written, expected);
        QStringList inGame = Snapshot(resource).keys();
        inGame.removeIf([](const QString &file) { return file.contains("/quiltra-original/"); });
        expected.sort();
        QCOMPARE(inGame, expected);
        QVERIFY(HasOriginalBackup(resource));
    }

    // Hand-made archives in the folders people zip; the game's own is backed up, a tile it has may stay out.
    void installsAHandMadeArchive_data()
    {
        QTest::addColumn<QString>("folder"); QTest::addColumn<QString>("layoutEntry"); QTest::addColumn<QString>("tileEntry");
        QTest::newRow("game folder") << "cstrike/" << "cstrike/resource/BackgroundLayout.txt" << "cstrike/resource/background/My_Tile.tga";
        QTest::newRow("resource folder") << "resource/" << "resource/BackgroundLayout.txt" << "resource/background/My_Tile.tga";
        QTest::newRow("its contents") << "background/" << "BackgroundLayout.txt" << "background/My_Tile.tga";
        QTest::newRow("backslashes") << "Resource\\" << "Resource\\BackgroundLayout.txt" << "Resource\\Background\\My_Tile.tga";
    }

    void installsAHandMadeArchive()
    {
        QFETCH(QString, folder); QFETCH(QString, layoutEntry); QFETCH(QString, tileEntry);
        const QString resource = ownGame();
        const QByteArray own = ReadBytes(resource + "/BackgroundLayout.txt");
        const QByteArray tile = tga(3, 2, 32, 10);
        const QByteArray text = layout({"My_Tile.tga", "old.tga"});
        QVERIFY(QDir().mkpath(path("zip")));
        const QString zip = makeZip(path("zip"), {folder, layoutEntry, tileEntry}, {"", text, tile});
        QStringList installed;
        QString error;
        QVERIFY2(InstallBackground(zip, resource, &installed, &error), qPrintable(error));
        QCOMPARE(installed, (QStringList{resource + "/background/My_Tile.tga", resource + "/BackgroundLayout.txt"}));
        QCOMPARE(ReadBytes(resource + "/background/My_Tile.tga"), tile);
        QCOMPARE(ReadBytes(resource + "/BackgroundLayout.txt"), text);
        QCOMPARE(ReadBytes(resource + "/quiltra-original/BackgroundLayout.txt"), own);
    }

    // Each archive is refused, naming the entry (or the archive) and the reason; the game stays as it was.
    void refusesHostileArchives_data()
    {
        QTest::addColumn<QStringList>("names"); QTest::addColumn<QByteArrayList>("contents"); QTest::addColumn<QString>("damage"); QTest::addColumn<QString>("named"); QTest::addColumn<QString>("reason");
        const QByteArray text = layout({"a.tga"});
        const QByteArray tile = tga(4, 4);
        const auto withTile = [&](const QString &entry, const QByteArray &bytes = tga(4, 4)) {
            return std::make_tuple(QStringList{"BackgroundLayout.txt", entry}, QByteArrayList{text, bytes});
        };
        const auto row = [](const char *name, const std::tuple<QStringList, QByteArrayList> &entries, const QString &damage,
                            const QString &named, const QString &reason) {
            QTest::newRow(name) << std::get<0>(entries) << std::get<1>(entries) << damage << named << reason;
        };
        row("climbs out with backslashes", withTile("..\\a.tga"), "", "../a.tga", "climbs out");
        row("absolute", withTile("/tmp/a.tga"), "", "/tmp/a.tga", "absolute name");
        row("drive letter alone", withTile("c:a.tga"), "", "c:a.tga", "drive letter");
        row("layout file among the tiles", std::make_tuple(QStringList{"resource/background/BackgroundLayout.txt", "a.tga"}, QByteArrayList{text, tile}),
            "", "resource/background/BackgroundLayout.txt", "neither a layout file nor a TGA tile");
        row("layout file in other case", std::make_tuple(QStringList{"backgroundlayout.txt", "a.tga"}, QByteArrayList{text, tile}),
            "", "backgroundlayout.txt", "neither a layout file nor a TGA tile");
        row("tile two folders deep", withTile("mods/cstrike/resource/background/a.tga"), "",
            "mods/cstrike/resource/background/a.tga", "neither a layout file nor a TGA tile");
        row("a link", withTile("a.tga"), "link", "a.tga", "is a link");
        row("twice", std::make_tuple(QStringList{"BackgroundLayout.txt", "a.tga", "resource/background/A.tga"}, QByteArrayList{text, tile, tile}),
            "", "resource/background/A.tga", "a second time");
        row("tile nowhere", std::make_tuple(QStringList{"BackgroundLayout.txt"}, QByteArrayList{layout({"missing.tga"})}),
            "", "missing.tga", "neither in the archive nor in");
        row("tile outside its folder", std::make_tuple(QStringList{"BackgroundLayout.txt", "a.tga"}, QByteArrayList{layout({"../BackgroundLayout.txt.tga"}), tile}),
            "", "../BackgroundLayout.txt.tga", "neither in the archive nor in");
        row("257 wide", withTile("a.tga", tga(257, 1)), "", "a.tga", "not a 24- or 32-bit TGA");
        row("16 bits", withTile("a.tga", tga(4, 4, 16)), "", "a.tga", "not a 24- or 32-bit TGA");
        row("with a colour map", withTile("a.tga", tga(4, 4).replace(1, 1, "\x01")), "", "a.tga", "not a 24- or 32-bit TGA");
        row("pixels cut short", withTile("a.tga", tga(4, 4).chopped(1)), "", "a.tga", "needs 66 bytes, it has 65");
        row("layout file over 64 KB", std::make_tuple(QStringList{"BackgroundLayout.txt", "a.tga"}, QByteArrayList{text.leftJustified(64 * 1024 + 1, ' '), tile}),
            "", "BackgroundLayout.txt", "larger than 64 KB");
        row("tile over 300 KB", withTile("a.tga", tga(256, 256, 32, 2, 300 * 1024 + 1)), "", "a.tga", "larger than 300 KB");
        QStringList many{"BackgroundLayout.txt"};
        QByteArrayList manyContents{text};
        for (int i = 0; i < 400; ++i) {
            many << QString("t%1.tga").arg(i);
            manyContents << tile;
        }
        row("401 entries", std::make_tuple(many, manyContents), "", "shared.zip", "more than 400 entries");
        row("no layout file", std::make_tuple(QStringList{"a.tga"}, QByteArrayList{tile}), "", "shared.zip", "holds no layout file");
        row("CRC flipped", withTile("a.tga"), "crc", "a.tga", "cannot be read");
        row("local header claims less", withTile("a.tga"), "local size", "a.tga", "cannot be read");
        // Larger than the reader inflates at once, so it hands out data before it sees the end.
        row("inflates past its size", withTile("a.tga", tga(256, 256, 32)), "sizes", "a.tga", "inflates past its declared size of 1 bytes");
        row("encrypted", withTile("a.tga"), "encrypted", "a.tga", "is encrypted");
        row("cut short", withTile("a.tga"), "cut", "shared.zip", "cannot be read");
        // A file where the backup's folder goes.
        row("backup blocked", withTile("a.tga"), "backup", "quiltra-original", "its folder cannot be made");
    }

    void refusesHostileArchives()
    {
        QFETCH(QStringList, names); QFETCH(QByteArrayList, contents); QFETCH(QString, damage); QFETCH(QString, named);
        QFETCH(QString, reason);
        const QString resource = ownGame();
        QVERIFY(damage != "backup" || WriteBytes(resource + "/quiltra-original", "in the way"));
        const auto before = Snapshot(path("game"));
        QVERIFY(QDir().mkpath(path("zip")));
        const QString zip = makeZip(path("zip"), names, contents);
        if (!damage.isEmpty() && damage != "backup")
            damageEntry(zip, damage, names.last().toLatin1());
        QStringList installed{"stale"};
        QString error;
        QVERIFY(!InstallBackground(zip, resource, &installed, &error));
        QVERIFY2(error.contains(named) && error.contains(reason), qPrintable(error));
        QCOMPARE(installed, QStringList());
        QCOMPARE(Snapshot(path("game")), before);
    }
};

QTEST_GUILESS_MAIN(TestInstallBackground)
#include "tst_installbackground.moc"
