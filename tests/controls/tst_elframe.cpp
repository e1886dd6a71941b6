#include "controltest.h"
#include "elframe.h"

#include <QSignalSpy>
#include <QtTest>

class TestElframe : public QObject
{
    Q_OBJECT

private slots:
    void lightColourRecoloursOnlyRightAndBottom();
    void surfaceEvents();
};

void TestElframe::lightColourRecoloursOnlyRightAndBottom()
{
    elframe frame;
    frame.resize(200, 100);
    frame.show();
    const QImage before = frame.grab().toImage();
    frame.setColor3DLight(0x0000FFu);
    const QImage after = frame.grab().toImage();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool lightEdge = x == 199 || y == 99;
            QCOMPARE(after.pixel(x, y) & 0xFFFFFF,
                     lightEdge ? rgbOf(0x0000FF) : before.pixel(x, y) & 0xFFFFFF);
        }
}

void TestElframe::surfaceEvents()
{
    elframe frame;
    frame.resize(200, 100);
    frame.show();
    QSignalSpy click(&frame, &elframe::Click), down(&frame, &elframe::MouseDown),
        dbl(&frame, &elframe::DblClick), move(&frame, &elframe::MouseMove);
    QTest::mouseClick(&frame, Qt::LeftButton, {}, QPoint(50, 40));
    QCOMPARE(click.count(), 1);
    QCOMPARE(down.at(0).at(2).toFloat(), 50.0f);
    sendMove(&frame, QPoint(60, 41));
    QCOMPARE(move.count(), 1);
    QTest::mouseDClick(&frame, Qt::LeftButton, {}, QPoint(50, 40));
    QCOMPARE(dbl.count(), 1);
}

QTEST_MAIN(TestElframe)
#include "tst_elframe.moc"
