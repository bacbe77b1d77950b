// SPDX-License-Identifier: GPL-3.0-or-later
// Every value the program keeps in its settings store, each name and default defined here once.
// Readers get the default when a value is missing or unusable, so a damaged store never stops them.
#pragma once

#include <QString>
#include <climits>
#include <vector>

#include "platform/windowbounds.h"

namespace qm {

class TSettingsStore;

// An integer stored as a number (a DWORD in the registry).
struct TIntegerSetting {
  const char* Name;
  int Default;
  int Min = INT_MIN;
  int Max = INT_MAX;

  QString Key() const { return QLatin1String(Name); }
  // The stored value, or Default when it is missing, not a number or outside Min..Max.
  int Read(const TSettingsStore& store) const;
  void Write(TSettingsStore& store, int value) const;
};

// A string; an empty one counts as missing.
struct TStringSetting {
  const char* Name;
  const char* Default;

  QString Key() const { return QLatin1String(Name); }
  QString Read(const TSettingsStore& store) const;
  void Write(TSettingsStore& store, const QString& value) const;
};

// A number the user types, stored as text exactly as typed (a string in the registry).
struct TNumberTextSetting {
  const char* Name;
  int Default;
  int Min;
  int Max;

  QString Key() const { return QLatin1String(Name); }
  // Whether text is a whole number in Min..Max, the only values readers use.
  bool Accepts(const QString& text) const;
  // The stored number, or Default when the text is missing or not accepted.
  int Read(const TSettingsStore& store) const;
  // The stored text as it is, or Default's digits when it is missing.
  QString ReadText(const TSettingsStore& store) const;
  void WriteText(TSettingsStore& store, const QString& text) const;
};

// Values numbered from 1: "File1", "File2", ...
struct TNumberedSetting {
  const char* Prefix;
  const char* Suffix = "";

  QString Key(int number) const;
};

struct TBrowserEntry {
  QString Name;
  QString Path;  // the executable, or "ieLocation"

  friend bool operator==(const TBrowserEntry&, const TBrowserEntry&) = default;
};

namespace Setting {

// The main window, written at shut-down; the defaults are the window of a first start.
inline constexpr TIntegerSetting Left{"Left", 219};
inline constexpr TIntegerSetting Top{"Top", 38};
inline constexpr TIntegerSetting Width{"Width", 659};
inline constexpr TIntegerSetting Height{"Height", 590};
// 1 when the window was maximised; Left to Height then keep its size before that.
inline constexpr TIntegerSetting Maximized{"Maximized", 0, 0, 1};
// The Properties panel's CSS level: 0 for CSS1, 1 for CSS2, 2 for current CSS (where a new user
// starts).
inline constexpr TIntegerSetting CurrentCss{"CurrentCss", 2, 0, 2};
inline constexpr TIntegerSetting ActiveVisualTab{"ActiveVisualTab", 0, 0, 0};

// The editor, as the Options dialog stores it.
inline constexpr TStringSetting FontName{"FontName", "Courier New"};
inline constexpr TNumberTextSetting FontSize{"FontSize", 10, 6, 72};
inline constexpr TNumberTextSetting TabWidth{"TabWidth", 8, 1, 99};
// How far every editor's text is zoomed, in steps of one point from the font's size.
inline constexpr TIntegerSetting Zoom{"Zoom", 0, -10, 20};
// 1 while long lines wrap at the editor's width.
inline constexpr TIntegerSetting WordWrap{"WordWrap", 0, 0, 1};
// 1 while the editor marks the problems of the text as it is typed.
inline constexpr TIntegerSetting CheckAsYouType{"CheckAsYouType", 1, 0, 1};
// 1 while a start reopens the documents of the last run, unsaved changes included.
inline constexpr TIntegerSetting RestoreSession{"RestoreSession", 1, 0, 1};
// 1 while the check warns about the hacks only old Internet Explorer reads (*zoom, \9...).
inline constexpr TIntegerSetting HackWarnings{"HackWarnings", 1, 0, 1};

// External browsers: "Browser1a" names the first, "Browser1b" is its executable.
inline constexpr TNumberedSetting BrowserName{"Browser", "a"};
inline constexpr TNumberedSetting BrowserPath{"Browser", "b"};
// Only so many browsers are read back; readers stop at the first one without a name.
inline constexpr int MaxBrowsers = 10;

// The preview panel's list of pages, and the recent-files menu ("recent1" is the newest).
inline constexpr TNumberedSetting PreviewFile{"File"};
// 1 while the Preview panel shows every change of the sheet as it is made, 0 for Refresh only.
inline constexpr TIntegerSetting LivePreview{"LivePreview", 1, 0, 1};
inline constexpr TNumberedSetting RecentFile{"recent"};

// The addresses the program points its users to.
inline constexpr TStringSetting HomePage{"HomePage", "https://quillmere.org/"};
inline constexpr TStringSetting FeedbackMail{"FeedbackMail", "feedback@quillmere.org"};
inline constexpr TStringSetting W3CSite{"W3CSite", "https://www.w3.org"};
// Where style sheets are sent for validation (a local copy of the service can stand in), and how
// many seconds without a sign from it end the attempt.
inline constexpr TStringSetting ValidatorUrl{"ValidatorUrl",
                                             "https://jigsaw.w3.org/css-validator/validator"};
inline constexpr TIntegerSetting ValidatorTimeout{"ValidatorTimeout", 60, 1, 3600};

TWindowBounds ReadWindowBounds(const TSettingsStore& store);
void WriteWindowBounds(TSettingsStore& store, const TWindowBounds& bounds);

std::vector<TBrowserEntry> ReadBrowsers(const TSettingsStore& store);
// Replaces the stored list: the first MaxBrowsers slots are cleared, then every entry written.
void WriteBrowsers(TSettingsStore& store, const std::vector<TBrowserEntry>& browsers);

}  // namespace Setting

}  // namespace qm
