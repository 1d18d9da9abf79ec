#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <numbers>

#include "app/analysis_window.h"
#include "app/fft_window.h"
#include "app/russian_language.h"
#include "app/splash_window.h"
#include "app/yes_no_dialog.h"
#include "platform/messages.h"
#include "platform/ui/file_dialogs.h"
#include "support/fake_sources.h"
#include "support/modal_answers.h"

namespace {

// Answers the confirmation dialog by `act` on it, after checking what it shows.
bool AskAndAnswer(const std::function<void(TYesNoDialogForm&)>& act) {
  ScopedModalAnswerer answerer([&](QDialog& dialog) -> std::optional<int> {
    auto& form = dynamic_cast<TYesNoDialogForm&>(dialog);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Формирование таблицы");
    EXPECT_EQ(form.StaticText1->text(), "Продолжить?");
    EXPECT_TRUE(form.CheckBox1->isVisible());
    EXPECT_FALSE(form.CheckBox1->isEnabled());
    act(form);
    EXPECT_FALSE(form.isVisible());
    return form.result();
  });
  return YesNoDialog("Формирование таблицы", "Продолжить?");
}

TEST(YesNoDialogTest, OnlyYesAnswersYes) {
  EXPECT_TRUE(AskAndAnswer([](TYesNoDialogForm& form) { form.ButtonYes->click(); }));
  EXPECT_FALSE(AskAndAnswer([](TYesNoDialogForm& form) { form.ButtonNo->click(); }));
  EXPECT_FALSE(AskAndAnswer([](TYesNoDialogForm& form) {
    QTest::mouseClick(form.CheckBox1, Qt::LeftButton);  // disabled: no tick
    EXPECT_FALSE(form.CheckBox1->isChecked());
    form.close();  // any other way of closing counts as "Нет"
  }));
}

TEST(SplashWindowTest, TimerStartsWithTheFirstPaintAndClickCloses) {
  auto* splash = new THelloForm;
  QPointer<THelloForm> alive(splash);
  EXPECT_EQ(splash->size(), QSize(792, 573));  // the offscreen screen is 800 × 600: not small
  EXPECT_FALSE(splash->Timer1->isActive());
  EXPECT_EQ(splash->Timer1->interval(), 10000);
  splash->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
  ASSERT_TRUE(QTest::qWaitFor([&] { return splash->Timer1->isActive(); }, 10000));
  splash->Timer1->setInterval(0);  // as if ten seconds had passed
  splash->Timer1->start();
  EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, 10000));  // closed and freed

  auto* clicked = new THelloForm;
  QPointer<THelloForm> clicked_alive(clicked);
  clicked->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(clicked));
  QTest::mouseClick(clicked->Image1, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return clicked_alive.isNull(); }, 10000));
}

TEST(SplashWindowTest, ModalWindowsComeOverItAndAnyKeyClosesIt) {
  auto* splash = new THelloForm;
  QPointer<THelloForm> alive(splash);
  splash->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
  const auto on_top = [](QWidget& window) { return window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint); };
  EXPECT_TRUE(on_top(*splash));

  // The analysis window, a message, a dialog: each stays on top as well while it is open, and
  // comes over the splash, being shown later.
  QDialog dialog;
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  EXPECT_TRUE(on_top(dialog));
  QMessageBox message(QMessageBox::Information, "Вельмар", "Сообщение", QMessageBox::Ok, &dialog);
  message.setWindowModality(Qt::ApplicationModal);
  message.show();
  EXPECT_TRUE(on_top(message));
  message.hide();
  EXPECT_FALSE(on_top(message));
  EXPECT_TRUE(on_top(dialog));
  EXPECT_TRUE(on_top(*splash));

  // "Нажмите любую клавишу": a key pressed in another window of the program closes it, and the
  // dialog is an ordinary window again.
  QWidget main_window;
  main_window.show();
  QTest::keyClick(&main_window, Qt::Key_Space);
  EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, 10000));
  EXPECT_FALSE(on_top(dialog));
}

// Texts of the file dialog's own controls that are not Russian: any Latin letter gives one away.
QStringList LatinTexts(const QWidget& dialog) {
  const QRegularExpression latin("[A-Za-z]");
  QStringList found;
  const auto check = [&](const QString& text) {
    if (text.contains(latin)) found << text;
  };
  for (const QLabel* label : dialog.findChildren<QLabel*>()) check(label->text());
  for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
    check(button->text());
    check(button->toolTip());
  }
  return found;
}

TEST(FileDialogTest, EverythingItShowsIsRussian) {
  InstallRussianLanguage();
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("Папка"));
  QFile file(dir.filePath("notes.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("abc");
  file.flush();
  ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 12, 8), QTime(10, 5)), QFileDevice::FileModificationTime));
  file.close();

  std::vector<QStringList> rows;
  QStringList header, filters, latin;
  ScopedModalAnswerer answerer([&](QDialog& dialog) -> std::optional<int> {
    dialog.show();
    const auto* view = dialog.findChild<QTreeView*>("treeView");
    if (view == nullptr) return QDialog::Rejected;
    const QAbstractItemModel* model = view->model();
    if (!QTest::qWaitFor([&] { return model->rowCount(view->rootIndex()) == 2; }, 10000)) return QDialog::Rejected;
    for (int column = 0; column < 4; ++column) header << model->headerData(column, Qt::Horizontal).toString();
    for (int row = 0; row < 2; ++row) {
      QStringList cells;
      for (int column = 0; column < 4; ++column)
        cells << model->index(row, column, view->rootIndex()).data().toString();
      rows.push_back(cells);
    }
    const auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    for (int i = 0; types != nullptr && i < types->count(); ++i) filters << types->itemText(i);
    latin = LatinTexts(dialog);
    return QDialog::Rejected;
  });
  FileDialogRequest request;
  request.filter = "Все файлы (*)|*";
  request.file_name = dir.filePath("notes.txt").toStdString();
  EXPECT_EQ(AskFileName(nullptr, request), std::nullopt);

  EXPECT_EQ(header, (QStringList{"Имя", "Размер", "Тип", "Дата изменения"}));
  ASSERT_EQ(rows.size(), 2u);
  std::sort(rows.begin(), rows.end(), [](const QStringList& a, const QStringList& b) { return a[0] < b[0]; });
  EXPECT_EQ(rows[0][0], "notes.txt");
  EXPECT_TRUE(rows[0][1].startsWith("3 байт")) << rows[0][1].toStdString();
  // "Текстовый документ" in the MIME database of the machine.
  EXPECT_TRUE(rows[0][2].contains(QRegularExpression("^[А-ЯЁа-яё ]+$"))) << rows[0][2].toStdString();
  EXPECT_EQ(rows[0][3], "08.12.2024 10:05");
  EXPECT_EQ(rows[1][0], "Папка");
  EXPECT_EQ(rows[1][2], "Папка");
  EXPECT_EQ(filters, QStringList{"Все файлы (*)"});
  EXPECT_TRUE(latin.isEmpty()) << latin.join(" | ").toStdString();
}

TEST(FileDialogTest, FiltersOfOnePatternTellWhichWasChosen) {
  QTemporaryDir dir;
  ScopedModalAnswerer answerer([](QDialog& dialog) -> std::optional<int> {
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    if (types == nullptr || types->count() != 2) return QDialog::Rejected;
    types->setCurrentIndex(1);
    return QDialog::Accepted;
  });
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kSave;
  request.filter = "CSV, секции второго порядка|*.csv|CSV, прямая форма|*.csv";
  request.file_name = dir.filePath("c.csv").toStdString();
  const std::optional<FileDialogChoice> choice = AskFileAndFilter(nullptr, request);
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->name, request.file_name);
  EXPECT_EQ(choice->filter, 1);
}

TEST(AnalysisWindowTest, RunsFromItsTimerAndOnlyTheRunClosesIt) {
  MessageRecorder messages;
  AnalysisRun run;
  TCalcForm form{run};
  EXPECT_EQ(form.windowTitle(), "Анализ");
  EXPECT_TRUE(form.Timer1->isSingleShot());
  EXPECT_EQ(form.Timer1->interval(), 100);
  EXPECT_EQ(form.findChildren<QProgressBar*>().size(), 7);
  EXPECT_EQ(form.findChildren<QLabel*>().first()->text(), "Анализ импульсной характеристики");

  // Shown by hand: nothing may close it until the run has finished.
  form.show();
  form.close();
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, 10000));  // the timer ran the first analysis
  // h(0) needs no step: the bar ends one short of N.
  EXPECT_EQ(form.PBPuls->maximum(), 2000);
  EXPECT_EQ(form.PBPuls->value(), 1999);

  // A modal showing returns once the run has closed the window. The bars are stepped at every
  // sample but reach the screen at most once a display frame (16 ms), besides the window's first
  // showing; their widgets end on the exact last state.
  struct PaintCounter : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++paints;
      return false;
    }
    int paints = 0;
  } counter;
  form.PBStep->installEventFilter(&counter);
  QElapsedTimer shown;
  shown.start();
  run.SetInterval(1000);
  EXPECT_LE(counter.paints, 2 + shown.elapsed() / 16) << "after " << shown.elapsed() << " ms";
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.PBStep->maximum(), 1000);
  EXPECT_EQ(form.PBStep->value(), 999);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(AnalysisWindowTest, ALongPreRollCanBeStoppedByTheButtonOrEscape) {
  // An integrator cannot be put into a steady state, and this cosine does not come back to
  // s(0) = 0 within 1e8 samples: the pre-roll would be stepped for seconds.
  MessageRecorder messages;
  TypedFilterBench bench;
  FakeCosine cosine;
  cosine.omega = 3e-8;
  cosine.phi = std::numbers::pi / 2;
  AnalysisSources sources = bench.Sources();
  sources.biharmonic = &cosine;
  AnalysisRun run;
  TCalcForm form{run};
  run.SetSources(sources);
  run.SetInterval(4000);  // a transient of N − 11 lets s(n) leave s(0) first
  EXPECT_FALSE(form.ButtonCancel->isVisibleTo(&form));

  const auto stop_with = [&](const std::function<void()>& stop) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (form.ButtonCancel->isVisible()) {
        EXPECT_EQ(form.ButtonCancel->text(), "Прервать");
        stop();
      }
    });
    poll.start(5);
    bench.a.values = {1};
    bench.b.values = {1};
    bench.request.requested = true;
    cosine.selected = true;
    run.RunAnalysis(0);
    // Stopped early, whatever the speed of the machine.
    EXPECT_LT(run.LastPreRollSteps(), kPreRollLimit / 2);
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{kPreRollCancelledMessage});
    EXPECT_FALSE(form.ButtonCancel->isVisibleTo(&form));
    EXPECT_FALSE(form.isVisible());
    messages.Clear();
  };
  stop_with([&] { QTest::mouseClick(form.ButtonCancel, Qt::LeftButton); });
  stop_with([&] { QTest::keyClick(&form, Qt::Key_Escape); });
}

TEST(FftWindowTest, ShowsItsOwnBarOnlyWhenNoneIsHandedOver) {
  MessageRecorder messages;
  FastFourierTransform fft;
  TFFT0Form form{fft};
  EXPECT_EQ(form.windowTitle(), "БПФ");
  double data[8] = {1, 1, 1, 1, 1, 1, 1, 1};
  double magnitude[8], phase[8];
  fft.Transform(data, 8, 8, magnitude, phase);
  EXPECT_EQ(magnitude[0], 8);
  EXPECT_EQ(form.ProgressBar1->value(), form.ProgressBar1->maximum());
  EXPECT_FALSE(form.isVisible());  // closed again at the end
  ProgressBar outside;
  fft.SetProgressBar(&outside);
  EXPECT_FALSE(fft.HasOwnWindow());
}

}  // namespace
