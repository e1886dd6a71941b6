#include "app/qtuserinteraction.h"
#include "controls/elboton.h"
#include "controls/elradio.h"
#include "lang/dialogs/thegame.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

// The Qt interaction: a start-up question keeps its owner disabled until Ok.
class TestQtUserInteraction : public QObject {
    Q_OBJECT

private slots:
    void gameQuestionDisablesTheOwnerUntilOk()
    {
        QWidget owner;
        owner.show();
        QtUserInteraction ui;
        ui.setOwner(&owner);
        bool enabled = true;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<TheGame *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            enabled = owner.isEnabled();
            QTest::mouseClick(dialog->radio(2), Qt::LeftButton, {}, QPoint(9, 9));
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton, {}, QPoint(20, 12));
        });
        QCOMPARE(ui.askGame(), 2);
        QVERIFY(!enabled);
        QVERIFY(owner.isEnabled());
    }
};

QTEST_MAIN(TestQtUserInteraction)
#include "tst_qtuserinteraction.moc"
