#pragma once
// Diagrams stacked over one x axis share the left edge of their nets: it stands where the member
// with the widest y labels needs it, so that equal x values fall in one pixel column in all of
// them. Positions are in coordinates the members share (their window's), each member's origin
// being where its own control begins.

#include <vector>

class TDiagramCore;

class TSharedMargin {
 public:
  void Join(TDiagramCore* member);
  void Leave(TDiagramCore* member);

  // A member is being laid out: its labels alone would need `own` pixels. Gives the label width
  // that puts its net's left edge on the common one; records both unless only `asked` (a drawing
  // on another canvas, which must not move the others).
  int LabelWidth(const TDiagramCore* member, int origin, int own, bool asked = false);
  // Draws again, a few rounds at most, every member laid out on another edge than the common one.
  void RedrawStale();

 private:
  struct Member {
    TDiagramCore* diagram = nullptr;
    int edge = 0;      // where its labels alone would put its net's left edge
    int drawn_on = 0;  // the common edge of its last layout
    bool measured = false;
  };
  int CommonEdge() const;

  std::vector<Member> members_;
  bool redrawing_ = false;
};
