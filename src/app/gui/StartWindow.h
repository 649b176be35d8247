#pragma once

#include <QMdiSubWindow>

class QMdiArea;
class StartView;

// The borderless window without caption that covers the workspace at start
// and holds the start view.
class StartWindow : public QMdiSubWindow
{
    Q_OBJECT

public:
    StartWindow(const QString& languageCode, QMdiArea* workspace);

    StartView* view() const { return m_view; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void coverWorkspace();

    QMdiArea* m_workspace;
    StartView* m_view;
};
