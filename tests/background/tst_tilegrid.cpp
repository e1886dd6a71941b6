#include "background/tilegrid.h"

#include <QTest>

using Spans = QList<QPair<int, int>>;   // (position, length) of each column or row

class TstTileGrid : public QObject
{
    Q_OBJECT
private slots:
    void grid_data()
    {
        QTest::addColumn<int>("resolution");
        QTest::addColumn<Spans>("columns");
        QTest::addColumn<Spans>("rows");
        const Spans full = {{0, 256}, {256, 256}, {512, 256}, {768, 256}, {1024, 256}};
        QTest::newRow("640x480") << 0 << Spans{{0, 256}, {256, 256}, {512, 128}} << Spans{{0, 256}, {256, 224}};
        QTest::newRow("800x600") << 1 << full.mid(0, 3) + Spans{{768, 32}} << full.mid(0, 2) + Spans{{512, 88}};
        QTest::newRow("1024x768") << 2 << full.mid(0, 4) << full.mid(0, 3);
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

    void folders_data()
    {
        for (const char *column : {"exe", "relative", "background", "resource"})
            QTest::addColumn<QString>(column);
        QTest::newRow("windows") << R"(C:\Games\Half-Life\hl.exe)" << R"(cstrike\resource\background)"
            << R"(C:\Games\Half-Life\cstrike\resource\background\)" << R"(C:\Games\Half-Life\cstrike\resource)";
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
