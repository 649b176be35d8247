#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QListWidget;

// A text browser over the shipped Markdown manuals: it gives each heading the
// anchor its links name, so that the table of contents and the links between
// the manual and the administrator's guide lead to their heading, and shows a
// screenshot no wider than the page.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    void anchorHeadings();
};

// The help window: the headings of the shown document beside it, back and
// forward, and the document.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    HelpWindow(const QString& languageCode, QWidget* parent = nullptr);

    void showDocument(const QUrl& url);
    HelpBrowser* browser() const { return m_browser; }
    QListWidget* contents() const { return m_contents; }

private:
    void fillContents();

    HelpBrowser* m_browser = nullptr;
    QListWidget* m_contents = nullptr;
};
