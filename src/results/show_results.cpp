#include "results/show_results.h"

#include "diagram/diagram_core.h"
#include "diagram/keeper.h"

void ShowPlannedResult(TDiagramCore& diagram, const DiagramPlan& plan) {
  TKeeper* keeper = diagram.GetKeeper(0);
  keeper->SetArray(plan.values, plan.count, plan.arguments.min, plan.arguments.max);
  keeper->SetColor(plan.color);
  switch (plan.kind) {
    case ResultSeriesKind::kDiscrete:
      keeper->SetDiscret();
      break;
    case ResultSeriesKind::kAnalogPeriodic:
      keeper->SetPeriodAnalog(plan.period);
      break;
    case ResultSeriesKind::kDiscretePeriodic:
      keeper->SetPeriodDiscret(static_cast<int>(plan.period));
      break;
  }
  keeper->Show();
  if (plan.has_limits) diagram.SetLimitX(plan.limits_x.min, plan.limits_x.max);
  diagram.SetRangeX(plan.range_x.min, plan.range_x.max);
  if (plan.auto_range_y) {
    diagram.AutoRangeY();
  } else {
    diagram.SetRangeY(plan.range_y.min, plan.range_y.max);
  }
}
