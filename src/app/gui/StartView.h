#pragma once

#include <QWidget>

class QPushButton;

// The start view: one large picture button with the start picture of the
// language the view was made in. Clicking it does nothing.
class StartView : public QWidget
{
    Q_OBJECT

public:
    explicit StartView(const QString& languageCode, QWidget* parent = nullptr);

    QPushButton* pictureButton() const { return m_button; }
    // The resource name of the picture shown.
    QString picture() const { return m_picture; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_picture;
    QPixmap m_pixmap;
    QPushButton* m_button;
};
