#pragma once
// Small mathematical symbols drawn as text: italic variables, upright digits and units,
// subscripts and superscripts, in a Times-like serif face.

#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

class Formula {
 public:
  enum class Place { kBase, kSub, kSup };
  struct Run {
    QString text;
    bool italic = false;
    Place place = Place::kBase;
  };

  Formula& Var(const QString& text) { return Add(text, true, Place::kBase); }
  Formula& Plain(const QString& text) { return Add(text, false, Place::kBase); }
  Formula& Sub(const QString& text, bool italic = true) { return Add(text, italic, Place::kSub); }
  Formula& Sup(const QString& text, bool italic = false) { return Add(text, italic, Place::kSup); }

  const std::vector<Run>& Runs() const { return runs_; }

 private:
  Formula& Add(const QString& text, bool italic, Place place);
  std::vector<Run> runs_;
};

// Width and height of a formula whose base text is pixel_size pixels high.
QSizeF FormulaSize(const Formula& formula, double pixel_size);
// Draws the formula with its baseline block centred at centre.
void DrawFormula(QPainter& painter, const Formula& formula, double pixel_size, QPointF centre);

// A symbol above or beside a field; its hint says what the symbol means.
class FormulaLabel : public QWidget {
 public:
  FormulaLabel(Formula formula, const QString& hint, QWidget* parent = nullptr, double pixel_size = 16);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Formula formula_;
  double pixel_size_;
};
