#include "app/gui/PracticeDetailsDialog.h"

#include "db/AppContext.h"
#include "output/PracticeDetailsTexts.h"
#include "output/gui/PracticeLogo.h"
#include "ui/gui/ImageContent.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

PracticeDetailsDialog::PracticeDetailsDialog(AppContext& context, Prompt& prompt, FileChooser& files,
                                             QWidget* parent)
    : QDialog(parent)
    , m_language(context.languageCode())
    , m_form(context, prompt, files)
    , m_preview(new QLabel(this))
    , m_removeLogo(new QPushButton(this))
{
    using namespace PracticeDetailsTexts;
    const QString& language = m_language;
    setModal(true);
    setWindowTitle(Title.in(language));
    m_form.load();

    auto* fields = new QFormLayout;
    for (int i = 0; i < PracticeDetails::fieldNames().size(); ++i) {
        const QString name = PracticeDetails::fieldNames()[i];
        auto* edit = new QLineEdit(m_form.text(name), this);
        edit->setObjectName(name);
        edit->setMaxLength(PracticeDetails::MaxFieldLength);
        edit->setMinimumWidth(320);
        connect(edit, &QLineEdit::textEdited, this,
                [this, name](const QString& text) { m_form.setText(name, text); });
        fields->addRow(FieldLabels[i].in(language), edit);
        m_fields << edit;
    }

    m_preview->setObjectName(QStringLiteral("logo"));
    m_preview->setFixedSize(PreviewWidth, PreviewHeight);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    auto* choose = new QPushButton(ChooseLogo.in(language), this);
    choose->setObjectName(QStringLiteral("chooseLogo"));
    m_removeLogo->setObjectName(QStringLiteral("removeLogo"));
    m_removeLogo->setText(RemoveLogo.in(language));
    connect(choose, &QPushButton::clicked, this, &PracticeDetailsDialog::chooseLogo);
    connect(m_removeLogo, &QPushButton::clicked, this, &PracticeDetailsDialog::removeLogo);
    auto* logoButtons = new QVBoxLayout;
    logoButtons->addWidget(choose);
    logoButtons->addWidget(m_removeLogo);
    logoButtons->addStretch();
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(m_preview);
    logoRow->addLayout(logoButtons);
    logoRow->addStretch();
    fields->addRow(LogoLabel.in(language), logoRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setText(SaveButton.in(language));
    buttons->button(QDialogButtonBox::Cancel)->setText(CancelButton.in(language));
    connect(buttons, &QDialogButtonBox::accepted, this, &PracticeDetailsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Details that could not be read are not stored over the others.
    buttons->button(QDialogButtonBox::Save)->setEnabled(m_form.isLoaded());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    showLogo();
}

void PracticeDetailsDialog::chooseLogo()
{
    if (m_form.chooseLogo())
        showLogo();
}

void PracticeDetailsDialog::removeLogo()
{
    m_form.removeLogo();
    showLogo();
}

void PracticeDetailsDialog::accept()
{
    if (m_form.store())
        QDialog::accept();
}

void PracticeDetailsDialog::showLogo()
{
    const QByteArray& logo = m_form.details().logo;
    m_removeLogo->setEnabled(m_form.hasLogo());
    if (!m_form.hasLogo()) {
        m_preview->setPixmap(QPixmap());
        m_preview->setText(PracticeDetailsTexts::NoLogo.in(m_language));
        return;
    }
    // Scaled to fit the box, keeping its proportions, in its middle.
    const QSizeF box = m_preview->contentsRect().size();
    const QSizeF fitted = ImageContent::naturalSize(logo).scaled(box, Qt::KeepAspectRatio);
    QPixmap picture(m_preview->contentsRect().size());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    ImageContent::paint(
        painter,
        QRectF(QPointF((box.width() - fitted.width()) / 2, (box.height() - fitted.height()) / 2), fitted),
        logo);
    painter.end();
    m_preview->setPixmap(picture);
}
