#pragma once

#include <QDialog>
#include <QList>
#include <QRect>
#include <QString>

class elboton;
class elpanel;
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

    elpanel *elpanel1;
    elboton *elboton1;

protected:
    // The first choice starts checked.
    ChoiceDialog(const QString &windowCaption, const QString &title, QSize clientSize,
                 const QList<Choice> &choices, QRect okGeometry);

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

    QList<elradio *> m_radios;

private:
    void radioClicked(elradio *clicked);
    void okClicked();

    int m_answer = -1;
};
