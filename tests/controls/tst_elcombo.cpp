#include "common/warnings.h"
#include "controls/controltest.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

namespace {

const char *const Resolutions[] = {"640x480", "800x600", "1024x768", "1280x1024"};

// The main window's design values for its resolution list.
PropertyStore mainWindowDesign()
{
    PropertyStore store;
    store.setValue("forecolor", 0xFFFFFF);
    store.setValue("color3dlight", 0x809188);
    store.setValue("color3ddark", 0x222E28);
    return store;
}

// The resolution list as the main window fills it, the second entry chosen.
elcombo *resolutionList(QWidget *window, const PropertyStore &design = {})
{
    auto *combo = new elcombo(window);
    combo->ReadProperties(design);
    for (const char *entry : Resolutions)
        combo->AddItem(QString::fromLatin1(entry));
    combo->SetListIndex(1);
    return combo;
}

// Where a line of pixels of the control shows exactly colour: x of row y, or y of column x.
QList<int> marked(QWidget *control, QRgb colour, int row, int column)
{
    const QImage shown = control->grab().toImage();
    QList<int> at;
    for (int i = 0; i < (row >= 0 ? shown.width() : shown.height()); ++i)
        if ((shown.pixel(row >= 0 ? i : column, row >= 0 ? row : i) & 0xFFFFFF) == colour)
            at.append(i);
    return at;
}

// Opening the list raises it and grabs the keyboard, which the offscreen platform cannot do.
void expectOpeningWarnings()
{
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support grabbing the keyboard");
}

} // namespace

class TestElcombo : public QObject
{
    Q_OBJECT

private slots:
    void init() { FailOnUndeclaredWarnings(); }
    void listOperations_data();
    void listOperations();
    void focusMark_data();
    void focusMark();
    void openListBelowInOwnColours_data();
    void openListBelowInOwnColours();
};

void TestElcombo::listOperations_data()
{
    // The four resolutions, the second chosen, the list focused from the keyboard beside a button.
    // Steps: set/remove/add/setlist/clear through the interface, key names to the focused control,
    // wheel-up/down over the list, blur: the button takes the focus.
    columns<QString, int, QString, int, int, bool>({"steps", "index", "shown", "count", "clicks", "open"});
    QTest::newRow("select last") << "set:3" << 3 << "1280x1024" << 4 << 1 << false;
    QTest::newRow("select and remove out of range") << "set:2 set:4 set:-1 remove:4 remove:-1" << 2 << "1024x768"
                                                    << 4 << 1 << false;
    QTest::newRow("cleared list") << "clear set:0 remove:0" << -1 << "" << 0 << 0 << false;
    QTest::newRow("remove before the selection") << "remove:0" << 0 << "800x600" << 3 << 0 << false;
    QTest::newRow("remove the selection, then Down") << "remove:1 Down" << 0 << "640x480" << 3 << 1 << false;
    QTest::newRow("adding selects nothing") << "clear add:only" << -1 << "" << 1 << 0 << false;
    QTest::newRow("SetList changes nothing") << "setlist:1" << 1 << "800x600" << 4 << 0 << false;
    QTest::newRow("Up past the first") << "Up Up" << 0 << "640x480" << 4 << 1 << false;
    QTest::newRow("Down to the last and past it") << "Down Down Down" << 3 << "1280x1024" << 4 << 2 << false;
    QTest::newRow("Alt+Down opens") << "Alt+Down" << 1 << "800x600" << 4 << 0 << true;
    QTest::newRow("wheel with the focus") << "wheel-down wheel-up wheel-up" << 0 << "640x480" << 4 << 3 << false;
    QTest::newRow("wheel without the focus") << "blur wheel-down wheel-up" << 1 << "800x600" << 4 << 0 << false;
}

void TestElcombo::listOperations()
{
    const auto [steps, index, shown, count, clicks, open] =
        fetch<QString, int, QString, int, int, bool>("steps", "index", "shown", "count", "clicks", "open");
    QWidget window;
    auto *button = new elboton(&window);
    auto *combo = resolutionList(&window);
    combo->move(0, 30);
    window.show();
    focusFromKeyboard(combo);
    QVERIFY(combo->hasFocus());
    QSignalSpy click(combo, &elcombo::Click);
    QComboBox *list = combo->innerList();
    for (const QString &step : steps.split(' ')) {
        const QString name = step.section(':', 0, 0), argument = step.section(':', 1);
        if (name == "set") combo->SetListIndex(argument.toInt());
        if (name == "remove") combo->RemoveItem(argument.toInt());
        if (name == "add") combo->AddItem(argument);
        if (name == "setlist") combo->SetList(argument.toInt(), "changed");
        if (name == "clear") combo->Clear();
        if (name == "blur") focusFromKeyboard(button);
        if (name.startsWith("wheel")) {
            const QPointF at(20, 8);
            QWheelEvent wheel(at, list->mapToGlobal(at), {}, QPoint(0, name == "wheel-down" ? -120 : 120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list, &wheel);
        }
        if (name.endsWith("Up") || name.endsWith("Down")) {
            if (name.startsWith("Alt+"))
                expectOpeningWarnings();
            QTest::keyClick(QApplication::focusWidget(), name.endsWith("Up") ? Qt::Key_Up : Qt::Key_Down,
                            name.startsWith("Alt+") ? Qt::AltModifier : Qt::NoModifier);
        }
    }
    const bool opened = list->view()->window()->isVisible();
    list->hidePopup();
    QCOMPARE(combo->GetListIndex(), index);
    QCOMPARE(list->currentText(), shown);
    QCOMPARE(combo->ListCount(), count);
    QCOMPARE(click.count(), clicks);
    QCOMPARE(opened, open);
    QCOMPARE(combo->GetList(0), QString());
}

void TestElcombo::focusMark_data()
{
    // Run, list, Make in tab order, as the main window puts them; the focus comes by Tab from Run,
    // Shift+Tab from Make, a click, or stays on Run. The mark: ForeColor, one dot in three, on
    // column 2 and row 3 (x = 3 to 120, short of the drop symbol). design: the main window's.
    columns<bool, QString, QRgb, QList<int>, QList<int>>({"design", "focusBy", "mark", "left", "top"});
    const QList<int> left{5, 8, 11, 14}, top{3, 120, 40}, none;   // top: first, last and how many
    QTest::newRow("Tab, white") << true << "Tab" << 0xFFFFFFu << left << top;
    QTest::newRow("Backtab, the default pale text") << false << "Backtab" << 0xD8DED3u << left << top;
    QTest::newRow("a click") << true << "click" << 0xFFFFFFu << none << none;
    QTest::newRow("no focus") << true << "none" << 0xFFFFFFu << none << none;
}

void TestElcombo::focusMark()
{
    const auto [design, focusBy, mark, left, top] =
        fetch<bool, QString, QRgb, QList<int>, QList<int>>("design", "focusBy", "mark", "left", "top");
    QWidget window;
    auto *run = new elboton(&window);
    auto *make = new elboton(&window);
    auto *combo = resolutionList(&window, design ? mainWindowDesign() : PropertyStore());
    make->move(0, 60);
    combo->setGeometry(0, 30, 145, 20);
    QWidget::setTabOrder(run, combo);
    QWidget::setTabOrder(combo, make);
    window.show();
    focusFromKeyboard(focusBy == "Backtab" ? make : run);
    if (focusBy == "Tab" || focusBy == "Backtab")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                        focusBy == "Tab" ? Qt::NoModifier : Qt::ShiftModifier);
    if (focusBy == "click")
        combo->setFocus(Qt::MouseFocusReason);
    QCOMPARE(QApplication::focusWidget(), focusBy == "none" ? static_cast<QWidget *>(run) : combo);
    QCOMPARE(marked(combo, mark, -1, 2), left);
    QList<int> row = marked(combo, mark, 3, -1);
    if (!row.isEmpty())
        row = {row.first(), row.last(), int(row.size())};
    QCOMPARE(row, top);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);   // on round the order
    QCOMPARE(QApplication::focusWidget(), focusBy == "none" ? static_cast<QWidget *>(combo) : make);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), focusBy == "none" ? make : static_cast<QWidget *>(run));
}

void TestElcombo::openListBelowInOwnColours_data()
{
    // Edges as the field's: dark top and left, light right and bottom; the chosen entry in
    // the dark edge colour under the text colour. Near the screen's foot it opens above.
    // top: where the window's client area starts on the 800 x 800 screen.
    columns<bool, int, QRgb, QRgb, QRgb, bool>({"design", "top", "text", "light", "dark", "below"});
    QTest::newRow("main window design") << true << 100 << 0xFFFFFFu << 0x889180u << 0x282E22u << true;
    QTest::newRow("defaults") << false << 100 << 0xD8DED3u << 0xA0AA95u << 0x000000u << true;
    QTest::newRow("near the foot of the screen") << true << 760 << 0xFFFFFFu << 0x889180u << 0x282E22u << false;
}

void TestElcombo::openListBelowInOwnColours()
{
    const auto [design, top, text, light, dark, below] =
        fetch<bool, int, QRgb, QRgb, QRgb, bool>("design", "top", "text", "light", "dark", "below");
    QWidget window;
    auto *combo = resolutionList(&window, design ? mainWindowDesign() : PropertyStore());
    combo->setGeometry(10, 10, 145, 20);
    window.resize(200, 35);
    window.move(100, top);
    window.show();
    focusFromKeyboard(combo);
    expectOpeningWarnings();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    QAbstractItemView *view = combo->innerList()->view();
    QWidget *popup = view->window();
    QVERIFY(popup->isVisible());
    const QRect at = popup->geometry();
    const QImage shown = popup->grab().toImage();
    combo->innerList()->hidePopup();
    QCOMPARE(at.width(), 145);
    if (below)
        QCOMPARE(at.topLeft(), combo->mapToGlobal(QPoint(0, 20)));
    else
        QCOMPARE(at.bottomLeft(), combo->mapToGlobal(QPoint(0, -1)));
    const auto pixel = [&](int x, int y) { return shown.pixel(x, y) & 0xFFFFFF; };
    QCOMPARE(pixel(0, 5), dark);
    QCOMPARE(pixel(5, 0), dark);
    QCOMPARE(pixel(at.width() - 1, 5), light);
    QCOMPARE(pixel(5, at.height() - 1), light);
    const auto entry = [&](int row) {   // an entry as shown, in RGB32
        const QRect r = view->visualRect(view->model()->index(row, 0));
        return shown.copy(QRect(view->mapTo(popup, r.topLeft()), r.size())).convertToFormat(QImage::Format_RGB32);
    };
    const QImage chosen = entry(1);
    QCOMPARE(chosen.pixel(chosen.width() - 3, chosen.height() / 2) & 0xFFFFFF, dark);
    QCOMPARE(entry(2).pixel(chosen.width() - 3, chosen.height() / 2) & 0xFFFFFF, 0x3E4637u);
    // The text of the chosen entry reaches its full colour.
    const auto *pixels = reinterpret_cast<const QRgb *>(chosen.constBits());
    QVERIFY(std::any_of(pixels, pixels + chosen.width() * chosen.height(), [&](QRgb p) { return (p & 0xFFFFFF) == text; }));
}

QTEST_MAIN(TestElcombo)
#include "tst_elcombo.moc"
