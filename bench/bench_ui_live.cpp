// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview and the colour swatches: a keystroke in bootstrap 5 until the Preview panel's
// page holds the new text, styled and laid out; the swatches of a screenful of a minified 3 MB
// sheet (one line) and of a 3 MB sheet of ordinary lines. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "app/livepreview.h"
#include "app/opendocument.h"
#include "app/previewpanel.h"
#include "bench/corpus.h"
#include "bench/qtmain.h"
#include "bench/silentprompts.h"
#include "controls/colorswatches.h"
#include "controls/csseditor.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

namespace qm {
namespace {

using Sci = QsciScintillaBase;
using Clock = std::chrono::steady_clock;

using bench::TSilentPrompts;

bool WaitFor(const std::function<bool()>& done) {
  const auto until = Clock::now() + std::chrono::seconds(60);
  while (!done()) {
    if (Clock::now() > until) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return true;
}

// A key typed and rubbed out in turn inside a declaration in the middle of bootstrap 5, each
// timed from the key press until the page holds the text.
void BM_LiveKeystrokeBootstrap5(benchmark::State& state) {
  QTemporaryDir dir;
  auto settings = TSettingsStore::ForIniFile(dir.filePath(QStringLiteral("s.ini")));
  TSilentPrompts prompts;
  TSystemShell shell;
  const TPlatform platform{
      settings.get(), &prompts, &shell, dir.path(), QCoreApplication::applicationDirPath(),
      QString()};
  // Bootstrap 5.3 (281 KB) from the corpus when it is there, else Debian's bootstrap 5.
  std::string path;
  for (const TSheetFile& sheet : RealSheetFiles()) {
    if (sheet.name == "corpus/bootstrap-5.3.9-bootstrap.css" ||
        (path.empty() && sheet.name == "bootstrap5/bootstrap.css")) {
      path = sheet.path.string();
    }
  }
  const std::string bytes = ReadSheetBytes(path);
  TOpenDocument document;
  document.Load(QString::fromStdString(path), QByteArray::fromStdString(bytes));
  TPreviewPanel panel(platform);
  panel.resize(900, 700);
  panel.show();
  panel.SetDocument(&document);
  if (panel.MakePreview(true).isEmpty() || !WaitFor([&] { return panel.Live().Current(); })) {
    state.SkipWithError("the preview did not come up");
    return;
  }
  TCssEditor* editor = document.Editor();
  const std::string_view text = editor->Text();
  editor->SetCaret(static_cast<int32_t>(text.find("color:", text.size() / 2) + 6));

  std::vector<double> times;
  bool insert = true;
  for (auto _ : state) {
    QKeyEvent key(QEvent::KeyPress, insert ? Qt::Key_X : Qt::Key_Backspace, Qt::NoModifier,
                  insert ? QStringLiteral("x") : QString());
    insert = !insert;
    const auto start = Clock::now();
    QApplication::sendEvent(editor, &key);
    if (!WaitFor([&] { return panel.Live().Current(); })) {
      state.SkipWithError("the page did not take the text");
      return;
    }
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    state.SetIterationTime(elapsed.count());
    times.push_back(elapsed.count() * 1000);
  }
  std::sort(times.begin(), times.end());
  state.counters["median_ms"] = times[times.size() / 2];
  state.counters["max_ms"] = times.back();
  state.counters["sheet_KB"] = static_cast<double>(bytes.size()) / 1024;
}
BENCHMARK(BM_LiveKeystrokeBootstrap5)
    ->UseManualTime()
    ->Iterations(60)
    ->Unit(benchmark::kMillisecond);

// The swatches of one screenful, the view moved by a screen's width (one line) or height
// (ordinary lines) each time, so that every update looks at new text.
void SwatchesOfAScreenful(benchmark::State& state, const std::string& sheet, bool oneLine) {
  TCssEditor editor;
  editor.resize(1000, 800);
  editor.show();
  editor.LoadBytes(sheet);
  editor.SendScintilla(Sci::SCI_COLOURISE, 0, -1);
  TColorSwatches swatches(&editor);
  // Halfway, where the next colour is: a screenful of utility classes would have none.
  editor.SetCaret(static_cast<int32_t>(sheet.find("color:#", sheet.size() / 2)));
  QCoreApplication::processEvents();
  const long x = editor.SendScintilla(Sci::SCI_GETXOFFSET);
  const long line = editor.SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE);
  const long screen = editor.SendScintilla(Sci::SCI_LINESONSCREEN);
  bool there = false;
  for (auto _ : state) {
    there = !there;
    if (oneLine) {
      editor.SendScintilla(Sci::SCI_SETXOFFSET, there ? x + 1000 : x);
    } else {
      editor.SendScintilla(Sci::SCI_SETFIRSTVISIBLELINE, there ? line + screen : line);
    }
    swatches.Update();
  }
  // How many swatches the last screenful shows.
  int count = 0;
  const auto length = static_cast<long>(sheet.size());
  for (long pos = 0; pos < length;) {
    const long end = editor.SendScintilla(Sci::SCI_INDICATOREND,
                                          static_cast<unsigned long>(swatches.Indicator()), pos);
    if (editor.SendScintilla(Sci::SCI_INDICATORVALUEAT,
                             static_cast<unsigned long>(swatches.Indicator()), pos) != 0) {
      ++count;
    }
    pos = end > pos ? end : length;
  }
  state.counters["swatches"] = count;
}

void BM_SwatchesScreenfulMinified3MB(benchmark::State& state) {
  static const std::string sheet = bench::MinifiedCorpus();
  SwatchesOfAScreenful(state, sheet, true);
}
BENCHMARK(BM_SwatchesScreenfulMinified3MB)->Unit(benchmark::kMicrosecond);

void BM_SwatchesScreenful3MB(benchmark::State& state) {
  static const std::string sheet = bench::ConcatenatedCorpus();
  SwatchesOfAScreenful(state, sheet, false);
}
BENCHMARK(BM_SwatchesScreenful3MB)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  return qm::bench::RunWithQt(argc, argv);
}
