#include "results/show_results.h"

#include <utility>

#include "diagram/diagram_core.h"
#include "diagram/keeper.h"

namespace {

// The unit circle as the base series, then the zeros and the poles.
void ShowZeroPoles(TDiagramCore& diagram, const DiagramPlan& plan) {
  if (diagram.GetKeeperListLength() != 3) diagram.NewKeeperList(3);
  TKeeper* circle = diagram.GetKeeper(0);
  circle->SetCircle(1);
  circle->SetColor(plan.color);
  circle->SetPenWidth(1);
  circle->Show();
  const std::pair<const MarkerPlan*, TMarkerShape> markers[] = {{&plan.zeros, msCircle}, {&plan.poles, msCross}};
  for (int i = 0; i < 2; ++i) {
    TKeeper* keeper = diagram.GetKeeper(static_cast<std::uint8_t>(i + 1));
    if (keeper == nullptr) continue;
    const MarkerPlan& marker = *markers[i].first;
    keeper->SetPoints(marker.points.data(), static_cast<int>(marker.points.size()), markers[i].second);
    keeper->SetColor(marker.color);
    keeper->Show();
  }
}

}  // namespace

void ShowPlannedResult(TDiagramCore& diagram, const DiagramPlan& plan) {
  if (plan.kind == ResultSeriesKind::kZeroPole) {
    ShowZeroPoles(diagram, plan);
    diagram.SetRangeX(plan.range_x.min, plan.range_x.max);
    diagram.SetRangeY(plan.range_y.min, plan.range_y.max);
    return;
  }
  TKeeper* keeper = diagram.GetKeeper(0);
  keeper->SetArray(plan.values, plan.count, plan.arguments.min, plan.arguments.max);
  keeper->SetColor(plan.color);
  switch (plan.kind) {
    case ResultSeriesKind::kDiscrete: keeper->SetDiscret(); break;
    case ResultSeriesKind::kAnalogPeriodic: keeper->SetPeriodAnalog(plan.period); break;
    case ResultSeriesKind::kDiscretePeriodic: keeper->SetPeriodDiscret(static_cast<int>(plan.period)); break;
    case ResultSeriesKind::kZeroPole: break;
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
