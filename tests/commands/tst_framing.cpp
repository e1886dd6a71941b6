#include "background/composebackground.h"
#include "background/framing.h"
#include "background/tilegrid.h"
#include "commands/commands.h"
#include "common/fakegame.h"

#include <QPainter>
#include <QTest>

// What each screen shows of a framed make, computed from the layout files and tiles written, by
// the game's drawing rules: `scaled` stretches the layout's resolution to the screen; `fit`
// scales it by the larger of screen width / layout width and screen height / layout height,
// centres it and cuts what overflows.
class TestFraming : public QObject {
    Q_OBJECT
    FakeGame g;
    const GameFolders game = ResolveGameFolders(0, g.exe(), "cstrike/resource/background", false);

    QImage made(const QImage &picture, int resolution, const Commands::Framing &framing, bool hd)
    {
        QImage shown;
        Commands::Make(game, Commands::MadePicture(picture, resolution, framing), resolution);
        ComposeBackground(game.Resource, hd, &shown, nullptr);
        return shown;
    }

private slots:
    // A white disc on black, made at 800x600 for each screen, shows round on screens of that
    // shape: its width over its height, each measured through its middle (the sums of
    // brightness keep a fraction of a pixel) and stretched as the game stretches, is 1.00; and
    // its middle stays in the middle.
    void classicShowsRound_data()
    {
        QTest::addColumn<int>("screen"); QTest::addColumn<QSize>("picture"); QTest::addColumn<QList<QSize>>("screens");
        const QList<QSize> pictures{{1600, 1200}, {2400, 800}, {900, 1600}};
        const QList<QList<QSize>> sizes{{{1024, 768}}, {{1680, 1050}}, {{1920, 1080}},
                                        {{2560, 1080}, {3440, 1440}}};
        QTest::addRow("4:3, stretched") << 0 << pictures[0] << sizes[0];
        for (int screen = 1; screen < ScreenShapeCount; ++screen)
            for (const QSize &picture : pictures)
                QTest::addRow("%s, %dx%d", qPrintable(ScreenShapeText(screen)), picture.width(), picture.height())
                    << screen << picture << sizes[screen];
    }
    void classicShowsRound()
    {
        QFETCH(int, screen); QFETCH(QSize, picture); QFETCH(QList<QSize>, screens);
        QImage disc(picture, QImage::Format_RGB32);
        disc.fill(Qt::black);
        QPainter painter(&disc);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::white);
        const double radius = qMin(picture.width(), picture.height()) / 8.0;
        painter.drawEllipse(QRectF(disc.rect()).center(), radius, radius);
        painter.end();
        const QImage shown = made(disc, 1, {screen, {}, {}}, false);
        double across = 0, down = 0, x = 0, y = 0;
        for (int i = 0; i < 800; ++i) {
            across += qGray(shown.pixel(i, 300)); x += i * qGray(shown.pixel(i, 300));
            down += i < 600 ? qGray(shown.pixel(400, i)) : 0; y += i < 600 ? i * qGray(shown.pixel(400, i)) : 0;
        }
        QVERIFY(qAbs(x / across - 399.5) < 1 && qAbs(y / down - 299.5) < 1);
        for (const QSize &size : screens) {
            const double factor = (across * size.width() / 800) / (down * size.height() / 600);
            QVERIFY2(qAbs(factor - 1) <= 0.01, qPrintable(QString::number(factor)));
        }
    }

    // A Wide HD make keeps the area on 4:3, 16:9 and both 21:9 screens, and cuts only as far as
    // that needs: the parts kept, worked out by hand. Without an area, or with the one every
    // screen shows of the whole picture, the whole picture is made, as ever.
    void wideHdKeepsTheArea_data()
    {
        QTest::addColumn<QSize>("picture"); QTest::addColumn<QRect>("keep"); QTest::addColumn<QRect>("kept");
        QTest::addRow("4:3, left of the middle: nothing cut")
            << QSize(1600, 1200) << QRect(100, 500, 400, 200) << QRect(0, 0, 1600, 1200);
        QTest::addRow("4:3, top left") << QSize(1600, 1200) << QRect(100, 100, 400, 200) << QRect(0, 0, 1061, 645);
        QTest::addRow("4:3, bottom right")
            << QSize(1600, 1200) << QRect(1100, 900, 400, 200) << QRect(539, 555, 1061, 645);
        QTest::addRow("9:16, near the top") << QSize(900, 1600) << QRect(200, 100, 400, 200) << QRect(0, 0, 900, 578);
        QTest::addRow("shown everywhere") << QSize(1600, 1200) << QRect(0, 265, 1600, 670) << QRect(0, 0, 1600, 1200);
        QTest::addRow("no area") << QSize(1600, 1200) << QRect() << QRect(0, 0, 1600, 1200);
    }
    void wideHdKeepsTheArea()
    {
        QFETCH(QSize, picture); QFETCH(QRect, keep); QFETCH(QRect, kept);
        const QImage source = TestPicture(picture);
        const QImage shown = made(source, WideHdResolution, {0, {}, keep}, true);
        QCOMPARE(shown, source.copy(kept));
        for (const QSize screen : {QSize(1024, 768), QSize(1920, 1080), QSize(2560, 1080), QSize(3440, 1440)}) {
            const double scale = qMax(double(screen.width()) / kept.width(), double(screen.height()) / kept.height());
            QRectF visible(0, 0, screen.width() / scale, screen.height() / scale);
            visible.moveCenter(QRectF(kept).center());
            QVERIFY(keep.isNull() || visible.adjusted(-1, -1, 1, 1).contains(QRectF(keep)));
        }
    }

    // A framed make's area is in the picture's own pixels: its file is decoded whole, not reduced
    // for the resolution as a stretch of it is.
    void framedDecodesWhole()
    {
        QImage decoded[2];
        QVERIFY(TestPicture({2400, 1500}).save(g.at("p.png")));
        QVERIFY(Commands::DecodePictureFor(g.at("p.png"), 0, &decoded[0], nullptr)
                && Commands::DecodePictureFor(g.at("p.png"), 0, &decoded[1], nullptr, {2, {}, {}}));
        QCOMPARE(decoded[0].size(), QSize(768, 480));
        QCOMPARE(decoded[1].size(), QSize(2400, 1500));
    }

    // An area the picture cannot give is refused, saying why (one outside it, by quiltra-cli's test).
    void refusesAreas()
    {
        QString problem;
        QVERIFY(Commands::FramedArea({1600, 1200}, 1, {2, {0, 0, 800, 600}, {}}, &problem).isEmpty());
        QCOMPARE(problem, "The area 0,0,800,600 does not have the shape of a 16:9 screen.");
        QVERIFY(Commands::FramedArea({1600, 1200}, WideHdResolution, {0, {}, {0, 0, 1600, 1200}}, &problem).isEmpty());
        QCOMPARE(problem,
                 "No part of the picture shows the area 0,0,1600,1200 whole on every screen from 4:3 to 21:9: it is "
                 "too wide or too high for a picture of 1600x1200.");
    }
};

QTEST_GUILESS_MAIN(TestFraming)
#include "tst_framing.moc"
