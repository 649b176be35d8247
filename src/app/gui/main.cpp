#include "app/ApplicationStartup.h"
#include "app/DataDirectory.h"
#include "app/Version.h"
#include "app/gui/MainWindow.h"
#include "db/AppContext.h"
#include "ui/gui/DockBar.h"
#include "ui/gui/MessageBoxPrompt.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Read before the application object, which needs a display that a
    // --version in a script does not have.
    QString given;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("mensoly %s\n", ProgramVersion);
            return 0;
        }
        if (std::strcmp(argv[i], "--data-dir") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                std::fprintf(stderr, "mensoly: --data-dir needs a directory\n");
                return 2;
            }
            given = QString::fromLocal8Bit(argv[++i]);
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mensoly"));
    QApplication::setApplicationVersion(QString::fromLatin1(ProgramVersion));
    QApplication::setOrganizationName(DockBar::SettingsOrganisation);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
    MessageBoxPrompt prompt;
    const DataDirectory::Entered entered =
        DataDirectory::enter(given, DataDirectory::userLocation(), DataDirectory::systemLanguage());
    if (!entered.error.isEmpty()) {
        prompt.message(entered.error, Prompt::Icon::Error);
        return 1;
    }
    AppContext context;
    if (!ApplicationStartup::run(context, QDir::currentPath(), prompt))
        return 1;
    MainWindow window(context, prompt);
    window.openStartWindow();
    // Without a window manager nobody maximises; the screen's size does.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return app.exec();
}
