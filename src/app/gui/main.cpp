#include "app/ApplicationStartup.h"
#include "app/gui/MainWindow.h"
#include "db/AppContext.h"
#include "ui/gui/DockBar.h"
#include "ui/gui/MessageBoxPrompt.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mensoly"));
    QApplication::setOrganizationName(DockBar::SettingsOrganisation);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
    AppContext context;
    MessageBoxPrompt prompt;
    if (!ApplicationStartup::run(context, QDir::currentPath(), prompt))
        return 1;
    MainWindow window(context, prompt);
    window.openStartWindow();
    // Without a window manager nobody maximises; the screen's size does.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return app.exec();
}
