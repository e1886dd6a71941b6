#include "background/tilegrid.h"

#include <QTest>

using Spans = QList<QPair<int, int>>;   // (position, length) of each column or row

class TstTileGrid : public QObject
{
    Q_OBJECT
private slots:
    void grid_data()
    {
        QTest::addColumn<int>("resolution"); QTest::addColumn<Spans>("columns"); QTest::addColumn<Spans>("rows");
        const Spans full = {{0, 256}, {256, 256}, {512, 256}, {768, 256}, {1024, 256}};
        QTest::newRow("640x480") << 0 << Spans{{0, 256}, {256, 256}, {512, 128}} << Spans{{0, 256}, {256, 224}};
        QTest::newRow("800x600") << 1 << full.mid(0, 3) + Spans{{768, 32}} << full.mid(0, 2) + Spans{{512, 88}};
        QTest::newRow("1280x1024") << 3 << full << full.mid(0, 4);
        QTest::newRow("none") << -1 << Spans() << Spans();
    }

    void grid()
    {
        QFETCH(int, resolution); QFETCH(Spans, columns); QFETCH(Spans, rows);
        const QList<TileSpec> tiles = TileGrid(resolution);
        QCOMPARE(tiles.size(), columns.size() * rows.size());
        QCOMPARE(ResolutionText(resolution), resolution < 0 ? QString() : QTest::currentDataTag());
        const int width = ResolutionSize(resolution).width();
        for (int i = 0; i < tiles.size(); ++i) {
            const int r = i / columns.size(), c = i % columns.size();
            QCOMPARE(tiles[i].rect(), QRect(columns[c].first, rows[r].first, columns[c].second, rows[r].second));
            QCOMPARE(tiles[i].FileName, QString("%1_%2_%3_loading.tga").arg(width).arg(r + 1).arg("abcde"[c]));
            QVERIFY(tiles[i].W == quint32(width) && tiles[i].Row == r + 1 && tiles[i].Column == "abcde"[c]);
        }
    }

    // The picture keeps its shape, fitted within 3840x1600 and never enlarged.
    void wideHdSize_data()
    {
        QTest::addColumn<QSize>("picture"); QTest::addColumn<QSize>("made");
        QTest::newRow("3:2") << QSize(3000, 2000) << QSize(2400, 1600);
        QTest::newRow("tall") << QSize(1000, 3000) << QSize(533, 1600);
        QTest::newRow("small") << QSize(640, 360) << QSize(640, 360);
        QTest::newRow("a thin line") << QSize(100000, 10) << QSize(3840, 1);
        QTest::newRow("empty") << QSize(0, 0) << QSize();
    }

    void wideHdSize()
    {
        QFETCH(QSize, picture); QFETCH(QSize, made);
        QCOMPARE(WideHdSize(picture), made);
    }

    // Cut from the top-left; the last column and row are narrower or shorter.
    void wideHdGrid_data()
    {
        QTest::addColumn<QSize>("size"); QTest::addColumn<int>("count"); QTest::addColumn<QString>("last"); QTest::addColumn<QRect>("lastRect");
        QTest::newRow("2400x1600") << QSize(2400, 1600) << 70 << "hd_7_j_loading.tga" << QRect(2304, 1536, 96, 64);
        QTest::newRow("533x1600") << QSize(533, 1600) << 21 << "hd_7_c_loading.tga" << QRect(512, 1536, 21, 64);
        QTest::newRow("too wide") << QSize(3841, 100) << 0 << "" << QRect();
    }

    void wideHdGrid()
    {
        QFETCH(QSize, size); QFETCH(int, count); QFETCH(QString, last); QFETCH(QRect, lastRect);
        const QList<TileSpec> tiles = WideHdTileGrid(size);
        QCOMPARE(tiles.size(), count);
        if (count == 0)
            return;
        QCOMPARE(tiles.first().FileName, "hd_1_a_loading.tga");
        QCOMPARE(tiles.first().rect(), QRect(0, 0, qMin(256, size.width()), qMin(256, size.height())));
        QCOMPARE(tiles.last().FileName, last);
        QCOMPARE(tiles.last().rect(), lastRect);
    }

    void folders_data()
    {
        for (const char *column : {"exe", "relative", "background", "resource"})
            QTest::addColumn<QString>(column);
        QTest::newRow("windows") << R"(C:\Games\Half-Life\hl.exe)" << R"(cstrike\resource\background)"
            << R"(C:\Games\Half-Life\cstrike\resource\background\)" << R"(C:\Games\Half-Life\cstrike\resource)";
        QTest::newRow("linux, Windows separators") << "/home/u/Half-Life/hl_linux" << R"(cstrike\resource\background)"
            << "/home/u/Half-Life/cstrike/resource/background/" << "/home/u/Half-Life/cstrike/resource";
    }

    void folders()
    {
        QFETCH(QString, exe); QFETCH(QString, relative); QFETCH(QString, background); QFETCH(QString, resource);
        QCOMPARE(BackgroundFolder(exe, relative), background);
        QCOMPARE(ResourceFolder(exe, relative), resource);
    }
};

QTEST_GUILESS_MAIN(TstTileGrid)
#include "tst_tilegrid.moc"
