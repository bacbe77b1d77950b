// SPDX-License-Identifier: GPL-3.0-or-later
// The Quick Info panel: what a property is, and whether Internet Explorer 5, Netscape 6 and
// Opera 5 support it, or, for current CSS, which versions of today's browsers do.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace qm {

class TInspectorItem;

class TQuickInfoPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TQuickInfoPanel(QWidget* parent = nullptr);

  // Describes the property of item, or says that there is nothing to tell when item is none
  // (the support pictures then keep what they showed). With a value, a line tells what the
  // rule named rule gives the property.
  void ShowProperty(const TInspectorItem* item, const QString& rule = {},
                    const QString& value = {});

  // The support strip of a level: the pictures of the three old browsers when browsers is
  // empty, else the names of the level's own browsers, whose versions a described property shows.
  void ShowBrowsers(const std::vector<std::string>& browsers);

  enum class TSupport { Unknown, Supported, NotSupported };
  // The picture of browser n: 1 Internet Explorer 5, 2 Netscape 6, 3 Opera 5.
  TSupport Support(int n) const;
  QPlainTextEdit* Info() const { return TxtInfo; }
  // The browser versions of a property of current CSS, as the support strip shows them.
  QLabel* Versions() const { return TxtVersions; }

 private:
  QPlainTextEdit* TxtInfo = nullptr;
  QWidget* TxtSupport = nullptr;
  QLabel* ImgS[3] = {};
  QLabel* ImgCaption[3] = {};
  QLabel* TxtVersions = nullptr;
  TSupport Shown[3] = {TSupport::Unknown, TSupport::Unknown, TSupport::Unknown};
  QPixmap ImgSupported;
  QPixmap ImgNotSupported;
};

}  // namespace qm
