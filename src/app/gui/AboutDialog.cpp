#include "app/gui/AboutDialog.h"

#include "app/ApplicationStartup.h"
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
    row->addWidget(new QLabel(QStringLiteral("Mensoly Version 3.0"), this), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(okButton(this));
}

InformationDialog::InformationDialog(AppContext& context, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Info"));
    const QString code = context.languageCode();
    const QString text =
        Lang::deOr(
            code,
            QStringLiteral("<b>Mensoly 3.0</b> – Rationsberechnung für Hund und Katze<br><br>"
                           "Datenbank: %1<br>Installation: %2<br><br>"
                           "Nährstoffgehalte der Systemfuttermittel: USDA National Nutrient Database "
                           "for Standard Reference (gemeinfrei); Chlorid, Jod und Biotin zum Teil aus "
                           "CoFID 2021 (Contains public sector information licensed under the Open "
                           "Government Licence v3.0.), Jod zum Teil aus der USDA/FDA/ODS-NIH Iodine "
                           "Database (gemeinfrei), Taurin nach Pasantes-Morales et al. (1989). "
                           "Supplemente: aus der Summenformel berechnet.<br>"
                           "Bedarfsformeln: FEDIAF, NRC, AAHA (Quellen in den Systemdaten)."),
            QStringLiteral("<b>Mensoly 3.0</b> – ration calculation for dogs and cats<br><br>"
                           "Database: %1<br>Installation: %2<br><br>"
                           "Nutrient contents of the system feedstuffs: USDA National Nutrient Database "
                           "for Standard Reference (public domain); chloride, iodine and biotin partly from "
                           "CoFID 2021 (Contains public sector information licensed under the Open "
                           "Government Licence v3.0.), iodine partly from the USDA/FDA/ODS-NIH Iodine "
                           "Database (public domain), taurine after Pasantes-Morales et al. (1989). "
                           "Supplements: calculated from their chemical formulas.<br>"
                           "Requirement formulas: FEDIAF, NRC, AAHA (sources in the system data)."))
            .arg(ApplicationStartup::databasePlace(context.dataDirectory(), context.connectionString())
                     .toHtmlEscaped(),
                 context.ownerCode() == Codes::SystemOwner
                     ? Lang::deOr(code, QStringLiteral("Systemdatenpflege"),
                                  QStringLiteral("system data maintenance"))
                     : Lang::deOr(code, QStringLiteral("Anwender"), QStringLiteral("user")));
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(okButton(this));
    resize(520, sizeHint().height());
}
