#pragma once

#include "ration/RationBalancer.h"

#include <optional>

class AppContext;
class CaseHeaderForm;

// What the balancing of a case's ration starts from: the ration grid's
// feedstuffs with their amounts and stored contents, its nutrient columns
// with requirements and marks, the case's maxima and the shipped supplements.
namespace BalanceData {

// The category of supplements in the shipped data.
constexpr int SupplementCategory = 2;

BalanceInput read(AppContext& context, CaseHeaderForm& form);

// A stored feedstuff with its name in the user's language and its contents,
// as the balancing sees it (a premix's carrier); nothing when there is none.
std::optional<BalanceFeed> feed(AppContext& context, int key);

// The query of every active feedstuff, by name, to choose a carrier from.
QString feedListQuery(const QString& languageCode);

} // namespace BalanceData
