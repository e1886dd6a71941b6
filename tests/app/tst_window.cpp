#include "app/gametree.h"
#include "app/picturebox.h"
#include "background/tilegrid.h"
#include "common/warnings.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elpanel.h"

#include <QClipboard>
#include <QCursor>
#include <QMimeData>
#include <QTest>

// The preview, the load-picture command and the window drag, on a window not started up.
class TestWindow : public QObject {
    Q_OBJECT

    std::optional<GameTree> t;

    // Saves `picture` (unless null) as `name` and loads that file through the command.
    void load(const QImage &picture, const QString &name = "p.bmp")
    {
        QVERIFY(picture.isNull() || picture.save(t->path(name), "BMP"));
        t->ui.openAnswers = {t->path(name)};
        t->window->LoadPicture();
    }

private slots:
    void init()
    {
        t.emplace().open();
        FailOnUndeclaredWarnings();
    }

    void resolutionChangeRestretchesTheLoadedPicture()
    {
        QImage picture(300, 900, QImage::Format_RGB32);   // tall: stretched, not letter-boxed
        for (int i = 0; i < 300 * 900; ++i)
            picture.setPixel(i % 300, i / 300, qRgb(i % 256, i / 300 % 256, i % 253));
        t->control<elcombo>("elcombo1")->SetListIndex(2);
        load(picture);
        for (int resolution : {2, 3, 0}) {
            t->control<elcombo>("elcombo1")->SetListIndex(resolution);
            // Always from the loaded picture, never from the previous preview.
            const QImage expected = picture.scaled(ResolutionSize(resolution), Qt::IgnoreAspectRatio,
                                                   Qt::SmoothTransformation);
            QCOMPARE(t->window->scaledPicture(), expected);
            QCOMPARE(t->control<PictureBox>("Picture3")->grab().toImage().convertToFormat(QImage::Format_RGB32),
                     expected);
        }
    }

    void failedOrCancelledLoadKeepsTheOldPicture()
    {
        QImage red(20, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        load(red);
        QVERIFY(t->writeFile("broken.jpg", "\xFF\xD8\xFF\xE0 truncated"));
        load(QImage(), "broken.jpg");
        QVERIFY2(t->ui.messages.size() == 1 && t->ui.messages[0].contains(t->path("broken.jpg")),
                 qPrintable(t->ui.messages.join('\n')));
        t->window->LoadPicture();   // cancelled
        QCOMPARE(t->ui.log.size(), 3);
        QCOMPARE(t->ui.messages.size(), 1);
        QCOMPARE(t->window->loadedPicture(), red);
    }

    // A picture dropped on the window, or pasted, loads as Load Picture loads one; the load
    // dialog offers every still-picture format, in both letter cases.
    void dropPasteAndFilter()
    {
        Main &w = *t->window;
        QImage red(20, 10, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(t->path("dropped.png")));
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(t->path("dropped.png"))});
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        QCOMPARE(w.loadedPicture(), red);

        QImage blue(8, 8, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QGuiApplication::clipboard()->setImage(blue);
        w.show();
        QApplication::setActiveWindow(&w);
        QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.loadedPicture(), blue);

        w.LoadPicture();   // cancelled
        const QString filter = t->ui.log.last();
        QVERIFY2(filter.startsWith("open Load Picture... | Picture File(*.bmp,*.jpg) (*.bmp *.BMP "), qPrintable(filter));
        for (const char *pattern : {" *.jpg *.JPG", " *.jpeg *.JPEG", " *.png *.PNG", " *.gif *.GIF", " *.tga *.TGA",
                                    " *.tif *.TIF", " *.webp *.WEBP"})
            QVERIFY2(filter.contains(pattern), pattern);
    }

    // Tab goes along the bottom row as it is seen: Run, Zip, the list, Make, Load, and round.
    void tabOrderAsSeen()
    {
        Main &w = *t->window;
        w.show();
        QStringList names;
        QWidget *at = t->control<elboton>("elboton1");
        for (int i = 0; i < 5; ++i) {
            do
                at = at->nextInFocusChain();
            while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisibleTo(&w) || !at->isEnabled());
            names << at->objectName();
        }
        QCOMPARE(names, (QStringList{"elboton4", "elcombo1", "elboton2", "elboton3", "elboton1"}));
    }

    void titleDragMovesOnlyWhilePressed()
    {
        Main &w = *t->window;
        elpanel *panel = t->control<elpanel>("elpanel1");
        // Not shown, so there is no system move and the window follows the pointer itself.
        const QPoint title = panel->pos() + panel->titleGeometry().topLeft();
        QCursor::setPos(400, 300);
        emit panel->TitleMouseDown(1, 0, 5, 4);
        emit panel->TitleMouseMove(1, 0, 0, 0);
        QCOMPARE(w.pos(), QPoint(400, 300) - QPoint(5, 4) - title);
        emit panel->TitleMouseUp(1, 0, 0, 0);
        QCursor::setPos(600, 500);
        emit panel->TitleMouseMove(0, 0, 0, 0);
        QCOMPARE(w.pos(), QPoint(400, 300) - QPoint(5, 4) - title);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
