// SPDX-License-Identifier: GPL-3.0-or-later
// Completion as the user types: a key that opens the editor's list in bootstrap 5 and in a 3 MB
// sheet, beside a key that opens none, all through the window. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "app/cssmain.h"
#include "app/documenttabs.h"
#include "app/opendocument.h"
#include "bench/corpus.h"
#include "bench/qtmain.h"
#include "bench/silentprompts.h"
#include "controls/csseditor.h"
#include "model/assist/completion.h"
#include "model/catalogue/catalogue.h"
#include "model/sheet/declarations.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"

namespace qm {
namespace {

// The window over the program's catalogues with text open and the caret just inside the brace
// of the style rule in the middle of the text.
struct TWindowOn {
  explicit TWindowOn(const std::string& text)
      : Settings(TSettingsStore::ForIniFile(Dir.filePath(QStringLiteral("s.ini")))),
        Platform{Settings.get(), &Prompts, &Shell, Dir.path(), QStringLiteral(QUILLMERE_DATA_DIR),
                 QString()},
        Window(Platform) {
    // Within the offscreen screen, where the editor can place its list.
    Window.setGeometry(0, 0, 780, 580);
    Window.show();
    Window.Tabs().NewDocument();
    Editor = Window.Tabs().CurrentEditor();
    Editor->LoadBytes(text);
    TOpenDocument& document = *Window.Tabs().CurrentDocument();
    const TModList& blocks = document.Blocks();
    for (int32_t b = blocks.Count() / 2; b < blocks.Count(); ++b) {
      // A style rule, where property names are listed (a descriptor block lists its own).
      if (RuleBlockAt(*Editor, blocks, blocks.Items(b).StartPos + 1) == b &&
          BlockKind(*Editor, blocks, b) == TBlockKind::StyleRule) {
        Editor->SetCaret(blocks.Items(b).StartPos + 1);
        Editor->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
        break;
      }
    }
    // The window active and the editor in focus before the keys are timed: the editor's list
    // closes when the editor loses the focus.
    Window.activateWindow();
    QCoreApplication::processEvents();
    Editor->setFocus();
    QCoreApplication::processEvents();
  }
  // A key pressed, and what the event loop then does for it (the list opens after the key).
  void Key(Qt::Key key, const QString& text) const {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(Editor, &press);
    QCoreApplication::processEvents();
  }

  QTemporaryDir Dir;
  std::unique_ptr<TSettingsStore> Settings;
  bench::TSilentPrompts Prompts;
  TSystemShell Shell;
  TPlatform Platform;
  TFrmMain Window;
  TCssEditor* Editor = nullptr;
};

// Typing key where a property name starts and rubbing it out; with opens, the list must open.
void TypeAndRubOut(benchmark::State& state, const std::string& text, Qt::Key key,
                   const QString& typed, bool opens) {
  TWindowOn on(text);
  for (auto _ : state) {
    on.Key(key, typed);
    if (on.Editor->isListActive() != opens) {
      state.SkipWithError("the list did not do what it should");
      break;
    }
    on.Key(Qt::Key_Backspace, {});
  }
}

const std::string& Bootstrap() {
  static const std::string text = bench::CorpusSheet("bootstrap5/bootstrap.css");
  return text;
}

const std::string& ThreeMegabytes() {
  static const std::string text = bench::ConcatenatedCorpus();
  return text;
}

void BM_KeyOpensListInBootstrap5(benchmark::State& state) {
  TypeAndRubOut(state, Bootstrap(), Qt::Key_C, QStringLiteral("c"), true);
}
BENCHMARK(BM_KeyOpensListInBootstrap5)->Unit(benchmark::kMillisecond);

void BM_KeyOpensListIn3MB(benchmark::State& state) {
  TypeAndRubOut(state, ThreeMegabytes(), Qt::Key_C, QStringLiteral("c"), true);
}
BENCHMARK(BM_KeyOpensListIn3MB)->Unit(benchmark::kMillisecond);

// The same keystroke path with a key that opens no list: what typing costs without completion.
void BM_KeyWithoutListIn3MB(benchmark::State& state) {
  TypeAndRubOut(state, ThreeMegabytes(), Qt::Key_Space, QStringLiteral(" "), false);
}
BENCHMARK(BM_KeyWithoutListIn3MB)->Unit(benchmark::kMillisecond);

// The model's part alone: the context at the caret and its candidates, in the 3 MB sheet.
void BM_ContextAndCandidatesIn3MB(benchmark::State& state) {
  TWindowOn on(ThreeMegabytes());
  on.Key(Qt::Key_C, QStringLiteral("c"));
  TOpenDocument& document = *on.Window.Tabs().CurrentDocument();
  const TModList& blocks = document.Blocks();
  TInspectorCollection catalogue;
  catalogue.LoadCatalogue(std::string(QUILLMERE_DATA_DIR) + "/css3.txt");
  for (auto _ : state) {
    const TCompletionContext context = CompletionContextAt(*on.Editor, blocks, on.Editor->Caret());
    benchmark::DoNotOptimize(CompletionCandidates(context, {&catalogue, nullptr}).size());
  }
}
BENCHMARK(BM_ContextAndCandidatesIn3MB)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qm

int main(int argc, char** argv) {
  return qm::bench::RunWithQt(argc, argv);
}
