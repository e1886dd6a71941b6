#pragma once

#include <QImage>
#include <QWidget>

// A borderless drawing area that shows one image one-to-one from its top-left corner. Unlike
// a QLabel it never greys its image, so the preview stays true while the window is disabled.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // The image shown; setting it repaints.
    const QImage &image() const { return m_image; }
    void setImage(const QImage &image);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};
