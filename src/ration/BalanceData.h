#pragma once

#include "ration/RationBalancer.h"

class AppContext;
class CaseHeaderForm;

// What the balancing of a case's ration starts from: the ration grid's
// feedstuffs with their amounts and stored contents, its nutrient columns
// with requirements and marks, the case's maxima and the shipped supplements.
namespace BalanceData {

// The category of supplements in the shipped data.
constexpr int SupplementCategory = 2;

BalanceInput read(AppContext& context, CaseHeaderForm& form);

} // namespace BalanceData
