#pragma once
// Paces what a window shows of work that runs on the window thread: the changes made within one
// display frame reach the screen together, in one repaint, at most once a frame. The first change
// after a quiet frame shows at once; later ones wait until the frame has passed, until the event
// loop runs again (a message box, say), or until Flush.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <vector>

class QWidget;

class FramePacer : public QObject {
 public:
  // About one frame of a 60 Hz screen.
  static constexpr int kFrameMs = 16;

  // A widget whose state the pacer brings to the screen.
  class View {
   public:
    virtual ~View() = default;
    virtual QWidget* Widget() const = 0;
    // Copies the state to the widget without repainting it: the pacer repaints.
    virtual void Present() = 0;

   private:
    friend class FramePacer;
    bool queued_ = false;
  };

  explicit FramePacer(QObject* parent = nullptr);

  // The view's state has changed.
  void Changed(View* view);
  // Presents every pending change now, and repaints those a visible window shows.
  void Flush();
  // Repaints made so far.
  int Repaints() const { return repaints_; }

 private:
  void Paint();

  std::vector<View*> pending_;
  QElapsedTimer since_paint_;
  QTimer next_frame_;
  int repaints_ = 0;
};
