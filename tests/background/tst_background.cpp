#include "background/composebackground.h"
#include "background/generatebackground.h"
#include "background/savetga.h"
#include "background/tgaread.h"
#include "background/framingpreview.h"
#include "common/fakegame.h"
#include "common/tgareader.h"

#include <QTest>

#include <optional>

// Every pixel and channel its own, so a flip, a mirror or swapped channels show.
static const QList<QRgb> Top{0x112233, 0x445566, 0x778899}, Bottom{0xaabbcc, 0xddeeff, 0x102030};

// The tile grids, the TGA files, the layout files, and what a make writes.
class TstBackground : public QObject
{
    Q_OBJECT
    std::optional<FakeGame> g;

private slots:
    void init() { g.emplace(); }

    // The resolutions by index, none outside 0..3.
    void grids()
    {
        QStringList texts;
        for (int i = -1; i <= ResolutionCount; ++i)
            texts << ResolutionText(i);
        QCOMPARE(texts.join(','), ",640x480,800x600,1024x768,1280x1024,");
        // Cut from the top-left, row by row; the last column and row narrower: the count, the last tile.
        const auto last = [](const QList<TileSpec> &tiles) {
            return QVariantList{tiles.size(), tiles.value(tiles.size() - 1).FileName,
                                tiles.value(tiles.size() - 1).rect()};
        };
        QCOMPARE(last(TileGrid(0)), (QVariantList{6, "640_2_c_loading.tga", QRect(512, 256, 128, 224)}));
        QCOMPARE(last(TileGrid(3)), (QVariantList{20, "1280_4_e_loading.tga", QRect(1024, 768, 256, 256)}));
        QCOMPARE(last(WideHdTileGrid({2400, 1600})),
                 (QVariantList{70, "hd_7_j_loading.tga", QRect(2304, 1536, 96, 64)}));
        // Fitted within 3840x1600 keeping the shape, rounded down, never enlarged.
        QCOMPARE(WideHdSize({1000, 3000}), QSize(533, 1600));
        QCOMPARE(WideHdSize({100000, 10}), QSize(3840, 1));
        QCOMPARE(WideHdSize({640, 360}), QSize(640, 360));
        QCOMPARE(WideHdSize({0, 5000}), QSize());
        QCOMPARE(BackgroundFolder(R"(C:\HL\hl.exe)", R"(cstrike\resource\background)"),
                 R"(C:\HL\cstrike\resource\background\)");
        QCOMPARE(ResourceFolder("/HL/hl_linux", R"(cstrike\resource\background)"), "/HL/cstrike/resource");
    }

    // 301 wide: rows of 903 bytes, no padding; the bottom row first, blue first.
    void savesTga()
    {
        const QImage picture = TestPicture({301, 2});
        SaveTGA tga;
        QVERIFY2(tga.SaveTGAinFile(g->at("t.tga"), picture), qPrintable(tga.errorString()));
        const QByteArray bytes = ReadBytes(g->at("t.tga"));
        QCOMPARE(bytes.first(21).toHex(), "000002000000000000000000" "2d010200" "1800" "0d7f00");
        QCOMPARE(ReadTga(g->at("t.tga")), picture);
    }

    // Decoded top row first whatever the order stored, or refused with the reason; a tile also
    // within 256x256 and 384 KB.
    void readsTga_data()
    {
        columns<QByteArray, QImage, QString>("bytes", "read", "reason");
        const QImage both = PictureOf(3, Top + Bottom);
        const QByteArray px = TgaPixels(Top + Bottom);
        const auto bad = [](const char *tag, const QByteArray &bytes, const char *why) {
            QTest::newRow(tag) << bytes << QImage() << why;
        };
        QTest::newRow("bottom row first") << TgaHeader(2, 3, 2, 24) + TgaPixels(Bottom + Top) << both << "";
        QTest::newRow("top first, right to left")
            << TgaHeader(2, 3, 2, 24, 0x30) + TgaPixels({0x778899, 0x445566, 0x112233, 0x102030, 0xddeeff, 0xaabbcc})
            << both << "";
        QTest::newRow("32 bits, alpha, ID, footer")
            << TgaHeader(2, 1, 1, 32, 8, "id") + TgaPixels({0x40ff80}, 32, 0x80) + "TRUEVISION-XFILE."
            << PictureOf(1, {0x208040}) << "";
        QTest::newRow("RLE, a run of 65 across rows")
            << TgaHeader(10, 33, 2, 32, 8) + '\xc0' + TgaPixels({0x112233}, 32) + '\0' + TgaPixels({0x445566}, 32)
            << PictureOf(33, QList<QRgb>(32, 0x112233) << 0x445566 << QList<QRgb>(33, 0x112233)) << "";
        QTest::newRow("tile 256 wide") << TgaHeader(2, 256, 1, 24) + QByteArray(768, 0) << QImage() << "";
        bad("tile 257 wide", TgaHeader(2, 257, 1, 24) + QByteArray(771, 0), "it is 257x1 pixels, not within 256x256");
        bad("tile over 384 KB", QByteArray(384 * 1024 + 1, 0), "it is larger than 384 KB");
        bad("header cut", TgaHeader(2, 3, 2, 24).left(17), "its data ends early");
        bad("grey", TgaHeader(3, 3, 2, 24) + px, "it is not a true-colour TGA picture");
        bad("colour map", TgaHeader(2, 3, 2, 24).replace(1, 1, "\1") + px, "it has a colour map");
        bad("16 bits", TgaHeader(2, 3, 2, 16) + px, "it has 16 bits a pixel, not 24 or 32");
        bad("4097 wide", TgaHeader(2, 4097, 1, 24), "it is 4097x1 pixels, not within 4096x4096");
        bad("a byte short", TgaHeader(2, 3, 2, 24) + px.chopped(1), "its data ends early");
        bad("run past the end", TgaHeader(10, 3, 2, 24) + '\x86' + px.left(3),
            "a packet of its pixels runs past the end of the picture");
        bad("run without its pixel", TgaHeader(10, 3, 2, 32, 8) + '\x85' + px.left(3), "its data ends early");
    }
    void readsTga()
    {
        QFETCH(QByteArray, bytes); QFETCH(QImage, read); QFETCH(QString, reason);
        QImage picture;
        QString why;
        const bool tile = QByteArray(QTest::currentDataTag()).startsWith("tile");
        QCOMPARE(tile ? CheckTgaTile(bytes, &why) : DecodeTgaPicture(bytes, &picture, &why), reason.isEmpty());
        QCOMPARE(why, reason);
        QCOMPARE(picture, read);
    }

    // The preview of a framed make: the picture fitted on the back colour, darkened outside the
    // part kept, the 4:3 outline of that part (what the game's cover shows on 4:3) 125 of its 1000
    // pixels down, at 0.4 preview pixels each.
    void framingPreview()
    {
        QImage picture(2000, 1000, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QImage preview = FramingPreview(picture, {800, 600}, Qt::blue, {0, 0, 1000, 1000}, {0, 0, 10, 10});
        const QList<QRgb> seen{preview.pixel(400, 99), preview.pixel(200, 300), preview.pixel(600, 300),
                               preview.pixel(200, 150)};
        QCOMPARE(seen, QList<QRgb>({qRgb(0, 0, 255), qRgb(255, 255, 255), qRgb(105, 105, 105), qRgb(255, 214, 10)}));
    }

    // The 640x480 pair's bytes: CR LF, an empty line before each row of tiles.
    void layoutTexts()
    {
        QCOMPARE(LayoutFileText(0), "resolution   640   480\r\n\r\n"
                                    "resource/background/640_1_a_loading.tga      scaled      0   0\r\n"
                                    "resource/background/640_1_b_loading.tga      scaled      256   0\r\n"
                                    "resource/background/640_1_c_loading.tga      scaled      512   0\r\n\r\n"
                                    "resource/background/640_2_a_loading.tga      scaled      0   256\r\n"
                                    "resource/background/640_2_b_loading.tga      scaled      256   256\r\n"
                                    "resource/background/640_2_c_loading.tga      scaled      512   256\r\n");
        // Wide HD: the classic pair stretches the picture's own size, the HD pair covers the screen.
        const LayoutPlan plan = PlanBackground(WideHdResolution, {2400, 1600}, false);
        QVERIFY(
            plan.HdPair
            && plan.ClassicText.endsWith("\nresource/background/hd_7_j_loading.tga      scaled      2304   1536\r\n"));
        QCOMPARE(plan.HdText, QByteArray(plan.ClassicText).replace("scaled", "fit"));
    }

    // The one reader, a row per branch: what it reads ("WxH", then "path x y" a tile), or why it refuses.
    void parses_data()
    {
        columns<QByteArray, QString>("text", "read");
        const QString ab = "4x2; bg/a.tga 0 0; bg/b.tga 2 0";
        QTest::newRow("CR LF, tabs, comments")
            << QByteArray("// mine\r\n\r\nresolution\t4\t2\r\nbg/a.tga\tfit\t0\t0\r\nbg/b.tga  fit 2 0 // b\r\n") << ab;
        QTest::newRow("CR, backslashes") << QByteArray("resolution 4 2\rbg\\a.tga scaled 0 0\rbg\\b.tga scaled 2 0")
                                         << ab;
        QTest::newRow("quoted, any case")
            << QByteArray("Resolution 4 2\n\"my a.tga\" SCALED 0 0") << "4x2; my a.tga 0 0";
        QTest::newRow("tile first") << QByteArray("a.tga fit 0 0\nresolution 4 2")
                                    << "line 1 places a tile before the resolution is named";
        QTest::newRow("junk") << QByteArray("\x89PNG\r\n\x1a\n")
                              << "line 1 is neither its resolution nor a tile with its place";
        QTest::newRow("climbing out") << QByteArray("resolution 4 2\n..\\a.tga fit 0 0")
                                      << "line 2 names a file outside the game's folder";
        QTest::newRow("twice") << QByteArray("resolution 4 2\nresolution 4 2")
                               << "line 2 names the resolution a second time";
        QTest::newRow("3840x2401") << QByteArray("resolution 3840 2401")
                                   << "its resolution 3840x2401 is not within 3840x2400";
        QTest::newRow("quote open") << QByteArray("resolution 4 2\n\"a.tga fit 0 0") << "line 2 leaves a quote open";
        QTest::newRow("empty") << QByteArray("\r\n") << "it names no resolution";
    }
    void parses()
    {
        QFETCH(QByteArray, text); QFETCH(QString, read);
        QSize size;
        QList<PlacedTile> tiles;
        QString reason;
        QStringList got{
            ParseLayout(text, &size, &tiles, &reason) ? QString("%1x%2").arg(size.width()).arg(size.height()) : reason};
        for (const PlacedTile &tile : tiles)
            got << QString("%1 %2 %3").arg(tile.Path).arg(tile.At.x()).arg(tile.At.y());
        QCOMPARE(got.join("; "), read);
    }

    // Background tiles: in resource/background itself, the folders in any case, each once; others reported. Written, a
    // path with a blank is quoted.
    void backgroundTiles()
    {
        const QList<PlacedTile> tiles{{"Resource/BACKGROUND/a b.tga", {0, 0}}, {"resource/background/a b.tga", {2, 0}},
                                      {"resource/background/sub/c.tga", {0, 1}}};
        QStringList elsewhere;
        QCOMPARE(BackgroundTileNames(tiles, &elsewhere), QStringList{"a b.tga"});
        QCOMPARE(elsewhere, QStringList{"resource/background/sub/c.tga"});
        QCOMPARE(LayoutText({4, 2}, tiles.first(1), "fit"),
                 "resolution   4   2\r\n\r\n\"Resource/BACKGROUND/a b.tga\"      fit      0   0\r\n");
    }

    // Tiles in the background folder named with '\\' and the folders in any case, or elsewhere in the game's folder,
    // each at its corner, black where none lies; a tile that does not read is named with the reason.
    void composes()
    {
        const QString r = g->resource();
        QVERIFY(WriteBytes(r + "/HD_BackgroundLayout.txt",
                           "resolution\t3\t2\n\nResource\\Background\\a.tga\tfit\t0\t0\ngfx/b.tga\tscaled\t1\t1\n"));
        QVERIFY(WriteBytes(r + "/background/a.tga", TgaHeader(2, 2, 1, 24) + TgaPixels({0x112233, 0x445566})));
        QVERIFY(QDir().mkpath(r + "/../gfx")
                && WriteBytes(r + "/../gfx/b.tga", TgaHeader(2, 1, 1, 24) + TgaPixels({0x778899})));
        QImage shown;
        QString error;
        QVERIFY2(ComposeBackground(r, true, &shown, &error), qPrintable(error));
        QCOMPARE(shown, PictureOf(3, {0x112233, 0x445566, 0, 0, 0x778899, 0}));
        QVERIFY(WriteBytes(r + "/background/a.tga", "junk") && !ComposeBackground(r, true, &shown, &error));
        QCOMPARE(error, "Cannot read " + r + "/background/a.tga: its data ends early");
    }

    // Each tile its part of the picture, then the layout files, nothing else.
    void makes_data()
    {
        columns<int, QSize, bool, int>("res", "size", "readsHd", "layouts");
        QTest::newRow("640x480") << 0 << QSize(640, 480) << false << 2;
        QTest::newRow("800x600, HD menu") << 1 << QSize(800, 600) << true << 4;
        QTest::newRow("Wide HD 533x1600") << 4 << QSize(533, 1600) << false << 4;
    }
    void makes()
    {
        QFETCH(int, res); QFETCH(QSize, size); QFETCH(bool, readsHd); QFETCH(int, layouts);
        const QString r = g->resource();
        const QImage picture = TestPicture(size);
        const GenerateResult made = GenerateBackgroundFiles(picture, res, r, r + "/background/", {readsHd, false, {}});
        QVERIFY2(made.status == GenerateResult::Done, qPrintable(made.errorString));
        QStringList written;
        for (const TileSpec &tile : made.made.Tiles)
            QCOMPARE(ReadTga(written.emplaceBack(r + "/background/" + tile.FileName)), picture.copy(tile.rect()));
        for (const QString &name : AllLayoutFileNames().first(layouts))
            QCOMPARE(ReadBytes(written.emplaceBack(r + '/' + name)), made.made.textOf(name));
        QCOMPARE(made.writtenFiles, written);
        written.sort();
        QCOMPARE(Snapshot(r).keys(), written);
    }

    // Refused with nothing written, also when what must change with it cannot: the status and the reason.
    void refuses()
    {
        const auto make = [this](int res, const QSize &size, const QString &game = "cstrike",
                                 const GenerateOptions &options = {}) {
            const QString r = g->resource(game);
            const GenerateResult made = GenerateBackgroundFiles(TestPicture(size), res, r, r + "/background/", options);
            return QString::number(made.status) + ' ' + made.errorString;
        };
        QCOMPARE(make(0, {640, 480}, "none"), "1 Cannot find the folder " + g->resource("none"));
        QCOMPARE(make(1, {640, 480}), "2 The picture is 640x480 pixels, not 800x600");
        QCOMPARE(make(4, {3841, 100}), "2 The picture is 3841x100 pixels, not within 3840x1600");
        QCOMPARE(make(5, {640, 480}), "2 There is no resolution number 5");
        const auto refuse = [](WholeFileSet *, QString *why) { *why = "the backup refused"; return false; };
        QCOMPARE(make(0, {640, 480}, "cstrike", {false, false, refuse}), "2 the backup refused");
        QCOMPARE(Snapshot(g->install()).keys(), QStringList{g->exe()});
    }
};

QTEST_MAIN(TstBackground)
#include "tst_background.moc"
