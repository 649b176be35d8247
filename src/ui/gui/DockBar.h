#pragma once

#include <QDockWidget>

#include <memory>

class QMainWindow;
class QSettings;

// A dockable bar that remembers its size between runs: the width (docked
// left or right) or height (docked top or bottom) and its floating size,
// under its own key in the per-user settings store.
class DockBar : public QDockWidget
{
    Q_OBJECT

public:
    static const QString SettingsOrganisation;

    DockBar(const QString& title, const QString& settingsKey, QWidget* parent = nullptr);

    // The per-user store for the bars: organisation SettingsOrganisation,
    // application the running application's name.
    static std::unique_ptr<QSettings> openSettings();

    QString settingsKey() const { return m_key; }
    // Stored docked extent (width or height, by orientation); 0 when none.
    int storedDockedExtent(Qt::Orientation orientation) const;
    QSize storedFloatingSize() const;

    // Applies the stored size to the bar as it is placed now. Called on the
    // first show; call it again after moving the bar to another area.
    void restoreSize();
    void saveSize() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QMainWindow* mainWindow() const;
    Qt::Orientation dockedOrientation() const;

    QString m_key;
    bool m_restored = false;
    bool m_saving = false;
};
