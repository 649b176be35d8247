#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "core/DateText.h"
#include "core/Lang.h"
#include "core/NumberText.h"
#include "db/AppContext.h"
#include "output/FollowUp.h"
#include "output/StoredCase.h"

#include <ostream>

// The follow-up page without its window: the patient's visits in date order,
// the energy the animal really needed since the visit before the last, the
// flags the last visit raises and the day of the next check.
int runHistoryCommand(const CliArgs& args, CliIo& io)
{
    bool isNumber = false;
    if (args.size() == 1)
        QString::fromStdString(args[0]).trimmed().toLong(&isNumber);
    if (!isNumber) {
        io.err << "usage: mensoly-cli history ID\n";
        return 2;
    }
    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;
    const QString key = QString::number(QString::fromStdString(args[0]).trimmed().toLong());
    if (!StoredCase::exists(context, key)) {
        io.err << "mensoly-cli history: there is no case with the key " << key.toStdString() << "\n";
        return 1;
    }
    const QString language = context.languageCode();
    const FollowUpLimits limits = FollowUpLimits::read(context);
    const std::vector<Visit> visits = PatientVisits::read(context, key);
    for (size_t i = 0; i < visits.size(); ++i) {
        const Visit& visit = visits[i];
        const std::optional<WeightChange> changed =
            i > 0 ? FollowUp::change(visits[i - 1], visit) : std::optional<WeightChange>();
        printFields(
            io.out,
            {QStringLiteral("visit"), visit.caseKey, DateText::forLanguage(visit.date, language),
             NumberText::format(visit.weight, 1, language),
             NumberText::format(changed ? std::optional<double>(changed->kilograms) : std::nullopt, 1,
                                language),
             NumberText::format(changed ? std::optional<double>(changed->percentPerWeek) : std::nullopt, 2,
                                language),
             NumberText::format(visit.energyPercent, 0, language),
             NumberText::format(visit.suppliedKcal, 0, language)});
    }
    if (visits.size() >= 2) {
        if (const std::optional<EnergyNeed> need =
                FollowUp::need(visits[visits.size() - 2], visits.back(), limits)) {
            printFields(io.out,
                        {QStringLiteral("need"), NumberText::format(need->kcalPerDay, 0, language),
                         NumberText::format(need->percentOfFormula, 0, language),
                         need->proposedPercent ? QString::number(*need->proposedPercent) : QString()});
        }
    }
    for (FollowUp::Flag flag : FollowUp::flags(visits, limits))
        printFields(io.out, {QStringLiteral("flag"), FollowUp::flagName(flag)});
    if (!visits.empty())
        printFields(io.out, {QStringLiteral("next"),
                             DateText::forLanguage(FollowUp::nextCheck(visits.back(), limits), language)});
    return 0;
}
