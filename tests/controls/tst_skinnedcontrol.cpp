// What the skinned controls share: edge lines, which inner element raises which event,
// and the design values they store for their holder.

#include "controls/controltest.h"
#include "controls/designvalues.h"

namespace {

QVariantList stored(const SkinnedControl &control)
{
    PropertyStore store;
    control.WriteProperties(store);
    QVariantList values;
    for (const QString &key : store.keys())
        values << store.value(key);
    return values;
}

} // namespace

// Logs the signals a control raises, but its *Changed ones, in order, with button, X and Y.
class Recorder : public QObject
{
    Q_OBJECT

public:
    explicit Recorder(QObject *control)
    {
        const QMetaObject *meta = control->metaObject();
        for (int i = SkinnedControl::staticMetaObject.methodOffset(); i < meta->methodCount(); ++i)
            if (const QMetaMethod s = meta->method(i);
                s.methodType() == QMetaMethod::Signal && !s.name().endsWith("Changed"))
                connect(control, ("2" + s.methodSignature()).data(), this,
                        s.parameterCount() ? SLOT(mouse(int, int, float, float)) : SLOT(plain()));
    }
    QStringList log;

public slots:
    void plain() { log << sender()->metaObject()->method(senderSignalIndex()).name(); }
    void mouse(int button, int, float x, float y)
    {
        plain();
        log.last() += QString("(%1,%2,%3)").arg(button).arg(x).arg(y);
    }
};

class TestSkinnedControl : public QObject
{
    Q_OBJECT

private slots:
    void edgeLines_data()
    {
        // Probes "lX,Y": l, d, b and x show Color3DLight, Color3DDark, BackColor and CloseColor, each set apart
        // (stored as 0x00BBGGRR). Lines stop one pixel short of their end; right and bottom are drawn last. A left
        // press at pressAt shows pressed. The panel's title, too long, stops under the close box. Asked for less,
        // the button is 500 x 360 twips (33.3 pixels: 34), the list 1425 x 300.
        columns<QString, QSize, QString, QPoint, QString>("kind", "size", "probes", "pressAt", "pressed");
        QTest::newRow("button, bottom edge from x = 1") << "elboton" << QSize(20, 40)
            << "l0,0 l32,0 l0,22 d33,0 d1,23 d33,23 b0,23" << QPoint() << "";
        QTest::newRow("panel and close box") << "elpanel" << QSize(300, 200)
                                             << "l0,0 d299,0 d0,199 d299,199 l274,16 l274,24 l290,8 d291,8 d274,25 "
                                                "x279,13 x283,16 x286,19 b282,13 b277,16"
                                             << QPoint(283, 17) << "l0,0 d274,24 d290,8 l291,8 l274,25 x283,16";
        QTest::newRow("frame, sunken") << "elframe" << QSize(200, 100) << "d0,0 d198,0 l199,0 l0,99 l199,99 b9,9"
                                       << QPoint() << "";
        QTest::newRow("combo, right edge from y = 1") << "elcombo" << QSize(50, 40)
            << "d0,0 d94,0 l94,1 l0,19" << QPoint() << "";
    }

    void edgeLines()
    {
        const auto [kind, size, probes, pressAt, pressed] =
            fetch<QString, QSize, QString, QPoint, QString>("kind", "size", "probes", "pressAt", "pressed");
        auto control = makeControl(kind);
        control->resize(size);
        control->setColor3DLight(0x0000FFu);
        control->setColor3DDark(0x00FF00u);
        control->setBackColor(ColorValue::fromRgb(0, 0, 255));
        if (auto *panel = qobject_cast<elpanel *>(control.get())) {
            panel->setCloseColor(0x00FFFFu);
            panel->setTitle(QString(200, QChar(0x2588)));
        }
        control->show();
        const QMap<QChar, QRgb> shows{{'l', 0xFF0000}, {'d', 0x00FF00}, {'b', 0x0000FF}, {'x', 0xFFFF00}};
        // wanted, each letter replaced by what shows there
        const auto seen = [&](const QString &wanted) {
            QStringList found;
            for (const QString &probe : wanted.split(' ')) {
                const QStringList xy = probe.mid(1).split(',');
                found << shows.key(shownAt(control.get(), xy[0].toInt(), xy[1].toInt()), '?') + probe.mid(1);
            }
            return found.join(' ');
        };
        QCOMPARE(seen(probes), probes);
        if (pressAt.isNull())
            return;
        QTest::mousePress(control.get(), Qt::LeftButton, {}, pressAt);
        QCOMPARE(seen(pressed), pressed);
    }

    void mouseEvents_data()
    {
        // Steps: p(ress), r(elease) or m(ove) with the L(eft) or R(ight) button at x,y ("T": the caption's top) on a
        // control of 300 x 200, or as near as its size rules allow; raised: each step's signals, " | " apart.
        columns<QString, QString, QString>("kind", "script", "raised");
        QTest::newRow("button surface, released outside") << "elboton" << "pL296,20 rL400,80"
            << "MouseDown(1,296,20) | MouseUp(1,400,80)";
        QTest::newRow("label: above, on, below the caption") << "ellabel"
            << "pL150,T-1 rL150,T+0 pL150,T+0 rL150,T+15 pL150,T+16 rL150,T+16"
            << " |  | MouseDown(1,150,0) | MouseUp(1,150,15) Click |  | ";
        QTest::newRow("close box: right, left, moved away") << "elpanel"
            << "pR283,17 rR283,17 pL283,17 rL283,17 pL283,17 mL100,100 rL100,100" << " |  |  | CloseClick |  |  | ";
        QTest::newRow("icon, title click and drag") << "elpanel"
            << "pL12,14 rL12,14 pL40,15 rL40,15 pL40,15 mL150,120 rL150,120"
            << "IconMouseDown(1,3,4) | IconMouseUp(1,3,4) | TitleMouseDown(1,10,6) | TitleMouseUp(1,10,6) Click | "
               "TitleMouseDown(1,10,6) | TitleMouseMove(1,120,111) | TitleMouseUp(1,120,111)";
        QTest::newRow("radio: indicator, caption, released beside") << "elradio"
            << "pL9,9 rL9,9 pR9,9 rR9,9 pL38,T+4 rL38,T+4 pL9,9 rL22,9"
            << " | Click |  |  | MouseDown(1,10,4) | MouseUp(1,10,4) Click |  | ";
    }

    void mouseEvents()
    {
        const auto [kind, script, raised] = fetch<QString, QString, QString>("kind", "script", "raised");
        auto control = makeControl(kind);
        control->resize(300, 200);
        // the caption, centred in the control
        const int top = (control->height() - control->fontMetrics().height()) / 2;
        control->show();
        const QImage initial = control->grab().toImage();
        Recorder recorder(control.get());
        QStringList log;
        for (const QString &step : script.split(' ')) {
            const QStringList xy = step.mid(2).split(',');
            const QPoint at(xy[0].toInt(), xy[1].startsWith('T') ? top + xy[1].mid(1).toInt() : xy[1].toInt());
            // p, r, m as QTest's MousePress, MouseRelease, MouseMove (sent to the control while a button is held)
            QTest::mouseEvent(QTest::MouseAction(QString("pr--m").indexOf(step[0])), control.get(),
                              step[1] == 'L' ? Qt::LeftButton : Qt::RightButton, {}, at);
            log << std::exchange(recorder.log, {}).join(' ');
        }
        QCOMPARE(log.join(" | "), raised);
        // every pressed look let go
        QCOMPARE(control->grab().toImage(), initial);
    }

    void storedValues_data()
    {
        columns<QString>("kind");
        for (const char *kind : {"elboton", "elpanel", "elframe", "ellabel", "elradio", "elcombo"})
            QTest::newRow(kind) << QString(kind);
    }

    void storedValues()
    {
        // Each stored value changed through its property is read back by a new control; every value a holder's
        // store lacks goes back to its default.
        const auto [kind] = fetch<QString>("kind");
        auto control = makeControl(kind), reader = makeControl(kind), fresh = makeControl(kind);
        const QMetaObject *meta = control->metaObject();
        for (const QString &name :
             QString(meta->classInfo(meta->indexOfClassInfo("StoredValues")).value()).split(' ')) {
            const QMetaProperty property = meta->property(meta->indexOfProperty(qPrintable(name)));
            const QVariant now = property.read(control.get());
            const QVariant next = now.typeId() == QMetaType::Bool ? QVariant(!now.toBool())
                : now.typeId() == QMetaType::QString ? QVariant(now.toString() + "x")
                : now.typeId() == QMetaType::Float ? QVariant(now.toFloat() + 1)
                : now.typeId() == QMetaType::QFont ? QVariant(QFont("Courier New", 17))
                : QVariant::fromValue(ColorValue(now.value<ColorValue>().value() ^ 1));
            QVERIFY2(property.write(control.get(), next) && property.read(control.get()) == next, qPrintable(name));
        }
        PropertyStore store;
        control->WriteProperties(store);
        reader->ReadProperties(store);
        QCOMPARE(stored(*reader), stored(*control));
        control->ReadProperties({});
        fresh->ReadProperties({});
        QCOMPARE(stored(*control), stored(*fresh));
    }

    void storedFonts()
    {
        // The window's font (italic), not its panel's, refined by the parts the windows store.
        QWidget window;
        window.setFont(QFont("Verdana", 8, -1, true));
        auto *label = new ellabel(new elpanel(&window));
        label->ReadProperties(TahomaDesign());
        QFont expected("Tahoma", -1, -1, true);
        expected.setPointSizeF(9.75);
        QCOMPARE(label->font(), expected);
    }
};

QTEST_MAIN(TestSkinnedControl)
#include "tst_skinnedcontrol.moc"
