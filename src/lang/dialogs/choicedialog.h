#pragma once

#include <QDialog>
#include <QList>
#include <QRect>
#include <QString>

class elboton;
class elradio;

// A start-up question: a frameless window covered by a title panel, a group of radio buttons
// of which always exactly one is on, and an Ok button. It opens in the middle of the screen and
// stays open until Ok: the platform's close keys are ignored, so the start-up sequence waiting
// for it neither hangs nor goes on unanswered.
class ChoiceDialog : public QDialog {
    Q_OBJECT

public:
    struct Choice {
        QString caption;
        QRect geometry;
    };

    // The index of the first radio that was on when Ok was clicked, the last index when none
    // was; -1 until Ok.
    int Answer() const { return m_answer; }

    // Ignores Escape: only Ok answers.
    void reject() override;

    // The radio of the choice at index, in the order given, and the Ok button, for whoever answers.
    elradio *radio(int index) const { return m_radios.at(index); }
    elboton *okButton() const { return m_ok; }

protected:
    // The first choice starts checked.
    ChoiceDialog(const QString &windowCaption, const QString &title, QSize clientSize,
                 const QList<Choice> &choices, QRect okGeometry);

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Enter or Return on a choice answers with it, as Ok does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void radioClicked(elradio *clicked);
    void okClicked();

    QList<elradio *> m_radios;   // elradio1, elradio2...
    elboton *m_ok;               // elboton1
    int m_answer = -1;
};
