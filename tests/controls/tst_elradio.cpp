#include "common/keys.h"
#include "controls/controltest.h"

class TestElradio : public QObject
{
    Q_OBJECT

private slots:
    void indicatorAndCaption()
    {
        // Toggled before Click; caption and dot in the state's colour; the disc and its aliased arcs pixel exact.
        elradio radio;
        radio.show();
        QList<bool> seen;
        connect(&radio, &elradio::Click, this, [&] { seen << radio.Value(); });
        for (const bool on : {true, false}) {
            QTest::mouseClick(&radio, Qt::LeftButton, {}, QPoint(9, 9));
            QCOMPARE(seen.last(), on);
            QCOMPARE(QList({radio.captionColor().value(), shownAt(&radio, 9, 9), shownAt(&radio, 9, 13)}),
                     QList({on ? 0x50B5C4u : 0xD3DED8u, on ? 0xC4B550u : 0x3E4637u, 0x3E4637u}));
        }
        QCOMPARE(QList({shownAt(&radio, 15, 9), shownAt(&radio, 3, 9)}), QList({0xA0AA95u, 0u}));
    }

    void keyboardInAGroup_data()
    {
        // In tab order: button 0; radios 1 and 2, button 3 and radio 4 under one parent; radio 5 alone. The holder
        // clears a parent's other radios on each Click. focused: after each key; clicks: radios that raised Click.
        columns<QString, int, QString, QString, QString>("on", "start", "keys", "focused", "clicks");
        QTest::newRow("Tab: one stop on the radio on")
            << "2" << 0 << "Tab Tab Tab Shift+Tab Shift+Tab Shift+Tab" << "2 3 5 3 2 0" << "";
        QTest::newRow("Tab: none on, each a stop; Space") << "" << 0 << "Tab Tab Space Tab" << "1 2 2 3" << "2";
        QTest::newRow("arrows round the group")
            << "1" << 1 << "Right Right Down Up Left Tab" << "2 4 1 4 2 3" << "24142";
        QTest::newRow("onto the radio already on") << "2" << 1 << "Down" << "2" << "";
        QTest::newRow("past a disabled radio") << "1 2-" << 1 << "Down" << "4" << "4";
        QTest::newRow("a radio alone keeps the focus") << "5" << 5 << "Down Up" << "5 5" << "";
    }

    void keyboardInAGroup()
    {
        const auto [on, start, keys, focused, clicks] =
            fetch<QString, int, QString, QString, QString>("on", "start", "keys", "focused", "clicks");
        QWidget window;
        auto *group = new QWidget(&window);
        QList<QWidget *> widgets{new elboton(&window)};
        QString clicked;
        for (int i = 1; i <= 5; ++i) {
            const QString n = QString::number(i);
            widgets << (i == 3 ? static_cast<QWidget *>(new elboton(group)) : new elradio(i < 5 ? group : &window));
            if (auto *radio = qobject_cast<elradio *>(widgets[i])) {
                // "2-": radio 2 disabled
                radio->setEnabled(!on.contains(n + '-'));
                radio->setValue(on.contains(n) && radio->isEnabled());
                connect(radio, &elradio::Click, this, [&, n, radio] {
                    clicked += n;
                    for (elradio *r : radio->parentWidget()->findChildren<elradio *>())
                        r->setValue(r == radio);
                });
            }
        }
        window.show();
        focusFromKeyboard(widgets[start]);
        QStringList trail;
        for (const QString &key : keys.split(' ')) {
            PressKeys(key);
            trail << QString::number(widgets.indexOf(QApplication::focusWidget()));
        }
        QCOMPARE(trail.join(' '), focused);
        QCOMPARE(clicked, clicks);
    }
};

QTEST_MAIN(TestElradio)
#include "tst_elradio.moc"
