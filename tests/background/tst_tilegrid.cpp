#include "tilegrid.h"

#include <QTest>

using Spans = QList<QPair<int, int>>;   // (position, length) of each column or row

class TstTileGrid : public QObject
{
    Q_OBJECT
private slots:
    void grid_data()
    {
        QTest::addColumn<int>("resolution");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Spans>("columns");
        QTest::addColumn<Spans>("rows");
        const Spans full4 = {{0, 256}, {256, 256}, {512, 256}, {768, 256}};
        QTest::newRow("640x480") << 0 << QSize(640, 480) << Spans{{0, 256}, {256, 256}, {512, 128}}
                                 << Spans{{0, 256}, {256, 224}};
        QTest::newRow("800x600") << 1 << QSize(800, 600) << Spans{{0, 256}, {256, 256}, {512, 256}, {768, 32}}
                                 << Spans{{0, 256}, {256, 256}, {512, 88}};
        QTest::newRow("1024x768") << 2 << QSize(1024, 768) << full4 << full4.mid(0, 3);
        QTest::newRow("1280x1024") << 3 << QSize(1280, 1024) << full4 + Spans{{1024, 256}} << full4;
    }

    void grid()
    {
        QFETCH(int, resolution); QFETCH(QSize, size); QFETCH(Spans, columns); QFETCH(Spans, rows);
        QCOMPARE(ResolutionSize(resolution), size);
        QCOMPARE(ResolutionText(resolution), QString("%1x%2").arg(size.width()).arg(size.height()));
        const QList<TileSpec> tiles = TileGrid(resolution);
        QCOMPARE(tiles.size(), columns.size() * rows.size());
        QList<int> rowWidth(rows.size()), columnHeight(columns.size());
        for (int i = 0; i < tiles.size(); ++i) {
            const TileSpec &t = tiles[i];
            const int r = i / columns.size(), c = i % columns.size();
            const char letter = "abcde"[c];
            QCOMPARE(t.W, quint32(size.width()));
            QCOMPARE(t.Row, r + 1);
            QCOMPARE(t.Column, letter);
            QCOMPARE(t.rect(), QRect(columns[c].first, rows[r].first, columns[c].second, rows[r].second));
            QCOMPARE(t.FileName, QString::number(size.width()) + '_' + QString::number(r + 1) + '_'
                                     + QLatin1Char(letter) + "_loading.tga");
            rowWidth[r] += t.TileWidth;
            columnHeight[c] += t.TileHeight;
        }
        QCOMPARE(rowWidth, QList<int>(rows.size(), size.width()));
        QCOMPARE(columnHeight, QList<int>(columns.size(), size.height()));
    }

    void outsideTheList()
    {
        for (int index : {-1, 4}) {
            QVERIFY(TileGrid(index).isEmpty());
            QVERIFY(ResolutionSize(index).isEmpty());
            QVERIFY(ResolutionText(index).isEmpty());
        }
    }

    void folders_data()
    {
        for (const char *column : {"exe", "relative", "background", "resource"})
            QTest::addColumn<QString>(column);
        QTest::newRow("windows") << R"(C:\Games\Half-Life\hl.exe)" << R"(cstrike\resource\background)"
            << R"(C:\Games\Half-Life\cstrike\resource\background\)" << R"(C:\Games\Half-Life\cstrike\resource)";
        QTest::newRow("short") << R"(D:\HL\hl.exe)" << R"(valve\resource\background)"
            << R"(D:\HL\valve\resource\background\)" << R"(D:\HL\valve\resource)";
        QTest::newRow("mixed") << R"(D:\HL\hl.exe)" << "dod/resource/background/"
            << R"(D:\HL\dod\resource\background\)" << R"(D:\HL\dod\resource)";
        for (const char *relative : {R"(cstrike\resource\background)", "cstrike/resource/background"})
            QTest::newRow(relative) << "/home/u/Half-Life/hl_linux" << relative
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
