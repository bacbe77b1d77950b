// SPDX-License-Identifier: GPL-3.0-or-later
// The open document: its edit scope nests into one step of Undo, keeps the caret-driven reading
// quiet until the outermost scope ends, ends cleanly when a change fails, and applies a batch as
// the model's in-memory document does; its block list always describes the current text, and it
// tells every change of the text with who made it.
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <vector>

#include "app/opendocument.h"
#include "controls/editorsearch.h"
#include "model/error.h"
#include "model/text/memorydocument.h"
#include "testenv.h"

using namespace qm;

namespace {

void Load(TOpenDocument& document, const std::string& text) {
  document.Editor()->LoadBytes(text);
}

int GutterWidth(TCssEditor& editor) {
  return static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 0));
}

// 99 lines: one more needs a wider gutter.
std::string NinetyNineLines() {
  std::string text;
  for (int line = 1; line < 99; ++line) {
    text += "a { color: red }\r\n";
  }
  return text + "zz { }";
}

}  // namespace

class TestOpenDocument : public QObject {
  Q_OBJECT

 private slots:
  void nestedScopesAreOneStepOfUndoAndOneReading() {
    TOpenDocument document;
    Load(document, "a {}\r\nb {}");
    QSignalSpy edited(&document, &TOpenDocument::Edited);
    QSignalSpy status(&document, &TOpenDocument::StatusChange);
    {
      TOpenDocument::TEditScope outer(document);
      outer.Apply(TEditBatch({3, 3, "color: red;", 14}));
      {
        TOpenDocument::TEditScope inner(document);
        inner.Apply(TEditBatch({0, 1, "p", 1}));
        QVERIFY(document.UpdatingText());
      }
      // The inner scope's end is not the end of the change.
      QVERIFY(document.UpdatingText());
      QCOMPARE(edited.count(), 0);
      QVERIFY(document.Blocks().Items(0).Name == "p");
    }
    QVERIFY(!document.UpdatingText());
    QCOMPARE(edited.count(), 1);
    QCOMPARE(status.count(), 0);  // the program's own caret moves are not the user's
    QCOMPARE(Text(document), QByteArray("p {color: red;}\r\nb {}"));
    QVERIFY(document.Editor()->Modified());
    QCOMPARE(document.Blocks().Count(), 2);
    QCOMPARE(document.Blocks().Items(1).StartPos, 19);

    document.Editor()->undo();
    QCOMPARE(Text(document), QByteArray("a {}\r\nb {}"));
    QVERIFY(!document.Editor()->Modified());
  }

  void aFailedChangeEndsItsScope() {
    TOpenDocument document;
    Load(document, "a {}");
    QSignalSpy edited(&document, &TOpenDocument::Edited);
    try {
      TOpenDocument::TEditScope scope(document);
      scope.Apply(TEditBatch({0, 1, "p", 1}));
      throw TError("the write failed");
    } catch (const TError&) {
    }
    QVERIFY(!document.UpdatingText());
    QCOMPARE(edited.count(), 0);
    // The undo action was closed: the next change is a step of its own.
    document.Apply(TEditBatch({4, 4, "\r\nb {}", 9}));
    document.Editor()->undo();
    QCOMPARE(Text(document), QByteArray("p {}"));
    QCOMPARE(document.Blocks().Count(), 1);

    // Overlapping edits are refused before anything is changed.
    TEditBatch overlapping;
    overlapping.Add({0, 2, "x", 0});
    overlapping.Add({1, 3, "y", 0});
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, document.Apply(overlapping));
    QCOMPARE(Text(document), QByteArray("p {}"));
    QVERIFY(!document.UpdatingText());
  }

  void aBatchChangesTheEditorAsTheModelsDocument() {
    const std::string text = "h1 {\r\n  color: red;\r\n}\r\n.note { margin: 0 }\r\n#main {\r\n}";
    TEditBatch batch;
    batch.Add({44, 47, "\r\n  margin: 0;\r\n", 59});
    batch.Add({0, 2, "h2, h3", 6});
    batch.Add({24, 25, "p", 25});
    TOpenDocument document;
    Load(document, text);
    TMemoryDocument memory(text);
    document.Apply(batch);
    const int32_t caret = ApplyBatch(batch, memory);
    QCOMPARE(Text(document),
             QByteArray(memory.Text().data(), static_cast<qsizetype>(memory.Text().size())));
    QCOMPARE(document.Editor()->Caret(), caret);
    QCOMPARE(document.Editor()->LineCount(), memory.LineCount());
  }

  // What reads the text after a change (the block list by the text version, the live preview by
  // TextChanged, the gutter by the line count) learns of every kind of change.
  void everyKindOfChangeReachesThoseWhoFollowTheText() {
    using TChange = std::function<void(TOpenDocument&)>;
    const auto type = [](TOpenDocument& document) {
      document.Editor()->SetCaret(0);
      QTest::keyClick(document.Editor(), Qt::Key_Return);
    };
    const auto undo = [](TOpenDocument& document) { document.Editor()->undo(); };
    const struct {
      const char* name;
      TChange before;  // brings the document to 100 lines first, or nothing
      TChange change;
      int lines;  // after the change
    } cases[] = {
        {"typing", nullptr, type, 100},
        {"paste", nullptr,
         [](TOpenDocument& document) {
           QApplication::clipboard()->setText(QStringLiteral("b { }\n"));
           document.Editor()->SetCaret(0);
           document.Editor()->paste();
         },
         100},
        {"undo", type, undo, 99},
        {"redo",
         [&](TOpenDocument& document) {
           type(document);
           undo(document);
         },
         [](TOpenDocument& document) { document.Editor()->redo(); }, 100},
        {"replace all", nullptr,
         [](TOpenDocument& document) {
           const TReplacements all = TEditorSearch().PlanReplaceAll(
               *document.Editor(), QStringLiteral("zz"), QStringLiteral("z\r\nz"), {});
           document.Apply(all.Batch);
         },
         100},
        {"a view's write", nullptr,
         [](TOpenDocument& document) {
           document.Apply(TEditBatch({0, 0, "p { }\r\n", 0}));
         },
         100},
    };
    for (const auto& c : cases) {
      TOpenDocument document;
      document.resize(400, 300);
      document.show();
      Load(document, NinetyNineLines());
      if (c.before) {
        c.before(document);
      }
      QCoreApplication::processEvents();
      TCssEditor& editor = *document.Editor();
      const int gutter = GutterWidth(editor);
      const uint64_t version = editor.TextVersion();
      document.Blocks();
      QSignalSpy changed(&editor, &TCssEditor::TextChanged);
      c.change(document);
      QVERIFY2(editor.TextVersion() != version, c.name);
      QTRY_VERIFY2_WITH_TIMEOUT(!changed.isEmpty(), c.name, 2000);
      QCOMPARE(editor.LineCount(), c.lines);
      QVERIFY2(c.lines == 100 ? GutterWidth(editor) > gutter : GutterWidth(editor) < gutter,
               c.name);
      QVERIFY2(document.Blocks().Describes(editor), c.name);
      TMemoryDocument memory{std::string(editor.Text())};
      TModList fresh;
      RebuildBlocks(memory, fresh);
      QVERIFY2(document.Blocks().All() == fresh.All(), c.name);
    }
  }

  // Whoever follows the text hears of each run of changes once, with who made it: an Undo that
  // takes back a write of three edits is one run, and the program's batch is never typing.
  void theChangeSignalTellsWhoChangedTheText() {
    using TChange = std::function<void(TOpenDocument&)>;
    const auto type = [](TOpenDocument& document) {
      document.Editor()->SetCaret(0);
      QTest::keyClick(document.Editor(), Qt::Key_X);
    };
    const auto write = [](TOpenDocument& document) {
      TEditBatch batch;
      batch.Add({0, 1, "p", 1});
      batch.Add({3, 3, "color: red;", 14});
      batch.Add({6, 7, "q", 7});
      document.Apply(batch);
    };
    const auto undo = [](TOpenDocument& document) { document.Editor()->undo(); };
    const auto redo = [](TOpenDocument& document) { document.Editor()->redo(); };
    const struct {
      const char* name;
      TChange before;  // what there is to undo or redo, or nothing
      TChange change;
      TChangeOrigin origin;
    } cases[] = {
        {"a typed key", nullptr, type, TChangeOrigin::Typing},
        {"paste", nullptr,
         [](TOpenDocument& document) {
           QApplication::clipboard()->setText(QStringLiteral("i { }"));
           document.Editor()->paste();
         },
         TChangeOrigin::Typing},
        {"cut", nullptr,
         [](TOpenDocument& document) {
           document.Editor()->SetSelection(0, 4);
           document.Editor()->cut();
         },
         TChangeOrigin::Typing},
        {"undo of a typed key", type, undo, TChangeOrigin::UndoRedo},
        {"undo of a write", write, undo, TChangeOrigin::UndoRedo},
        {"redo",
         [&](TOpenDocument& document) {
           write(document);
           undo(document);
         },
         redo, TChangeOrigin::UndoRedo},
        {"an edit scope's batch", nullptr, write, TChangeOrigin::Program},
        {"an edit scope's paste", nullptr,
         [](TOpenDocument& document) {
           QApplication::clipboard()->setText(QStringLiteral("i { }"));
           TOpenDocument::TEditScope scope(document);
           scope.Apply([](TCssEditor& editor) { editor.paste(); });
         },
         TChangeOrigin::Program},
    };
    for (const auto& c : cases) {
      TOpenDocument document;
      document.resize(400, 300);
      document.show();
      Load(document, "a {}\r\nb {}");
      if (c.before) {
        c.before(document);
      }
      // What the preparation changed has been told.
      QCoreApplication::processEvents();
      std::vector<TChangeOrigin> origins;
      connect(&document, &TOpenDocument::TextChanged, &document,
              [&origins](TChangeOrigin origin) { origins.push_back(origin); });
      c.change(document);
      QTRY_VERIFY2_WITH_TIMEOUT(!origins.empty(), c.name, 2000);
      // A second report of the same run would have arrived by now.
      QCoreApplication::processEvents();
      QVERIFY2(origins.size() == 1, c.name);
      QVERIFY2(origins.front() == c.origin, c.name);
    }
  }

  void theBlockListFollowsTheText() {
    TOpenDocument document;
    Load(document, "a {color: red;} b {margin: 0;}");
    QCOMPARE(document.Blocks().Items(1).StartPos, 18);
    document.Editor()->SetCaret(0);
    QTest::keyClicks(document.Editor(), QStringLiteral("/* note */"));
    QCOMPARE(document.Blocks().Count(), 2);
    QCOMPARE(document.Blocks().Items(1).StartPos, 28);
    document.MoveToPreviousBlock();  // the caret is in no block
    QCOMPARE(document.Editor()->Caret(), 0);
    document.MoveToNextBlock();
    QCOMPARE(document.Editor()->Caret(), 12);
  }

  void aFileOfMixedBreaksKeepsEachUntouchedLinesBreak() {
    // LF is the most common break; "b" ends with CR LF, "c" with a lone CR.
    const QByteArray mixed("a{}\nb{}\r\nc{}\rd{}\n");
    struct TCase {
      const char* name;
      std::function<void(TOpenDocument&)> gesture;
      const char* saved;
    };
    const std::vector<TCase> cases{
        {"typed_into_a_line",
         [](TOpenDocument& document) {
           document.Editor()->SetCaret(7);
           QTest::keyClicks(document.Editor(), QStringLiteral("x"));
         },
         "a{}\nb{x}\r\nc{}\rd{}\n"},
        {"enter_at_a_line_end",
         [](TOpenDocument& document) {
           document.Editor()->SetCaret(8);
           QTest::keyClick(document.Editor(), Qt::Key_Return);
           QTest::keyClicks(document.Editor(), QStringLiteral("e{}"));
         },
         "a{}\nb{}\r\ne{}\nc{}\rd{}\n"},
        {"typed_and_undone",
         [](TOpenDocument& document) {
           document.Editor()->SetCaret(13);
           QTest::keyClick(document.Editor(), Qt::Key_Return);
           document.Editor()->undo();
         },
         "a{}\nb{}\r\nc{}\rd{}\n"},
        {"line_added_by_the_program",
         [](TOpenDocument& document) {
           document.Apply(TEditBatch({10, 10, "x{}\r\n", 0}));
         },
         "a{}\nb{}\r\nx{}\nc{}\rd{}\n"},
        {"line_removed_by_the_program",
         [](TOpenDocument& document) {
           document.Apply(TEditBatch({5, 10, "", 0}));
         },
         "a{}\nc{}\rd{}\n"},
    };
    for (const TCase& c : cases) {
      TOpenDocument document;
      document.Load(QStringLiteral("mixed.css"), mixed);
      c.gesture(document);
      QCOMPARE(QByteArray::fromStdString(document.FileBytes()), QByteArray(c.saved));
    }
  }
};

QM_TEST_MAIN(TestOpenDocument)
#include "tst_opendocument.moc"
