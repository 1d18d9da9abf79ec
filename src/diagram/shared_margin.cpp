#include "diagram/shared_margin.h"

#include <algorithm>

#include "diagram/diagram_core.h"

namespace {

// Label widths settle after a round or two; a decimal raised while drawing may ask for one more.
constexpr int kMaxRounds = 8;

}  // namespace

void TSharedMargin::Join(TDiagramCore* member) { members_.push_back({member}); }

void TSharedMargin::Leave(TDiagramCore* member) {
  std::erase_if(members_, [member](const Member& m) { return m.diagram == member; });
}

int TSharedMargin::CommonEdge() const {
  int edge = 0;
  bool any = false;
  for (const Member& m : members_) {
    if (!m.measured) continue;
    edge = any ? std::max(edge, m.edge) : m.edge;
    any = true;
  }
  return edge;
}

int TSharedMargin::LabelWidth(const TDiagramCore* member, int origin, int own, bool asked) {
  const auto it =
      std::find_if(members_.begin(), members_.end(), [member](const Member& m) { return m.diagram == member; });
  if (it == members_.end()) return own;
  if (asked) return std::max(own, CommonEdge() - origin);
  it->edge = origin + own;
  it->measured = true;
  it->drawn_on = CommonEdge();
  return it->drawn_on - origin;
}

void TSharedMargin::RedrawStale() {
  if (redrawing_) return;  // a member drawn from here comes back here
  redrawing_ = true;
  for (int round = 0; round < kMaxRounds; ++round) {
    std::vector<TDiagramCore*> stale;
    const int edge = CommonEdge();
    for (const Member& m : members_) {
      if (m.measured && m.drawn_on != edge) stale.push_back(m.diagram);
    }
    if (stale.empty()) break;
    for (TDiagramCore* diagram : stale) diagram->ShowDiagram();
  }
  redrawing_ = false;
}
