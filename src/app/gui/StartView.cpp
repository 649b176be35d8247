#include "app/gui/StartView.h"

#include "app/MainWindowLogic.h"

#include <QPushButton>
#include <QResizeEvent>

namespace {
// Room the button's frame needs around its picture.
constexpr int ButtonFrame = 8;
} // namespace

StartView::StartView(const QString& languageCode, QWidget* parent)
    : QWidget(parent)
    , m_picture(MainWindowLogic::startPicture(languageCode))
    , m_pixmap(m_picture)
    , m_button(new QPushButton(this))
{
    m_button->setObjectName(QStringLiteral("startPicture"));
    m_button->setProperty("picture", m_picture);
    m_button->setIcon(m_pixmap);
    m_button->setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
}

// The picture keeps its full size while it fits and shrinks with the window
// otherwise, always centred.
void StartView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QSize room = event->size() - QSize(2 * ButtonFrame, 2 * ButtonFrame);
    QSize picture = m_pixmap.size();
    if (picture.width() > room.width() || picture.height() > room.height())
        picture.scale(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    m_button->setIconSize(picture);
    const QSize button = picture + QSize(ButtonFrame, ButtonFrame);
    m_button->setGeometry(
        QRect(QPoint((width() - button.width()) / 2, (height() - button.height()) / 2), button));
}
