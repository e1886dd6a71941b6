#include "background/widehdpreview.h"

#include <QTest>

class TestWideHdPreview : public QObject
{
    Q_OBJECT
private slots:
    // What each screen shows of a background: the game covers the screen keeping the shape.
    void cover_data()
    {
        QTest::addColumn<QSize>("made"); QTest::addColumn<int>("w"); QTest::addColumn<int>("h"); QTest::addColumn<QRect>("shown");
        QTest::newRow("3:2 on 4:3: the sides cut") << QSize(2400, 1600) << 4 << 3 << QRect(133, 0, 2133, 1600);
        QTest::newRow("3:2 on 16:9: top and bottom cut") << QSize(2400, 1600) << 16 << 9 << QRect(0, 125, 2400, 1350);
        QTest::newRow("4:1 on 21:9: the sides cut") << QSize(3840, 960) << 21 << 9 << QRect(800, 0, 2240, 960);
    }

    void cover()
    {
        QFETCH(QSize, made); QFETCH(int, w); QFETCH(int, h); QFETCH(QRect, shown);
        QCOMPARE(ScreenCover(made, w, h), shown);
    }

    // A 2:1 picture in an 800x600 area: 800x400 from y 100, on the back colour above and
    // below, the 4:3 outline 133 pixels in from each side.
    void preview()
    {
        QImage made(2000, 1000, QImage::Format_RGB32);
        made.fill(Qt::black);
        const QImage preview = WideHdPreview(made, QSize(800, 600), QColor(76, 88, 68));
        QCOMPARE(preview.size(), QSize(800, 600));
        QVERIFY(preview.pixel(400, 50) == qRgb(76, 88, 68) && preview.pixel(400, 550) == qRgb(76, 88, 68));
        QCOMPARE(preview.pixel(400, 300), qRgb(0, 0, 0));
        QCOMPARE(preview.pixel(133, 300), qRgb(255, 214, 10));   // 4:3 shows 1333 of 2000
        QCOMPARE(preview.pixel(132, 300), qRgb(0, 0, 0));
    }
};

QTEST_MAIN(TestWideHdPreview)
#include "tst_widehdpreview.moc"
