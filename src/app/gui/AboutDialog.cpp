#include "app/gui/AboutDialog.h"

#include "app/ApplicationStartup.h"
#include "app/MainWindowTexts.h"
#include "app/Version.h"
#include "core/Codes.h"
#include "core/Lang.h"
#include "db/AppContext.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

static QDialogButtonBox* okButton(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    return buttons;
}

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Info über Mensoly"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().isNull()
                        ? style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48)
                        : QApplication::windowIcon().pixmap(48));
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(new QLabel(QStringLiteral("Mensoly Version ") + QLatin1String(ProgramVersion), this), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(okButton(this));
}

InformationDialog::InformationDialog(AppContext& context, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Info"));
    const QString code = context.languageCode();
    const QString text = MainWindowTexts::AboutText.in(code).arg(
        ApplicationStartup::databasePlace(context.dataDirectory(), context.connectionString())
            .toHtmlEscaped(),
        context.ownerCode() == Codes::SystemOwner ? MainWindowTexts::SystemDataMaintenance.in(code)
                                                  : MainWindowTexts::User.in(code),
        QString::fromLatin1(ProgramVersion));
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(okButton(this));
    resize(520, sizeHint().height());
}
