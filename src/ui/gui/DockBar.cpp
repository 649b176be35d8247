#include "ui/gui/DockBar.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QSettings>
#include <QTimer>

const QString DockBar::SettingsOrganisation =
    QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen");

namespace {
QString orientationKey(Qt::Orientation orientation)
{
    return orientation == Qt::Horizontal ? QStringLiteral("/DockedWidth") : QStringLiteral("/DockedHeight");
}
} // namespace

DockBar::DockBar(const QString& title, const QString& settingsKey, QWidget* parent)
    : QDockWidget(title, parent)
    , m_key(settingsKey)
{
    setObjectName(settingsKey);
}

std::unique_ptr<QSettings> DockBar::openSettings()
{
    QString application = QCoreApplication::applicationName();
    if (application.isEmpty())
        application = QStringLiteral("Mensoly");
    return std::make_unique<QSettings>(SettingsOrganisation, application);
}

QMainWindow* DockBar::mainWindow() const
{
    return qobject_cast<QMainWindow*>(parentWidget());
}

// The extent a docked bar can be given: width beside the centre, height above or below it.
Qt::Orientation DockBar::dockedOrientation() const
{
    const QMainWindow* window = mainWindow();
    const Qt::DockWidgetArea area =
        window ? window->dockWidgetArea(const_cast<DockBar*>(this)) : Qt::LeftDockWidgetArea;
    return area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea ? Qt::Vertical : Qt::Horizontal;
}

int DockBar::storedDockedExtent(Qt::Orientation orientation) const
{
    return openSettings()->value(m_key + orientationKey(orientation), 0).toInt();
}

QSize DockBar::storedFloatingSize() const
{
    return openSettings()->value(m_key + QStringLiteral("/FloatingSize")).toSize();
}

void DockBar::restoreSize()
{
    if (isFloating()) {
        const QSize size = storedFloatingSize();
        if (size.isValid())
            resize(size);
        return;
    }
    QMainWindow* window = mainWindow();
    const Qt::Orientation orientation = dockedOrientation();
    const int extent = storedDockedExtent(orientation);
    if (window && extent > 0)
        window->resizeDocks({this}, {extent}, orientation);
}

void DockBar::saveSize() const
{
    if (!isVisible())
        return;
    auto settings = openSettings();
    if (isFloating()) {
        settings->setValue(m_key + QStringLiteral("/FloatingSize"), size());
        return;
    }
    const Qt::Orientation orientation = dockedOrientation();
    settings->setValue(m_key + orientationKey(orientation),
                       orientation == Qt::Horizontal ? width() : height());
}

void DockBar::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    if (m_restored)
        return;
    m_restored = true;
    restoreSize();
    // The sizes the layout passes through while it settles are not the user's.
    QTimer::singleShot(0, this, [this] { m_saving = true; });
}

void DockBar::resizeEvent(QResizeEvent* event)
{
    QDockWidget::resizeEvent(event);
    if (m_saving)
        saveSize();
}
