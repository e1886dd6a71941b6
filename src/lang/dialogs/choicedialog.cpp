#include "lang/dialogs/choicedialog.h"

#include "controls/designvalues.h"
#include "controls/elboton.h"
#include "controls/elpanel.h"
#include "controls/elradio.h"

#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

ChoiceDialog::ChoiceDialog(const QString &windowCaption, const QString &title, QSize clientSize,
                           const QList<Choice> &choices, QRect okGeometry)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(windowCaption);
    setFixedSize(clientSize);

    auto *body = new elpanel(this);   // elpanel1
    PropertyStore panel = TahomaDesign();
    panel.setText(QStringLiteral("title"), title);
    panel.setBool(QStringLiteral("cerrar"), false);
    panel.setColor(QStringLiteral("color3ddark"), StoredDarkEdge);
    body->ReadProperties(panel);
    body->setGeometry(QRect(QPoint(0, 0), clientSize));

    for (qsizetype i = 0; i < choices.size(); ++i) {
        auto *radio = new elradio(body);
        PropertyStore store = TahomaDesign();
        store.setText(QStringLiteral("caption"), choices[i].caption);
        store.setBool(QStringLiteral("value"), i == 0);
        radio->ReadProperties(store);
        radio->setGeometry(choices[i].geometry);
        connect(radio, &elradio::Click, this, [this, radio] { radioClicked(radio); });
        m_radios.append(radio);
    }

    m_ok = new elboton(body);
    PropertyStore ok = TahomaDesign();
    ok.setText(QStringLiteral("caption"), QStringLiteral("Ok"));
    m_ok->ReadProperties(ok);
    m_ok->setGeometry(okGeometry);
    connect(m_ok, &elboton::Click, this, &ChoiceDialog::okClicked);
}

void ChoiceDialog::reject()
{
}

void ChoiceDialog::closeEvent(QCloseEvent *event)
{
    if (m_answer < 0)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void ChoiceDialog::showEvent(QShowEvent *event)
{
    // QDialog would allow for a title bar this frameless window does not have and open it
    // 10 pixels left of and 40 above the middle; placing it first keeps QDialog out of it.
    if (!event->spontaneous()) {
        QScreen *where = QGuiApplication::screenAt(QCursor::pos());
        const QRect area = (where ? where : screen())->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    QDialog::showEvent(event);
}

void ChoiceDialog::radioClicked(elradio *clicked)
{
    // The radio's own toggle would leave no choice on after a click on the checked one, and
    // Ok would then answer for a choice the user never made.
    if (!clicked->Value())
        clicked->setValue(true);
    for (elradio *radio : std::as_const(m_radios)) {
        if (radio != clicked)
            radio->setValue(false);
    }
}

void ChoiceDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() && m_radios.contains(focusWidget())) {
        okClicked();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ChoiceDialog::okClicked()
{
    m_answer = int(m_radios.size()) - 1;
    for (qsizetype i = 0; i < m_radios.size(); ++i) {
        if (m_radios[i]->Value()) {
            m_answer = int(i);
            break;
        }
    }
    accept();
}
