#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <algorithm>
#include <new>
#include <optional>

#include "diagram/ui/diagram_widget.h"
#include "diagram/ui/picture_file_dialog.h"
#include "diagram/ui/qt_canvas.h"
#include "platform/messages.h"
#include "support/modal_answers.h"

namespace {

// Whether the pixel at (x, y) or one of its neighbours has the colour (wide pens straddle a row).
bool ColourNear(const QImage& image, int x, int y, QColor colour) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (image.pixelColor(x + dx, y + dy).rgb() == colour.rgb()) return true;
    }
  }
  return false;
}

// Replaces the save dialog while it lives.
class ChooserAnswer {
 public:
  explicit ChooserAnswer(std::optional<TPictureChoice> answer)
      : previous_(SetPictureFileChooser([this, answer](const TPictureDialogSettings& s, QWidget*) {
          asked = s;
          return answer;
        })) {}
  ~ChooserAnswer() { SetPictureFileChooser(previous_); }
  std::optional<TPictureDialogSettings> asked;

 private:
  PictureFileChooser previous_;
};

class DiagramWidgetTest : public ::testing::Test {
 protected:
  DiagramWidgetTest() {
    for (int i = 0; i < 21; ++i) ramp[i] = 0.5 * i / 20;  // 0..0,5 over 0..0,5
    diagram.resize(400, 300);
    diagram.show();
    // A line at 0,5, stems at -0,5, 0 and 0,5, and a periodic ramp repeating beyond its samples.
    diagram.Base().SetArray(line, 2, -1, 1);
    diagram.Base().SetColor(clRed);
    TKeeper* stems = diagram.PNewKeeper();
    stems->SetArray(stem_values, 3, -0.5, 0.5);
    stems->SetDiscret();
    stems->SetColor(clBlue);
    TKeeper* periodic = diagram.PNewKeeper();
    periodic->SetArray(ramp, 21, 0, 0.5);
    periodic->SetPeriodAnalog(0.5);
    periodic->SetColor(clGreen);
    diagram.SetRangeY(-1, 1);
  }

  // Where each series must show: on the line, half-way up each stem, on the ramp left of its samples.
  std::vector<QPoint> SeriesPoints() {
    std::vector<QPoint> points;
    for (double x : {-0.9, -0.2, 0.3}) points.emplace_back(diagram.MathToPhisX(x), diagram.MathToPhisY(0.5));
    for (int i = 0; i < 3; ++i) {
      points.emplace_back(diagram.MathToPhisX(-0.5 + 0.5 * i), diagram.MathToPhisY(stem_values[i] / 2));
    }
    points.emplace_back(diagram.MathToPhisX(-0.7), diagram.MathToPhisY(0.3));  // folds to 0,3
    return points;
  }

  double line[2] = {0.5, 0.5};
  double stem_values[3] = {-0.8, -0.6, -0.4};
  double ramp[21];
  TDiagram diagram;
};

TEST_F(DiagramWidgetTest, PictureShowsEachSeriesInItsColour) {
  const QImage picture = diagram.Picture();
  ASSERT_EQ(picture.size(), QSize(400, 300));
  const std::vector<QPoint> points = SeriesPoints();
  const QColor colours[] = {Qt::red, Qt::red, Qt::red, Qt::blue, Qt::blue, Qt::blue, QColor(0, 128, 0)};
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_TRUE(ColourNear(picture, points[i].x(), points[i].y(), colours[i])) << i;
  }
  // Away from every series the net is white.
  EXPECT_EQ(picture.pixelColor(diagram.MathToPhisX(-0.73), diagram.MathToPhisY(-0.47)).rgb(), QColor(Qt::white).rgb());
}

TEST_F(DiagramWidgetTest, ChangesArePaintedOnceWhenShownAsAnImmediateDrawingWould) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&diagram));
  QTest::qWait(20);
  const long painted = diagram.PicturesPainted();
  // Several changes in one event: laid out at once, painted once, when the window paints.
  diagram.SetRangeX(-0.8, 0.6);
  diagram.SetRangeY(-2, 2);
  diagram.SetNameDiagram("Пример");
  EXPECT_EQ(diagram.PicturesPainted(), painted);
  EXPECT_EQ(diagram.GetPrecisionX(), 1);
  EXPECT_EQ(diagram.MathToPhisX(-0.8), diagram.Get_x0_out());
  QTest::qWait(20);
  EXPECT_EQ(diagram.PicturesPainted(), painted + 1);
  // The same pixels as drawing the diagram at once on a canvas of its own.
  TQtCanvas immediate;
  diagram.ShowDiagramOn(immediate);
  EXPECT_EQ(immediate.Image(), diagram.Picture());
  // A hidden diagram is painted when it is shown again, or when its picture is asked for.
  diagram.hide();
  const long before_hidden = diagram.PicturesPainted();
  diagram.SetRangeY(-3, 3);
  diagram.resize(500, 300);
  QTest::qWait(20);
  EXPECT_EQ(diagram.PicturesPainted(), before_hidden);
  diagram.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&diagram));
  QTest::qWait(20);
  EXPECT_EQ(diagram.PicturesPainted(), before_hidden + 1);
  EXPECT_EQ(diagram.Picture().size(), QSize(500, 300));
  EXPECT_TRUE(ColourNear(diagram.Picture(), diagram.MathToPhisX(-0.2), diagram.MathToPhisY(0.5), Qt::red));
}

TEST_F(DiagramWidgetTest, SavedBitmapIsThePrintModePicture) {
  MessageRecorder messages;
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string requested = dir.filePath("Диаграмма.jpg").toStdString();
  ASSERT_TRUE(diagram.SaveBmpFile(requested));
  EXPECT_EQ(messages.Messages(),
            std::vector<std::string>{requested + ":\nФормат файлов .jpg не поддерживается.Произведена коррекция."});
  EXPECT_FALSE(QFile::exists(dir.filePath("Диаграмма.jpg")));
  QFile file(dir.filePath("Диаграмма.bmp"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(2), QByteArray("BM"));
  file.close();

  const QImage saved(dir.filePath("Диаграмма.bmp"), "BMP");
  ASSERT_EQ(saved.size(), QSize(400, 300));
  for (const QPoint& p : SeriesPoints()) EXPECT_TRUE(ColourNear(saved, p.x(), p.y(), Qt::black)) << p.x();
  EXPECT_FALSE(ColourNear(saved, SeriesPoints()[0].x(), SeriesPoints()[0].y(), Qt::red));
  EXPECT_EQ(saved.pixelColor(1, 1).rgb(), QColor(Qt::white).rgb());  // the background too
  // The screen picture is back to colours.
  EXPECT_FALSE(diagram.IsPrintMode());
  EXPECT_TRUE(ColourNear(diagram.Picture(), SeriesPoints()[0].x(), SeriesPoints()[0].y(), Qt::red));

  messages.Clear();
  EXPECT_TRUE(diagram.SaveBmpFile(dir.filePath("upper.BMP").toStdString()));
  EXPECT_TRUE(QFile::exists(dir.filePath("upper.BMP")));
  EXPECT_TRUE(messages.Messages().empty());
  // A file that cannot be written is reported with its name and the reason, not taken for saved.
  const std::string missing = dir.filePath("missing/x.bmp").toStdString();
  EXPECT_FALSE(diagram.SaveBmpFile(missing));
  EXPECT_EQ(messages.Messages(),
            std::vector<std::string>{"Не удаётся сохранить файл\n" + missing + "\nНет такого файла или папки"});
  // A read-only picture is kept as it was (even for root), not overwritten.
  messages.Clear();
  const QString kept = dir.filePath("kept.bmp");
  {
    QFile old(kept);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old picture");
  }
  ASSERT_TRUE(QFile::setPermissions(kept, QFileDevice::ReadOwner));
  EXPECT_FALSE(diagram.SaveBmpFile(kept.toStdString()));
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Не удаётся сохранить файл\n" + kept.toStdString() +
                                                          "\nФайл доступен только для чтения"});
  QFile old(kept);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("old picture"));
}

TEST_F(DiagramWidgetTest, ClipboardGetsThePrintModePicture) {
  diagram.CopyToClipboard();
  const QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_EQ(copied.size(), QSize(400, 300));
  const QPoint on_line = SeriesPoints()[0];
  EXPECT_TRUE(ColourNear(copied, on_line.x(), on_line.y(), Qt::black));
  EXPECT_EQ(copied.pixelColor(1, 1).rgb(), QColor(Qt::white).rgb());
  EXPECT_FALSE(diagram.IsPrintMode());
}

// The SVG is the print-mode diagram in vector shapes: every series is a black path through the
// points where the picture shows it, the labels are text.
TEST_F(DiagramWidgetTest, SavedSvgHoldsTheSeriesAsPaths) {
  MessageRecorder messages;
  QTemporaryDir dir;
  const std::string name = dir.filePath("Диаграмма.SVG").toStdString();
  ASSERT_TRUE(diagram.SavePictureFile({name, TPictureFormat::kBmp}));  // the typed extension wins
  EXPECT_TRUE(messages.Messages().empty());
  QFile file(QString::fromStdString(name));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  std::vector<std::vector<QLineF>> paths;
  QStringList strokes, texts;
  QString view_box, size;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes attributes = xml.attributes();
    if (xml.name() == u"svg") {
      view_box = attributes.value("viewBox").toString();
      size = attributes.value("width").toString() + "×" + attributes.value("height").toString();
    }
    if (attributes.hasAttribute("stroke")) strokes << attributes.value("stroke").toString();
    if (xml.name() == u"text") texts << xml.readElementText();
    if (xml.name() != u"path") continue;
    // "M x,y L x,y …" as the segments it draws.
    std::vector<QLineF> segments;
    QPointF at;
    for (const QString& step : attributes.value("d").toString().split(' ', Qt::SkipEmptyParts)) {
      const QStringList xy = step.mid(1).split(',');
      const QPointF point(xy.value(0).toDouble(), xy.value(1).toDouble());
      if (step.startsWith('L')) segments.emplace_back(at, point);
      at = point;
    }
    paths.push_back(segments);
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(view_box, "0 0 400 300");
  EXPECT_EQ(size, "400×300");  // pixels, not rounded millimetres
  for (const QString& stroke : strokes)
    EXPECT_TRUE(stroke == "none" || stroke == "#000000" || stroke == "black") << stroke.toStdString();
  EXPECT_TRUE(texts.contains("-0,4")) << texts.join(" ").toStdString();  // a label, with its comma
  EXPECT_TRUE(texts.contains("График"));
  const auto passes = [&](QPointF p) {
    for (const std::vector<QLineF>& path : paths) {
      for (const QLineF& segment : path) {
        const QPointF d = segment.p2() - segment.p1();
        const double length2 = QPointF::dotProduct(d, d);
        const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - segment.p1(), d) / length2, 0.0, 1.0) : 0;
        if (QLineF(p, segment.p1() + t * d).length() <= 1.5) return true;
      }
    }
    return false;
  };
  for (const QPoint& p : SeriesPoints()) EXPECT_TRUE(passes(p)) << p.x() << "," << p.y();
  EXPECT_FALSE(passes(QPointF(diagram.MathToPhisX(-0.73), diagram.MathToPhisY(-0.47))));
  // A curve is one path, not a path per pixel column.
  EXPECT_LT(paths.size(), 60u);
}

// A PNG is the print-mode picture on the screen's pixels: twice as many each way at ratio 2.
TEST_F(DiagramWidgetTest, SavedPngIsThePrintModePictureAtThePixelRatio) {
  QString problem;
  const std::optional<std::string> bytes = diagram.PrintModePicture(TPictureFormat::kPng, 2, problem);
  ASSERT_TRUE(bytes.has_value()) << problem.toStdString();
  const QImage sharp = QImage::fromData(QByteArray::fromStdString(*bytes), "PNG");
  ASSERT_EQ(sharp.size(), QSize(800, 600));
  EXPECT_EQ(sharp.dotsPerMeterX(), 7559);  // 192 dpi
  for (const QPoint& p : SeriesPoints()) EXPECT_TRUE(ColourNear(sharp, 2 * p.x(), 2 * p.y(), Qt::black)) << p.x();
  EXPECT_EQ(sharp.pixelColor(3, 3), QColor(Qt::white));
  // Print mode: black on white, greys only where text is smoothed.
  bool grey = true;
  for (int y = 0; y < sharp.height(); ++y) {
    for (int x = 0; x < sharp.width(); ++x) {
      const QColor c = sharp.pixelColor(x, y);
      grey = grey && c.red() == c.green() && c.green() == c.blue();
    }
  }
  EXPECT_TRUE(grey);
  EXPECT_FALSE(diagram.IsPrintMode());

  QTemporaryDir dir;
  const QString name = dir.filePath("Диаграмма.png");
  ASSERT_TRUE(diagram.SavePictureFile({name.toStdString(), TPictureFormat::kSvg}));
  const QImage saved(name, "PNG");
  EXPECT_EQ(saved.size(), QSize(400, 300) * diagram.devicePixelRatioF());
  EXPECT_TRUE(ColourNear(saved, SeriesPoints()[0].x(), SeriesPoints()[0].y(), Qt::black));
}

TEST_F(DiagramWidgetTest, SaveDialogIsAskedWithItsSettingsAndMayBeCancelled) {
  QTemporaryDir dir;
  {
    ChooserAnswer cancel(std::nullopt);
    diagram.SaveBmpFile();
    ASSERT_TRUE(cancel.asked.has_value());
    EXPECT_EQ(cancel.asked->initial_name, "Диаграмма.bmp");
    EXPECT_EQ(cancel.asked->default_extension, "bmp");
    EXPECT_EQ(cancel.asked->filter, "Bitmaps (*.bmp)|*.bmp|Рисунки PNG (*.png)|*.png|Рисунки SVG (*.svg)|*.svg");
    EXPECT_TRUE(cancel.asked->prompt_overwrite);
  }
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
  {
    ChooserAnswer chosen(TPictureChoice{dir.filePath("chosen.bmp").toStdString(), TPictureFormat::kBmp});
    diagram.SaveBmpFile();
    EXPECT_TRUE(QFile::exists(dir.filePath("chosen.bmp")));
  }
  // The chosen filter gives the format of a name without a known extension (with the message).
  MessageRecorder messages;
  ChooserAnswer filter(TPictureChoice{dir.filePath("chosen.gif").toStdString(), TPictureFormat::kSvg});
  diagram.SaveBmpFile();
  EXPECT_EQ(messages.Messages().size(), 1u);
  QFile svg(dir.filePath("chosen.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
}

// The save dialog itself: with the SVG filter chosen, a bare name and a name with an unknown
// extension are saved as SVG files.
TEST_F(DiagramWidgetTest, TheDialogsChosenFilterGivesTheFormatAndTheExtension) {
  QTemporaryDir dir;
  QStringList shown_filters;
  QString typed = "bare";
  const ScopedModalAnswerer answer([&](QDialog& dialog) -> std::optional<int> {
    const auto* files = qobject_cast<QFileDialog*>(&dialog);
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    if (files == nullptr || types == nullptr || name == nullptr) return QDialog::Rejected;
    for (int i = 0; i < types->count(); ++i) shown_filters << types->itemText(i);
    types->setCurrentIndex(2);
    emit types->activated(2);
    emit types->textActivated(types->itemText(2));
    name->setText(dir.filePath(typed));
    dialog.accept();  // as the "Сохранить" button does
    return dialog.result();
  });
  MessageRecorder messages;
  diagram.SaveBmpFile();
  EXPECT_EQ(shown_filters, (QStringList{"Bitmaps (*.bmp)", "Рисунки PNG (*.png)", "Рисунки SVG (*.svg)"}));
  EXPECT_TRUE(messages.Messages().empty());
  typed = "other.gif";
  diagram.SaveBmpFile();
  EXPECT_EQ(messages.Messages().size(), 1u);
  for (const char* saved : {"bare.svg", "other.svg"}) {
    QFile svg(dir.filePath(saved));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << saved;
    EXPECT_TRUE(svg.readAll().contains("<svg")) << saved;
  }
}

TEST_F(DiagramWidgetTest, ADialogThatCannotBeMadeIsReported) {
  MessageRecorder messages;
  const PictureFileChooser previous = SetPictureFileChooser(
      [](const TPictureDialogSettings&, QWidget*) -> std::optional<TPictureChoice> { throw std::bad_alloc(); });
  diagram.SaveBmpFile();
  SetPictureFileChooser(previous);
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{"Не удаётся сохранить файл. Не достаточно памяти."});
  EXPECT_FALSE(diagram.IsPrintMode());
}

TEST(QtCanvasTest, NotXorTwiceRestoresThePicture) {
  TQtCanvas canvas;
  canvas.Reset(50, 40);
  canvas.SetBrushColor(RGBColor(200, 220, 240));
  canvas.FillRect({0, 0, 50, 40});
  canvas.SetPen(clRed, psSolid, 2, pmCopy);
  canvas.MoveTo(0, 0);
  canvas.LineTo(49, 39);
  const QImage before = canvas.Image().copy();
  canvas.SetPen(clBlack, psSolid, 1, pmNotXor);
  canvas.MoveTo(25, 0);
  canvas.LineTo(25, 39);
  const QImage once = canvas.Image().copy();
  EXPECT_NE(once, before);
  // Black not-xor inverts: the light blue turns dark orange.
  EXPECT_EQ(once.pixelColor(25, 5), QColor(55, 35, 15));
  canvas.MoveTo(25, 0);
  canvas.LineTo(25, 39);
  EXPECT_EQ(canvas.Image(), before);
}

// Straight solid lines are filled as rectangles; they must cover what the painter's line covers.
TEST(QtCanvasTest, StraightLinesCoverThePixelsOfAPaintedLine) {
  for (int width : {1, 2, 3}) {
    TQtCanvas canvas;
    canvas.Reset(40, 40);
    QImage reference(40, 40, QImage::Format_RGB32);
    reference.fill(Qt::white);
    QPainter painter(&reference);
    QPen pen(Qt::blue, width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    painter.setPen(pen);
    canvas.SetPen(clBlue, psSolid, width, pmCopy);
    // Stems in one column overlapping, touching or apart are filled together where they meet;
    // lines may run past the picture's edges.
    const QLine lines[] = {{10, 5, 10, 30},  {10, 12, 10, 20}, {10, 33, 10, 38}, {20, 30, 20, 6}, {5, 35, 33, 35},
                           {30, 12, 31, 12}, {25, 20, 25, 20}, {37, -5, 37, 8},  {-4, 2, 6, 2},   {33, 39, 47, 39}};
    const QImage blank = canvas.Image();  // handed out before the drawing: it must stay blank
    for (const QLine& line : lines) {
      painter.drawLine(line);
      canvas.MoveTo(line.x1(), line.y1());
      canvas.LineTo(line.x2(), line.y2());
    }
    painter.end();
    EXPECT_EQ(canvas.Image(), reference) << width;
    EXPECT_EQ(blank.pixel(10, 10), QColor(Qt::white).rgb()) << width;
  }
}

TEST(QtCanvasTest, RectanglesAndTextCellsCoverTheirPixels) {
  TQtCanvas canvas;
  canvas.Reset(60, 40);
  canvas.SetBrushColor(clWhite);
  canvas.SetPen(clBlack, psSolid, 1, pmCopy);
  canvas.Rectangle({10, 10, 20, 20});
  const QImage& image = canvas.Image();
  EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(19, 19), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::white));
  canvas.SetFont(TFont{});
  canvas.SetBrushColor(clBlue);
  const int width = canvas.TextWidth("0");
  const int height = canvas.TextHeight("0");
  EXPECT_GT(width, 3);
  EXPECT_GT(height, 8);
  canvas.TextOut(30, 5, "0");
  EXPECT_EQ(canvas.Image().pixelColor(30, 5), QColor(Qt::blue));  // the cell's corner
  EXPECT_EQ(canvas.Image().pixelColor(30 + width - 1, 5 + height - 1), QColor(Qt::blue));
  EXPECT_EQ(canvas.Image().pixelColor(30 + width, 5), QColor(Qt::white));
}

}  // namespace
