// SPDX-License-Identifier: GPL-3.0-or-later
// The typed settings over a store written by earlier versions, and stored window bounds made safe.
#include <QSettings>

#include "platform/settings.h"
#include "platform/settingsstore.h"
#include "platform/siteaddresses.h"
#include "testenv.h"

using namespace qm;

namespace {

// A store as the program has always written it, with a few values damaged by hand.
const char kUserFile[] =
    "[General]\n"
    "Left=-40\n"
    "Top=3000\n"
    "Width=2147483647\n"
    "Height=2147483647\n"
    "CurrentCss=1\n"
    "ActiveVisualTab=0\n"
    "FontName=DejaVu Sans Mono\n"
    "FontSize=14\n"
    "TabWidth=x4\n"
    "Browser1a=Firefox\n"
    "Browser1b=/usr/bin/firefox\n"
    "Browser2a=Internet Explorer\n"
    "Browser2b=ieLocation\n"
    "Browser3a=\n"
    "Browser4a=after a gap\n"
    "recent1=/home/me/one.css\n"
    "File1=/home/me/page.htm\n"
    "HomePage=\"  https://example.org/qm  \"\n"
    "\n"
    "[Editor]\n"
    "Number\\Foreground=255\n";

}  // namespace

Q_DECLARE_METATYPE(qm::TWindowBounds)

class TestSettings : public QObject {
  Q_OBJECT

 private slots:
  void aStoreOfAnEarlierVersionReadsAsItWasWritten() {
    TTestEnv env;
    env.WriteFile(QStringLiteral("user.ini"), kUserFile);
    const auto store = TSettingsStore::ForIniFile(env.Dir.filePath(QStringLiteral("user.ini")));
    QCOMPARE(Setting::ReadWindowBounds(*store), (TWindowBounds{-40, 3000, 2147483647, 2147483647}));
    QCOMPARE(Setting::CurrentCss.Read(*store), 1);
    QCOMPARE(Setting::FontName.Read(*store), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(Setting::FontSize.Read(*store), 14);
    QCOMPARE(Setting::TabWidth.Read(*store), 8);  // "x4" is no number: the default
    QCOMPARE(Setting::TabWidth.ReadText(*store), QStringLiteral("x4"));
    QCOMPARE(Setting::ReadBrowsers(*store),
             (std::vector<TBrowserEntry>{{"Firefox", "/usr/bin/firefox"},
                                         {"Internet Explorer", "ieLocation"}}));
    QCOMPARE(store->ReadString(Setting::RecentFile.Key(1)).value_or(QString()),
             QStringLiteral("/home/me/one.css"));
    QCOMPARE(store->ReadString(Setting::PreviewFile.Key(1)).value_or(QString()),
             QStringLiteral("/home/me/page.htm"));
    const TSiteAddresses sites = TSiteAddresses::Load(*store);
    QCOMPARE(sites.HomePage, QStringLiteral("https://example.org/qm"));
    QCOMPARE(sites.FeedbackMail, QStringLiteral("feedback@quillmere.org"));
  }

  void anEmptyStoreReadsTheDefaults() {
    TTestEnv env;
    QCOMPARE(Setting::ReadWindowBounds(*env.Settings), (TWindowBounds{219, 38, 659, 590}));
    QCOMPARE(Setting::CurrentCss.Read(*env.Settings), 2);  // a new user starts on current CSS
    QCOMPARE(Setting::FontName.Read(*env.Settings), QStringLiteral("Courier New"));
    QCOMPARE(Setting::FontSize.ReadText(*env.Settings), QStringLiteral("10"));
    QCOMPARE(Setting::TabWidth.Read(*env.Settings), 8);
    QVERIFY(Setting::ReadBrowsers(*env.Settings).empty());
    // The service answers over HTTPS only; a post to its plain address would lose the sheet in
    // the redirect.
    QCOMPARE(TSiteAddresses::Load(*env.Settings).ValidatorUrl,
             QStringLiteral("https://jigsaw.w3.org/css-validator/validator"));
    QCOMPARE(Setting::ValidatorTimeout.Read(*env.Settings), 60);
  }

  void numbersTypedAsTextAreUsedOnlyInTheirRange_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("fontSize");
    QTest::newRow("missing") << QString() << false << 10;
    QTest::newRow("plain") << "14" << true << 14;
    QTest::newRow("spaces") << " 12 " << true << 12;
    QTest::newRow("smallest") << "6" << true << 6;
    QTest::newRow("largest") << "72" << true << 72;
    QTest::newRow("too small") << "5" << false << 10;
    QTest::newRow("too large") << "999" << false << 10;
    QTest::newRow("negative") << "-12" << false << 10;
    QTest::newRow("word") << "big" << false << 10;
    QTest::newRow("empty") << "" << false << 10;
  }
  void numbersTypedAsTextAreUsedOnlyInTheirRange() {
    QFETCH(QString, stored);
    QFETCH(bool, accepted);
    QFETCH(int, fontSize);
    TTestEnv env;
    if (!stored.isNull()) {
      Setting::FontSize.WriteText(*env.Settings, stored);
    }
    QCOMPARE(Setting::FontSize.Read(*env.ReopenSettings()), fontSize);
    QCOMPARE(Setting::FontSize.Accepts(stored), accepted);
  }

  void valuesKeepTheirStoredTypes() {
    TTestEnv env;
    Setting::WriteWindowBounds(*env.Settings, {-5, 7, 640, 480});
    Setting::FontSize.WriteText(*env.Settings, QStringLiteral("012"));
    env.Settings->Flush();
    QSettings raw(env.SettingsFile(), QSettings::IniFormat);
    // Typed text stays as typed; numbers are numbers (a string and a DWORD in the registry).
    QCOMPARE(raw.value(QStringLiteral("FontSize")), QVariant(QStringLiteral("012")));
    QCOMPARE(raw.value(QStringLiteral("Left")).toString(), QStringLiteral("-5"));
    const auto reopened = env.ReopenSettings();
    QCOMPARE(Setting::ReadWindowBounds(*reopened), (TWindowBounds{-5, 7, 640, 480}));
    QCOMPARE(Setting::FontSize.Read(*reopened), 12);
  }

  void writingBrowsersReplacesTheStoredList() {
    TTestEnv env;
    std::vector<TBrowserEntry> eleven;
    for (int n = 1; n <= 11; ++n) {
      eleven.push_back({QStringLiteral("b%1").arg(n), QStringLiteral("/opt/b%1").arg(n)});
    }
    Setting::WriteBrowsers(*env.Settings, eleven);
    // Only ten come back, so a list edited from them never carries the eleventh along.
    QCOMPARE(Setting::ReadBrowsers(*env.ReopenSettings()).size(), size_t(10));
    Setting::WriteBrowsers(*env.Settings, {{"only", "/opt/only"}});
    const auto stored = env.ReopenSettings();
    QCOMPARE(Setting::ReadBrowsers(*stored), (std::vector<TBrowserEntry>{{"only", "/opt/only"}}));
    for (int n = 2; n <= 10; ++n) {
      QVERIFY(!stored->Contains(Setting::BrowserName.Key(n)));
      QVERIFY(!stored->Contains(Setting::BrowserPath.Key(n)));
    }
  }

  void storedBoundsAreFittedIntoTheAvailableArea_data() {
    QTest::addColumn<TWindowBounds>("stored");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("fitted");
    constexpr int kMax = 2147483647;
    const QMargins none;
    // The available area is 1000x700 at (0, 30), under a panel at the top.
    QTest::newRow("inside stays") << TWindowBounds{219, 38, 659, 590} << none
                                  << QRect(219, 38, 659, 590);
    QTest::newRow("filling exactly")
        << TWindowBounds{0, 30, 1000, 700} << none << QRect(0, 30, 1000, 700);
    QTest::newRow("largest sizes")
        << TWindowBounds{0, 0, kMax, kMax} << none << QRect(0, 30, 1000, 700);
    QTest::newRow("largest everywhere")
        << TWindowBounds{kMax, kMax, kMax, kMax} << none << QRect(0, 30, 1000, 700);
    QTest::newRow("smallest corner")
        << TWindowBounds{-kMax - 1, -kMax - 1, 600, 400} << none << QRect(0, 30, 600, 400);
    QTest::newRow("far up and left")
        << TWindowBounds{-3000, -3000, 600, 400} << none << QRect(0, 30, 600, 400);
    QTest::newRow("title bar under the panel")
        << TWindowBounds{100, 0, 600, 400} << none << QRect(100, 30, 600, 400);
    QTest::newRow("hanging over the left, title bar in reach")
        << TWindowBounds{-40, 100, 600, 400} << none << QRect(-40, 100, 600, 400);
    QTest::newRow("hanging over the right, a grip in reach")
        << TWindowBounds{900, 100, 600, 400} << none << QRect(900, 100, 600, 400);
    QTest::newRow("too far right")
        << TWindowBounds{950, 100, 600, 400} << none << QRect(400, 100, 600, 400);
    QTest::newRow("title bar below the bottom")
        << TWindowBounds{100, 710, 600, 400} << none << QRect(100, 330, 600, 400);
    QTest::newRow("wider than the area goes inside")
        << TWindowBounds{300, 100, 1500, 400} << none << QRect(0, 100, 1000, 400);
    QTest::newRow("no size") << TWindowBounds{50, 50, 0, -20} << none << QRect(50, 50, 100, 100);
    QTest::newRow("largest sizes in a frame")
        << TWindowBounds{0, 0, kMax, kMax} << QMargins(4, 24, 4, 4) << QRect(0, 30, 992, 672);
    QTest::newRow("frame over the bottom")
        << TWindowBounds{10, 710, 300, 200} << QMargins(4, 24, 4, 4) << QRect(10, 502, 300, 200);
  }
  void storedBoundsAreFittedIntoTheAvailableArea() {
    QFETCH(TWindowBounds, stored);
    QFETCH(QMargins, frame);
    QFETCH(QRect, fitted);
    QCOMPARE(FitWindowBounds(stored, QRect(0, 30, 1000, 700), frame), fitted);
  }

  void aFirstStartOnALargeScreenTakesMostOfIt_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<TWindowBounds>("bounds");
    const TWindowBounds designed{219, 38, 659, 590};
    QTest::newRow("no room for more") << QRect(0, 0, 800, 600) << designed;
    QTest::newRow("just the designed window") << QRect(0, 0, 659, 590) << designed;
    QTest::newRow("large") << QRect(0, 0, 1400, 950) << TWindowBounds{70, 47, 1260, 855};
    QTest::newRow("wide but low, second screen")
        << QRect(1920, 30, 1200, 700) << TWindowBounds{1980, 65, 1080, 630};
  }
  void aFirstStartOnALargeScreenTakesMostOfIt() {
    QFETCH(QRect, available);
    QFETCH(TWindowBounds, bounds);
    QCOMPARE(FirstStartBounds({219, 38, 659, 590}, available), bounds);
  }

  void theWindowsOwnMinimumIsKeptWhereTheAreaHoldsIt() {
    QCOMPARE(FitWindowBounds({790, 10, -1, 20}, QRect(0, 0, 800, 600), {}, QSize(250, 150)),
             QRect(550, 10, 250, 150));
    // An area smaller than any minimum is filled.
    QCOMPARE(FitWindowBounds({-10, -10, 20, 20}, QRect(0, 0, 80, 60), {}, QSize(250, 150)),
             QRect(0, 0, 80, 60));
  }
};

QM_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
