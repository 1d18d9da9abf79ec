#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include "diagram/ui/diagram_frame.h"
#include "diagram/ui/diagram_increase.h"
#include "diagram/ui/diagram_widget.h"
#include "diagram/ui/picture_file_dialog.h"
#include "diagram/ui/up_down.h"
#include "platform/messages.h"
#include "support/modal_answers.h"
#include "support/temporary_folder.h"

namespace {

void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void MoveOver(QWidget* widget, QPoint at) { Send(widget, QEvent::MouseMove, at, Qt::NoButton); }

void Click(QWidget* widget, QPoint at, Qt::MouseButton button) {
  Send(widget, QEvent::MouseButtonPress, at, button);
  Send(widget, QEvent::MouseButtonRelease, at, button);
}

class DiagramFrameTest : public ::testing::Test {
 protected:
  DiagramFrameTest() {
    frame.resize(600, 300);
    frame.show();
    TDiagram* d = frame.Diagram;
    d->Base().SetArray(values, 5, 0, 4);
    d->Base().SetDiscret();
    d->Base().SetColor(clBlue);
    d->SetRangeX(0, 4);
    d->SetRangeY(-1, 1);
    frame.SaveRange();
  }
  QPoint Inside() const { return QPoint(frame.Diagram->Get_xb_net() + 50, frame.Diagram->Get_yb_net() + 40); }

  double values[5] = {1, -0.5, 0.25, -0.125, 0.0625};
  TDiagramFrame frame;
};

TEST_F(DiagramFrameTest, ToolsAppearOnMovesAndARightClickKeepsThemAway) {
  EXPECT_TRUE(frame.Panel->isHidden());
  MoveOver(frame.Diagram, Inside());
  EXPECT_FALSE(frame.Panel->isHidden());
  EXPECT_TRUE(frame.UpDown1->isHidden());  // "Пределы" is up

  Click(frame.Diagram, Inside(), Qt::RightButton);
  EXPECT_TRUE(frame.Panel->isHidden());
  MoveOver(frame.Diagram, Inside());
  EXPECT_TRUE(frame.Panel->isHidden());
  Click(frame.Diagram, Inside(), Qt::RightButton);
  EXPECT_FALSE(frame.Panel->isHidden());

  frame.SpeedButtonLim->click();
  EXPECT_TRUE(frame.SpeedButtonLim->isChecked());
  EXPECT_FALSE(frame.UpDown3->isHidden());
  frame.HideTools();
  EXPECT_TRUE(frame.Panel->isHidden() && frame.UpDown3->isHidden());
  MoveOver(frame.Diagram, Inside());  // with "Пределы" down the spin buttons come too
  EXPECT_FALSE(frame.Panel->isHidden() || frame.UpDown1->isHidden() || frame.UpDown4->isHidden());
}

TEST_F(DiagramFrameTest, ControlsSitAtTheNetsCornersAndTheSpinButtonsHideNoLabel) {
  const TDiagram* d = frame.Diagram;
  EXPECT_EQ(d->geometry(), frame.rect());
  const QRect panel(d->Get_xe_net() - 161 - 10, d->Get_yb_net() + 10, 161, 29);
  EXPECT_EQ(frame.Panel->geometry(), panel);

  // "Пределы": the diagram leaves a strip at the left and the bottom, where the spin buttons
  // stand at the ends of the axes; the labels are all on the diagram, so none is covered.
  MoveOver(frame.Diagram, Inside());
  frame.SpeedButtonLim->click();
  ASSERT_FALSE(frame.UpDown1->isHidden());
  EXPECT_EQ(d->geometry(), QRect(16, 0, 600 - 16, 300 - 16));
  EXPECT_EQ(frame.Panel->geometry(), panel);  // the button just clicked stays under the pointer
  const QPoint at = d->pos();
  EXPECT_EQ(frame.UpDown1->geometry(), QRect(0, at.y() + d->Get_yb_net(), 16, 30));
  EXPECT_EQ(frame.UpDown2->geometry(), QRect(0, at.y() + d->Get_ye_net() - 30, 16, 30));
  EXPECT_EQ(frame.UpDown3->geometry(), QRect(at.x() + d->Get_xb_net(), 300 - 16, 30, 16));
  EXPECT_EQ(frame.UpDown4->geometry(), QRect(at.x() + d->Get_xe_net() - 30, 300 - 16, 30, 16));
  for (const TUpDown* spin : {frame.UpDown1, frame.UpDown2, frame.UpDown3, frame.UpDown4}) {
    EXPECT_FALSE(spin->geometry().intersects(d->geometry()));
    EXPECT_TRUE(frame.rect().contains(spin->geometry()));
  }
  // Hiding the tools keeps the layout; only "Пределы" released gives the strip back.
  frame.HideTools();
  EXPECT_EQ(d->geometry(), QRect(16, 0, 600 - 16, 300 - 16));
  MoveOver(frame.Diagram, Inside());
  frame.SpeedButtonLim->click();
  EXPECT_TRUE(frame.UpDown1->isHidden());
  EXPECT_EQ(d->geometry(), frame.rect());

  frame.resize(800, 400);  // the diagram fills the frame and the controls follow its net
  EXPECT_EQ(d->GetWidth(), 800);
  EXPECT_EQ(frame.UpDown4->x(), d->Get_xe_net() - 30);
}

TEST_F(DiagramFrameTest, ClicksToggleTheFeelerAndSpinsZoomUntilTheSavedRangeReturns) {
  EXPECT_FALSE(frame.Diagram->GetShowFeeler());
  Click(frame.Diagram, Inside(), Qt::LeftButton);
  EXPECT_TRUE(frame.Diagram->GetShowFeeler());
  EXPECT_TRUE(frame.SpeedButtonMeasure->isChecked());
  frame.SpeedButtonMeasure->click();
  EXPECT_FALSE(frame.Diagram->GetShowFeeler());
  EXPECT_FALSE(frame.SpeedButtonMeasure->isChecked());

  frame.UpDown4->IncreaseButton()->click();  // Xmax + 0,1
  frame.UpDown3->ReduceButton()->click();    // Xmin - 0,1
  frame.UpDown1->ReduceButton()->click();    // Ymax - 0,1
  frame.UpDown2->IncreaseButton()->click();  // Ymin + 0,1
  EXPECT_DOUBLE_EQ(frame.Diagram->GetXmax(), 4.1);
  EXPECT_DOUBLE_EQ(frame.Diagram->GetXmin(), -0.1);
  EXPECT_DOUBLE_EQ(frame.Diagram->GetYmax(), 0.9);
  EXPECT_DOUBLE_EQ(frame.Diagram->GetYmin(), -0.9);
  frame.SpeedButtonRetLim->click();
  EXPECT_EQ(frame.Diagram->GetXmin(), 0);
  EXPECT_EQ(frame.Diagram->GetXmax(), 4);
  EXPECT_EQ(frame.Diagram->GetYmin(), -1);
  EXPECT_EQ(frame.Diagram->GetYmax(), 1);
}

// The frame's "Сохранить рисунок" (also on the table editor's diagram page) offers the formats too.
TEST_F(DiagramFrameTest, SaveButtonSavesInTheChosenFormat) {
  TemporaryFolder folder;
  const std::string name = folder.PathOf("frame.png");
  const PictureFileChooser previous = SetPictureFileChooser([&](const TPictureDialogSettings&, QWidget*) {
    return std::optional<TPictureChoice>({name, TPictureFormat::kPng});
  });
  frame.SpeedButtonSave->click();
  SetPictureFileChooser(previous);
  EXPECT_EQ(ReadFile(name).substr(0, 4), "\x89PNG");
}

class EnlargedViewTest : public DiagramFrameTest {
 protected:
  EnlargedViewTest() {
    // Shown modelessly, so that the test can work in it while ShowFor has returned.
    view.SetModalRunner([this] {
      view.show();
      return 0;
    });
    frame.SetEnlargedView(&view);
  }

  TDiagramIncrease view;
};

TEST_F(EnlargedViewTest, ZoomComesBackToTheSmallDiagramWithItsSeriesUntouched) {
  TDiagram* small = frame.Diagram;
  small->SetNameDiagram("Импульсная характеристика");
  const TFont small_font = small->GetFontNet();
  frame.SpeedButtonIncrease->click();
  ASSERT_TRUE(view.isVisible());
  EXPECT_EQ(view.windowTitle(), "Импульсная характеристика");
  TDiagram* big = view.Diagram1;
  EXPECT_EQ(big->Base().GetNext(), &small->Base());  // linked, not copied
  EXPECT_FALSE(big->Base().IsVisible());
  EXPECT_EQ(big->GetXmax(), 4);
  EXPECT_EQ(big->GetFontNet().Size, 16);  // the enlarged view keeps its own fonts

  view.SpeedButtonLimit->click();
  EXPECT_FALSE(view.UpDown4->isHidden());
  EXPECT_TRUE(view.MenuLimits->isChecked());
  view.UpDown4->IncreaseButton()->click();
  view.UpDown4->IncreaseButton()->click();
  view.UpDown1->IncreaseButton()->click();
  EXPECT_DOUBLE_EQ(big->GetXmax(), 4.2);
  EXPECT_EQ(small->GetXmax(), 4);
  view.SpeedButtonClose->click();

  EXPECT_FALSE(view.isVisible());
  EXPECT_DOUBLE_EQ(small->GetXmax(), 4.2);
  EXPECT_DOUBLE_EQ(small->GetYmax(), 1.1);
  EXPECT_EQ(small->GetXmin(), 0);
  EXPECT_EQ(big->Base().GetNext(), nullptr);
  EXPECT_EQ(small->GetKeeperListLength(), 1);
  EXPECT_EQ(small->Base().GetCount(), 5);
  EXPECT_EQ(small->Base().GetKind(), gkDiscret);
  EXPECT_TRUE(small->Base().IsVisible());
  EXPECT_EQ(small->Base().SampleAt(2), 0.25);
  EXPECT_EQ(small->GetFontNet(), small_font);
  EXPECT_TRUE(small->IsLineEnabled());
}

// Pixels per unit across over pixels per unit down: 1 on equal scales.
double Aspect(const TDiagram& d) {
  return (d.Get_w_out() / (d.GetXmax() - d.GetXmin())) / (d.Get_h_out() / (d.GetYmax() - d.GetYmin()));
}

TEST_F(EnlargedViewTest, EqualScalesHoldEnlargedZoomedAndBackAndGoWithTheirDiagram) {
  TDiagram* small = frame.Diagram;
  small->Base().SetCircle(1);
  small->SetEqualScale(true);
  small->SetRangeX(-1.2, 1.2);
  small->SetRangeY(-1.2, 1.2);
  EXPECT_NEAR(Aspect(*small), 1, 1e-12);
  frame.SpeedButtonIncrease->click();
  TDiagram* big = view.Diagram1;
  ASSERT_TRUE(big->IsEqualScale());
  EXPECT_NEAR(Aspect(*big), 1, 1e-12);
  // It holds the range the small one was asked for, widened to its own shape only.
  EXPECT_LE(big->GetXmin(), -1.2);
  EXPECT_LE(big->GetYmin(), -1.2);
  EXPECT_TRUE(big->GetXmin() == -1.2 || big->GetYmin() == -1.2);
  view.SpeedButtonLimit->click();
  view.UpDown4->IncreaseButton()->click();
  view.UpDown1->ReduceButton()->click();
  EXPECT_NEAR(Aspect(*big), 1, 1e-12);
  view.SpeedButtonClose->click();
  EXPECT_NEAR(Aspect(*small), 1, 1e-12);
  frame.resize(300, 500);
  EXPECT_NEAR(Aspect(*small), 1, 1e-12);

  // The next diagram enlarged has its axes free again.
  small->SetEqualScale(false);
  frame.SpeedButtonIncrease->click();
  EXPECT_FALSE(big->IsEqualScale());
  view.SpeedButtonClose->click();
}

TEST_F(EnlargedViewTest, FirstShowMaximisesAndSetsTheDiagramBesideItsSpinButtons) {
  frame.Diagram->SetWholeNumberAxisX(true);
  frame.SpeedButtonIncrease->click();
  EXPECT_TRUE(view.windowState() & Qt::WindowMaximized);
  TDiagram* big = view.Diagram1;
  // The diagram fills the scroll box less 5 pixels at the top, the spin buttons' strip and a margin
  // at the left, and room for the horizontal spin buttons at the bottom.
  const auto expected = [&] {
    const QSize client = view.ScrollBox1->viewport()->size();
    return QRect(16 + 5, 5, client.width() - (16 + 20), client.height() - (16 + 10));
  };
  ASSERT_TRUE(QTest::qWaitFor([&] { return big->geometry() == expected() && big->width() > 600; }, 10000))
      << big->geometry().width() << "×" << big->geometry().height();
  EXPECT_EQ(big->GetWidth(), big->width());  // drawn at that size
  view.SpeedButtonLimit->click();
  const int top = big->y();
  const int left = big->x();
  EXPECT_EQ(view.UpDown1->pos(), QPoint(5, big->Get_yb_net() + top));
  EXPECT_EQ(view.UpDown2->pos(), QPoint(5, big->Get_ye_net() + top - 30));
  EXPECT_EQ(view.UpDown3->pos(), QPoint(big->Get_xb_net() + left, top + big->height()));
  EXPECT_EQ(view.UpDown4->pos(), QPoint(big->Get_xe_net() + left - 30, top + big->height()));
  for (const TUpDown* spin : {view.UpDown1, view.UpDown2, view.UpDown3, view.UpDown4}) {
    EXPECT_FALSE(spin->geometry().intersects(big->geometry()));
  }
  // A sample axis stays one when enlarged: its spin buttons move whole samples.
  EXPECT_TRUE(big->IsWholeNumberAxisX());
  view.UpDown4->IncreaseButton()->click();
  EXPECT_EQ(big->GetXmax(), 5);
  view.close();
  EXPECT_EQ(frame.Diagram->GetXmax(), 5);
}

TEST_F(EnlargedViewTest, ARangeWhollyBeyondTheOldOneArrivesUnchanged) {
  frame.SpeedButtonIncrease->click();
  view.Diagram1->SetRangeX(10, 12);
  view.Diagram1->SetRangeY(3, 5);
  view.close();
  EXPECT_EQ(frame.Diagram->GetXmin(), 10);
  EXPECT_EQ(frame.Diagram->GetXmax(), 12);
  EXPECT_EQ(frame.Diagram->GetYmin(), 3);
  EXPECT_EQ(frame.Diagram->GetYmax(), 5);
}

TEST_F(EnlargedViewTest, ReadOutFeelerAndHeldSpinButtons) {
  frame.SpeedButtonIncrease->click();
  TDiagram* big = view.Diagram1;
  EXPECT_TRUE(big->GetShowFeeler());
  MoveOver(big, QPoint(big->Get_xb_net() + 2, big->Get_yb_net() + 2));
  EXPECT_TRUE(view.Panel2->text().startsWith("(") && view.Panel2->text().contains("; "));
  EXPECT_TRUE(big->IsFeelerDrawn());
  MoveOver(big, QPoint(big->Get_xb_net() + 1, big->Get_yb_net() + 2));
  EXPECT_EQ(view.Panel2->text(), "");

  Click(big, QPoint(200, 200), Qt::LeftButton);
  EXPECT_FALSE(big->GetShowFeeler());
  EXPECT_FALSE(view.SpeedButtonMeasure->isChecked());
  EXPECT_FALSE(view.MenuMeasure->isChecked());
  view.MenuMeasure->trigger();
  EXPECT_TRUE(big->GetShowFeeler());
  EXPECT_TRUE(view.SpeedButtonMeasure->isChecked());

  // "Не показывать график при изменении пределов": no series while an arrow is held.
  view.SpeedButton1->click();
  view.SpeedButtonLimit->click();
  QToolButton* arrow = view.UpDown2->ReduceButton();
  Send(arrow, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
  EXPECT_FALSE(big->IsLineEnabled());
  Send(arrow, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton);
  EXPECT_TRUE(big->IsLineEnabled());
  EXPECT_DOUBLE_EQ(big->GetYmin(), -1.1);

  view.Diagram1->SetRangeX(1, 2);
  view.SpeedButtonRetLim->click();  // back to the range it was opened with
  EXPECT_EQ(big->GetXmin(), 0);
  EXPECT_EQ(big->GetXmax(), 4);
  view.reject();
  EXPECT_EQ(frame.Diagram->GetXmax(), 4);
}

TEST_F(EnlargedViewTest, DataMenuSavesAndCopiesTheSeriesShown) {
  frame.SpeedButtonIncrease->click();
  TemporaryFolder folder;
  const std::string csv = (folder.Path() / "data.csv").string();
  const std::string missing = (folder.Path() / "missing" / "data.csv").string();
  ScriptedFileDialogs dialogs({csv, missing, std::nullopt});
  MessageRecorder messages;
  view.MenuSaveData->trigger();
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  EXPECT_EQ(dialogs.Requests()[0].filter, "Данные CSV (*.csv)|*.csv");
  EXPECT_EQ(dialogs.Requests()[0].file_name, "Диаграмма.csv");
  EXPECT_TRUE(dialogs.Requests()[0].confirm_overwrite);
  // The small diagram's series, not the enlarged view's own hidden base.
  EXPECT_EQ(ReadFile(csv), "x1,y1\n0,1\n1,-0.5\n2,0.25\n3,-0.125\n4,0.0625\n");
  view.MenuSaveData->trigger();
  EXPECT_EQ(messages.Messages(),
            std::vector<std::string>{"Не удаётся сохранить файл\n" + missing + "\nНет такого файла или папки"});
  view.MenuSaveData->trigger();  // cancelled: nothing more
  EXPECT_EQ(messages.Messages().size(), 1u);

  view.MenuCopyData->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "x1\ty1\n0\t1\n1\t-0,5\n2\t0,25\n3\t-0,125\n4\t0,0625\n");
  view.close();
}

}  // namespace
