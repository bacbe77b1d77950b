// SPDX-License-Identifier: GPL-3.0-or-later
// Colour swatches in the text: each colour of the lines shown carries its own colour, and a pick
// made by Ctrl+click on it or Alt+Enter in it replaces it in its notation, one step of Undo.
#include <QTest>

#include "controls/colorswatches.h"
#include "testenv.h"

using namespace qm;

namespace {

using Sci = QsciScintillaBase;

const QByteArray kSheet =
    "h1 { color: #f80; border: 1px solid Gold }\r\n"
    "p { background: rgb(1, 2, 3) url(red.png) }";

// Where a person clicks to hit the character at pos.
QPoint PointOf(TCssEditor* editor, int32_t pos) {
  const auto x = editor->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, static_cast<long>(pos));
  const auto y = editor->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, static_cast<long>(pos));
  const auto height = editor->SendScintilla(Sci::SCI_TEXTHEIGHT, 0UL);
  return QPoint(static_cast<int>(x) + 3, static_cast<int>(y + height / 2));
}

}  // namespace

class TestColorSwatches : public QObject {
  Q_OBJECT

 private slots:
  void aPickReplacesTheColourInItsNotationAsOneStepOfUndo_data() {
    QTest::addColumn<QByteArray>("color");
    QTest::addColumn<bool>("click");  // Ctrl+click on the swatch, else Alt+Enter in the colour
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QColor>("picked");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("hex by click") << QByteArray("#f80") << true << "color: #ff8800"
                                  << QColor(255, 0, 0) << QByteArray("#f00");
    QTest::newRow("name by key") << QByteArray("Gold") << false << "color: #ffd700"
                                 << QColor(0, 0, 255) << QByteArray("blue");
    QTest::newRow("name to hex") << QByteArray("Gold") << true << "color: #ffd700"
                                 << QColor(0x12, 0x34, 0x56) << QByteArray("#123456");
    QTest::newRow("rgb by key") << QByteArray("rgb(1, 2, 3)") << false << "color: #010203"
                                << QColor(18, 52, 86) << QByteArray("rgb(18, 52, 86)");
    QTest::newRow("cancelled") << QByteArray("#f80") << true << "color: #ff8800" << QColor()
                               << QByteArray("#f80");
  }

  void aPickReplacesTheColourInItsNotationAsOneStepOfUndo() {
    QFETCH(QByteArray, color);
    QFETCH(bool, click);
    QFETCH(QString, asked);
    QFETCH(QColor, picked);
    QFETCH(QByteArray, written);
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("look.css"), kSheet));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    auto* swatches = editor->findChild<TColorSwatches*>();
    QVERIFY(swatches != nullptr);
    const auto at = static_cast<int32_t>(kSheet.indexOf(color));

    // The swatch is there once the lines have been shown, in the colour's own colour.
    const QColor initial = QColor::fromString(asked.mid(7));
    const long value = (initial.blue() << 16) | (initial.green() << 8) | initial.red();
    QTRY_COMPARE(editor->SendScintilla(Sci::SCI_INDICATORVALUEAT,
                                       static_cast<unsigned long>(swatches->Indicator()),
                                       static_cast<long>(at + 1)),
                 Sci::SC_INDICVALUEBIT | value);
    // url(red.png) is an address, not a colour.
    const auto url = static_cast<long>(kSheet.indexOf("red.png"));
    QCOMPARE(editor->SendScintilla(Sci::SCI_INDICATORVALUEAT,
                                   static_cast<unsigned long>(swatches->Indicator()), url),
             0L);

    env.Prompts.AnswerColor(picked.isValid() ? std::optional<QColor>(picked) : std::nullopt);
    if (click) {
      QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::ControlModifier,
                        PointOf(editor, at + 1));
    } else {
      editor->SetCaret(at + 1);
      QTest::keyClick(editor, Qt::Key_Return, Qt::AltModifier);
    }
    QTRY_COMPARE(env.Prompts.Pending(), 0);
    QCOMPARE(env.Prompts.Asked, QStringList{asked});
    QVERIFY(env.Prompts.Unexpected.isEmpty());
    QByteArray expected = kSheet;
    expected.replace(at, color.size(), written);
    QCOMPARE(Text(editor), expected);
    // Alt+Enter in a colour opens the dialog and types no line break.
    if (written == color) {
      QVERIFY(!editor->isUndoAvailable());
      return;
    }
    editor->undo();
    QCOMPARE(Text(editor), kSheet);
    QVERIFY(!editor->isUndoAvailable());
    QVERIFY(!editor->Modified());
  }

  // A minified sheet is one long line: of it, only the part in view gets swatches, as do only
  // the lines in view.
  void onlyTheColoursInViewHaveSwatches() {
    QByteArray filler;
    for (int i = 0; i < 400; ++i) {
      filler += ".a{margin:0}";
    }
    QByteArray sheet = "i{color:lime}" + filler + "b{color:red}" + filler;
    for (int i = 0; i < 200; ++i) {
      sheet += "\r\n";
    }
    sheet += "p{color:blue}";
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("min.css"), sheet));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    const int indicator = editor->findChild<TColorSwatches*>()->Indicator();
    const auto valueAt = [&](const char* color) {
      return editor->SendScintilla(Sci::SCI_INDICATORVALUEAT, static_cast<unsigned long>(indicator),
                                   static_cast<long>(sheet.indexOf(color) + 1));
    };
    editor->SetCaret(static_cast<int32_t>(sheet.indexOf("red")));
    QTRY_COMPARE(valueAt("red"), Sci::SC_INDICVALUEBIT | 0xFFL);
    QCOMPARE(valueAt("lime"), 0L);
    QCOMPARE(valueAt("blue"), 0L);
    editor->SetFirstVisibleLine(180);
    QTRY_COMPARE(valueAt("blue"), Sci::SC_INDICVALUEBIT | 0xFF0000L);
    QCOMPARE(valueAt("red"), 0L);
  }

  // Colour words in a nested rule's selector and in font names are names, not colours: they get
  // no swatch, and Ctrl+click on them picks nothing.
  void onlyValuesCarrySwatches() {
    const QByteArray sheet =
        ".x {\r\n  &:is(#fed, .gold) { color: blue }\r\n}\r\n"
        "h1 { font-family: Red Hat, serif; color: olive }\r\n"
        "@media (min-width: 1px) { p { background: url(tan.png) /* red */ lime } }\r\n"
        "i { color: oklch(0.628 0.2577 29.23); border-color: hwb(240 0% 0%) }";
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("names.css"), sheet));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    const int indicator = editor->findChild<TColorSwatches*>()->Indicator();
    const auto valueAt = [&](const char* text) {
      return editor->SendScintilla(Sci::SCI_INDICATORVALUEAT, static_cast<unsigned long>(indicator),
                                   static_cast<long>(sheet.indexOf(text) + 1));
    };
    QTRY_COMPARE(valueAt("olive"), Sci::SC_INDICVALUEBIT | 0x008080L);
    QCOMPARE(valueAt("blue"), Sci::SC_INDICVALUEBIT | 0xFF0000L);
    QCOMPARE(valueAt("lime"), Sci::SC_INDICVALUEBIT | 0x00FF00L);
    QCOMPARE(valueAt("oklch"), Sci::SC_INDICVALUEBIT | 0x0000FFL);
    QCOMPARE(valueAt("hwb"), Sci::SC_INDICVALUEBIT | 0xFF0000L);
    for (const char* name : {"#fed", "gold", "Red", "tan", "red */"}) {
      QVERIFY2(valueAt(name) == 0L, name);
    }
    for (const char* name : {"gold", "Red"}) {
      QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::ControlModifier,
                        PointOf(editor, static_cast<int32_t>(sheet.indexOf(name)) + 1));
      QTest::qWait(50);
    }
    QCOMPARE(env.Prompts.Asked, QStringList());
    QCOMPARE(Text(editor), sheet);
  }

  void swatchesFollowTheTyping() {
    TTestEnv env;
    TFrmMain& w = env.MakeWindow();
    w.resize(900, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Tabs().OpenOperation(env.WriteFile(QStringLiteral("look.css"), "a { color: re }"));
    TCssEditor* editor = w.Tabs().CurrentEditor();
    const int indicator = editor->findChild<TColorSwatches*>()->Indicator();
    const auto valueAt = [&](long pos) {
      return editor->SendScintilla(Sci::SCI_INDICATORVALUEAT, static_cast<unsigned long>(indicator),
                                   pos);
    };
    editor->SetCaret(13);
    QTest::keyClick(editor, Qt::Key_D);
    QTRY_COMPARE(valueAt(11), Sci::SC_INDICVALUEBIT | 0xFFL);
    // Commented out, it is no colour any more.
    editor->SetCaret(11);
    QTest::keyClicks(editor, "/*");
    QTRY_COMPARE(valueAt(14), 0L);
  }
};

QM_TEST_MAIN(TestColorSwatches)
#include "tst_colorswatches.moc"
