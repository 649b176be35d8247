#include "app/gui/HelpWindow.h"

#include "app/HelpDocuments.h"
#include "core/Lang.h"

#include <QHBoxLayout>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// Screenshots are taken on large screens; wider ones are shown at this width.
constexpr int MaxImageWidth = 900;

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    setOpenExternalLinks(true);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::ImageResource)
        return resource;
    QImage image;
    if (resource.typeId() == QMetaType::QByteArray)
        image.loadFromData(resource.toByteArray());
    else
        image = resource.value<QImage>();
    if (image.width() > MaxImageWidth)
        image = image.scaledToWidth(MaxImageWidth, Qt::SmoothTransformation);
    return image.isNull() ? resource : QVariant(image);
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    QTextBrowser::doSetSource(name, type);
    // The Markdown reader names no heading; the anchors come after loading,
    // so the jump to a fragment of another document is made again here.
    anchorHeadings();
    if (!name.fragment().isEmpty())
        scrollToAnchor(name.fragment());
}

void HelpBrowser::anchorHeadings()
{
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        const QString anchor = HelpDocuments::headingAnchor(block.text());
        if (block.begin() != block.end() &&
            block.begin().fragment().charFormat().anchorNames().contains(anchor))
            continue;
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setAnchor(true);
        format.setAnchorNames({anchor});
        cursor.mergeCharFormat(format);
    }
}

HelpWindow::HelpWindow(const QString& languageCode, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(
        Lang::deOr(languageCode, QStringLiteral("Mensoly – Hilfe"), QStringLiteral("Mensoly – Help")));
    m_browser = new HelpBrowser(this);
    m_contents = new QListWidget(this);
    auto* back =
        new QPushButton(Lang::deOr(languageCode, QStringLiteral("Zurück"), QStringLiteral("Back")), this);
    auto* forward = new QPushButton(
        Lang::deOr(languageCode, QStringLiteral("Vorwärts"), QStringLiteral("Forward")), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::fillContents);
    connect(m_contents, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        m_browser->scrollToAnchor(item->data(Qt::UserRole).toString());
    });
    connect(m_contents, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_browser->scrollToAnchor(item->data(Qt::UserRole).toString());
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch(1);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 900});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(1200, 800);
}

void HelpWindow::showDocument(const QUrl& url)
{
    m_browser->setSource(url);
}

void HelpWindow::fillContents()
{
    m_contents->clear();
    for (QTextBlock block = m_browser->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0 || level > 3)
            continue;
        auto* item =
            new QListWidgetItem(QString(2 * (level - 1), QLatin1Char(' ')) + block.text(), m_contents);
        item->setData(Qt::UserRole, HelpDocuments::headingAnchor(block.text()));
    }
}
