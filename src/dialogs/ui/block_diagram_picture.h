#pragma once
// The structure of a digital filter drawn as a block diagram: the tapped delay line of the
// non-recursive part, or the feedback loop of the recursive part.

#include <QWidget>

enum class FilterStructure { kNonRecursive, kRecursive };

class BlockDiagramPicture : public QWidget {
  Q_OBJECT

 public:
  BlockDiagramPicture(FilterStructure structure, QWidget* parent = nullptr);

 signals:
  void MouseDown();
  void MouseUp();
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  FilterStructure structure_;
};
