#include "AppContext.h"
#include "ApplicationStartup.h"
#include "MainWindow.h"
#include "MessageBoxPrompt.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mensoly"));
    AppContext context;
    MessageBoxPrompt prompt;
    if (!ApplicationStartup::run(context, QDir::currentPath(), prompt))
        return 1;
    MainWindow window(context, prompt);
    window.showMaximized();
    return app.exec();
}
