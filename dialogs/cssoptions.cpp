// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/cssoptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/colorbox.h"
#include "platform/prompts.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"
#include "platform/syntaxsettings.h"

namespace qm {

namespace {

const QString kAddCaption = QStringLiteral(" Add Browser ");
const QString kEditCaption = QStringLiteral(" Edit Browser ");

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TFrmOptions::TFrmOptions(TSettingsStore& settings, TPrompts& prompts, const TSyntaxStyles& styles,
                         QWidget* parent)
    : QDialog(parent), Settings(settings), Prompts(prompts), Styles(styles), Working(styles) {
  setWindowTitle(QStringLiteral("Options"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  Pages = new QTabWidget(this);
  Pages->addTab(CreateEditorPage(), QStringLiteral("Editor"));
  Pages->addTab(CreatePreviewPage(), QStringLiteral("Preview"));

  CmdApply = new QPushButton(QStringLiteral("&Apply"), this);
  CmdApply->setDefault(true);
  CmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  connect(CmdApply, &QPushButton::clicked, this, &TFrmOptions::CmdApplyClick);
  connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(CmdApply);
  buttons->addWidget(CmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages);
  layout->addLayout(buttons);
}

QWidget* TFrmOptions::CreateEditorPage() {
  auto* page = new QWidget;
  auto* font = new QGroupBox(QStringLiteral(" Font "), page);
  CmbFont = new QComboBox(font);
  CmbFont->setEditable(true);
  QStringList families = QFontDatabase::families();
  families.sort(Qt::CaseInsensitive);
  CmbFont->addItems(families);
  CmbSize = new QComboBox(font);
  CmbSize->setEditable(true);
  for (int size = 8; size <= 24; ++size) {
    CmbSize->addItem(QString::number(size));
  }
  TxtTabWidth = new QLineEdit(QStringLiteral("8"), font);
  TxtTabWidth->setMaxLength(2);
  TxtTabWidth->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), this));
  TxtTabWidth->setMaximumWidth(60);
  auto* fontForm = new QFormLayout(font);
  fontForm->addRow(QStringLiteral("Name:"), CmbFont);
  fontForm->addRow(QStringLiteral("Size: "), CmbSize);
  fontForm->addRow(QStringLiteral("Tab Width: "), TxtTabWidth);
  ChkCheckAsYouType = new QCheckBox(QStringLiteral("&Mark problems as you type"), page);
  ChkCheckAsYouType->setToolTip(
      QStringLiteral("Underline unknown properties, values that do not fit and unclosed blocks, "
                     "strings and comments, and list them in the Problems panel"));
  ChkRestoreSession = new QCheckBox(QStringLiteral("&Reopen the last session's documents"), page);
  ChkRestoreSession->setToolTip(
      QStringLiteral("At start, open the tabs of the last run again, in their order and with "
                     "their carets; documents with unsaved changes come back with them"));
  ChkHackWarnings = new QCheckBox(QStringLiteral("&Warn about old-browser hacks"), page);
  ChkHackWarnings->setToolTip(
      QStringLiteral("Mark *zoom, _display, \\9 and the filters only old Internet Explorer "
                     "reads as warnings that name the hack"));

  auto* coding = new QGroupBox(QStringLiteral(" Color Coding "), page);
  LstElements = new QListWidget(coding);
  for (const TTokenAttribute& attribute : TokenAttributes) {
    LstElements->addItem(Latin1(attribute.Label));
  }
  ccBold = new QCheckBox(QStringLiteral("Bold"), coding);
  ccItalic = new QCheckBox(QStringLiteral("Italic"), coding);
  ccUnderline = new QCheckBox(QStringLiteral("Underline"), coding);
  ccForeground = new TColorBox(coding);
  ccBackground = new TColorBox(coding);
  connect(LstElements, &QListWidget::currentRowChanged, this, &TFrmOptions::LstElementsClick);
  connect(ccForeground, &QComboBox::activated, this, &TFrmOptions::ccForegroundChange);
  connect(ccBackground, &QComboBox::activated, this, &TFrmOptions::ccBackgroundChange);
  connect(ccBold, &QCheckBox::toggled, this, [this](bool on) { ccStyleClick(StyleBold, on); });
  connect(ccItalic, &QCheckBox::toggled, this, [this](bool on) { ccStyleClick(StyleItalic, on); });
  connect(ccUnderline, &QCheckBox::toggled, this,
          [this](bool on) { ccStyleClick(StyleUnderline, on); });

  auto* styleBox = new QVBoxLayout;
  styleBox->addWidget(new QLabel(QStringLiteral("Style:"), coding));
  styleBox->addWidget(ccBold);
  styleBox->addWidget(ccItalic);
  styleBox->addWidget(ccUnderline);
  styleBox->addSpacing(8);
  styleBox->addWidget(new QLabel(QStringLiteral("Foreground:"), coding));
  styleBox->addWidget(ccForeground);
  styleBox->addWidget(new QLabel(QStringLiteral("Background:"), coding));
  styleBox->addWidget(ccBackground);
  styleBox->addStretch();
  auto* elementBox = new QVBoxLayout;
  elementBox->addWidget(new QLabel(QStringLiteral("Element:"), coding));
  elementBox->addWidget(LstElements);
  auto* codingLayout = new QHBoxLayout(coding);
  codingLayout->addLayout(elementBox, 1);
  codingLayout->addLayout(styleBox, 1);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(font);
  layout->addWidget(ChkCheckAsYouType);
  layout->addWidget(ChkRestoreSession);
  layout->addWidget(ChkHackWarnings);
  layout->addWidget(coding, 1);
  return page;
}

QWidget* TFrmOptions::CreatePreviewPage() {
  auto* page = new QWidget;
  LstBrowsers = new QListWidget(page);
  CmdAdd = new QPushButton(QStringLiteral("Add"), page);
  CmdEdit = new QPushButton(QStringLiteral("Edit"), page);
  CmdDelete = new QPushButton(QStringLiteral("Delete"), page);
  connect(CmdAdd, &QPushButton::clicked, this, &TFrmOptions::CmdAddClick);
  connect(CmdEdit, &QPushButton::clicked, this, &TFrmOptions::CmdEditClick);
  connect(CmdDelete, &QPushButton::clicked, this, &TFrmOptions::CmdDeleteClick);

  GrpBrowser = new QGroupBox(kAddCaption, page);
  TxtName = new QLineEdit(GrpBrowser);
  TxtPath = new QLineEdit(GrpBrowser);
  CmdBrowse = new QPushButton(QStringLiteral("..."), GrpBrowser);
  CmdBrowse->setMaximumWidth(32);
  CmdAddOk = new QPushButton(QStringLiteral("Ok"), GrpBrowser);
  CmdCancelAdd = new QPushButton(QStringLiteral("Cancel"), GrpBrowser);
  connect(CmdBrowse, &QPushButton::clicked, this, &TFrmOptions::CmdBrowseClick);
  connect(CmdAddOk, &QPushButton::clicked, this, &TFrmOptions::CmdAddOkClick);
  connect(CmdCancelAdd, &QPushButton::clicked, this, &TFrmOptions::CmdCancelAddClick);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(TxtPath);
  pathRow->addWidget(CmdBrowse);
  auto* entryButtons = new QHBoxLayout;
  entryButtons->addStretch();
  entryButtons->addWidget(CmdAddOk);
  entryButtons->addWidget(CmdCancelAdd);
  auto* entryForm = new QFormLayout(GrpBrowser);
  entryForm->addRow(QStringLiteral("Name: "), TxtName);
  entryForm->addRow(QStringLiteral("Path: "), pathRow);
  entryForm->addRow(entryButtons);
  GrpBrowser->hide();

  auto* listButtons = new QVBoxLayout;
  listButtons->addWidget(CmdAdd);
  listButtons->addWidget(CmdEdit);
  listButtons->addWidget(CmdDelete);
  listButtons->addStretch();
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(LstBrowsers, 1);
  listRow->addLayout(listButtons);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel(QStringLiteral("Available Browsers:"), page));
  layout->addLayout(listRow, 1);
  layout->addWidget(GrpBrowser);
  return page;
}

void TFrmOptions::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TFrmOptions::FormShow() {
  const QScopedValueRollback<bool> showing(Showing, true);
  // Before the first Apply nothing is stored: show what documents use then.
  CmbFont->setCurrentText(Setting::FontName.Read(Settings));
  CmbSize->setCurrentText(Setting::FontSize.ReadText(Settings));
  TxtTabWidth->setText(Setting::TabWidth.ReadText(Settings));
  ChkCheckAsYouType->setChecked(Setting::CheckAsYouType.Read(Settings) != 0);
  ChkRestoreSession->setChecked(Setting::RestoreSession.Read(Settings) != 0);
  ChkHackWarnings->setChecked(Setting::HackWarnings.Read(Settings) != 0);
  Working = Styles;
  LstElements->setCurrentRow(-1);
  ccForeground->Select(std::nullopt);
  ccBackground->Select(std::nullopt);
  for (QCheckBox* box : {ccBold, ccItalic, ccUnderline}) {
    box->setChecked(false);
  }

  LstBrowsers->clear();
  Paths.clear();
  for (const TBrowserEntry& browser : Setting::ReadBrowsers(Settings)) {
    LstBrowsers->addItem(browser.Name);
    Paths << browser.Path;
  }
  CloseEntryGroup();
}

TSyntaxStyle* TFrmOptions::SelectedStyle() {
  const int row = LstElements->currentRow();
  return row < 0 || row >= static_cast<int>(Working.size()) ? nullptr
                                                            : &Working[static_cast<size_t>(row)];
}

void TFrmOptions::LstElementsClick() {
  const TSyntaxStyle* style = SelectedStyle();
  if (style == nullptr) {
    return;
  }
  const QScopedValueRollback<bool> showing(Showing, true);
  ccForeground->Select(style->Foreground);
  ccBackground->Select(style->Background);
  ccBold->setChecked((style->Style & StyleBold) != 0);
  ccItalic->setChecked((style->Style & StyleItalic) != 0);
  ccUnderline->setChecked((style->Style & StyleUnderline) != 0);
}

void TFrmOptions::ccForegroundChange() {
  if (TSyntaxStyle* style = SelectedStyle(); style != nullptr && !Showing) {
    style->Foreground = ccForeground->Selected();
  }
}

void TFrmOptions::ccBackgroundChange() {
  if (TSyntaxStyle* style = SelectedStyle(); style != nullptr && !Showing) {
    style->Background = ccBackground->Selected();
  }
}

void TFrmOptions::ccStyleClick(int bit, bool on) {
  if (TSyntaxStyle* style = SelectedStyle(); style != nullptr && !Showing) {
    style->Style = on ? (style->Style | bit) : (style->Style & ~bit);
  }
}

QStringList TFrmOptions::BrowserNames() const {
  QStringList names;
  for (int i = 0; i < LstBrowsers->count(); ++i) {
    names << LstBrowsers->item(i)->text();
  }
  return names;
}

void TFrmOptions::CmdAddClick() {
  CmdAdd->setEnabled(false);
  GrpBrowser->setTitle(kAddCaption);
  GrpBrowser->show();
  TxtName->clear();
  TxtPath->clear();
  TxtName->setFocus();
}

void TFrmOptions::CmdEditClick() {
  const int row = LstBrowsers->currentRow();
  if (row < 0) {
    return;
  }
  CmdEdit->setEnabled(false);
  GrpBrowser->setTitle(kEditCaption);
  GrpBrowser->show();
  TxtName->setText(LstBrowsers->item(row)->text());
  TxtPath->setText(Paths.value(row));
  TxtName->setFocus();
}

void TFrmOptions::CmdBrowseClick() {
  const QString path = Prompts.OpenFileName(QStringLiteral("Executable|*.exe|All Files|*.*"));
  if (path.isEmpty()) {
    return;
  }
  TxtPath->setText(path);
  TxtName->setText(QFileInfo(path).fileName());
  CmdAddOk->setFocus();
}

void TFrmOptions::CmdAddOkClick() {
  if (GrpBrowser->title() == kEditCaption) {
    const int row = LstBrowsers->currentRow();
    if (row >= 0) {
      delete LstBrowsers->takeItem(row);
      Paths.removeAt(row);
    }
  }
  LstBrowsers->addItem(TxtName->text());
  Paths << TxtPath->text();
  LstBrowsers->setFocus();
  CloseEntryGroup();
}

void TFrmOptions::CmdCancelAddClick() {
  CloseEntryGroup();
}

void TFrmOptions::CloseEntryGroup() {
  GrpBrowser->hide();
  CmdEdit->setEnabled(true);
  UpdateAddEnabled();
}

void TFrmOptions::UpdateAddEnabled() {
  // Only ten browsers are read back, so an eleventh could never be used.
  CmdAdd->setEnabled(GrpBrowser->isHidden() && LstBrowsers->count() < Setting::MaxBrowsers);
}

void TFrmOptions::CmdDeleteClick() {
  const int row = LstBrowsers->currentRow();
  if (row < 0) {
    return;
  }
  delete LstBrowsers->takeItem(row);
  Paths.removeAt(row);
  UpdateAddEnabled();
}

void TFrmOptions::CmdApplyClick() {
  // New documents and the next start read these as numbers: refuse what they could not use.
  if (!Setting::FontSize.Accepts(CmbSize->currentText())) {
    Prompts.Message(TMessageKind::Warning,
                    QStringLiteral("The font size must be a whole number of points from %1 to %2.")
                        .arg(Setting::FontSize.Min)
                        .arg(Setting::FontSize.Max),
                    {TButton::Ok});
    CmbSize->setFocus();
    return;
  }
  if (!Setting::TabWidth.Accepts(TxtTabWidth->text())) {
    Prompts.Message(TMessageKind::Warning,
                    QStringLiteral("The tab width must be a whole number from %1 to %2.")
                        .arg(Setting::TabWidth.Min)
                        .arg(Setting::TabWidth.Max),
                    {TButton::Ok});
    TxtTabWidth->setFocus();
    return;
  }
  Setting::FontName.Write(Settings, CmbFont->currentText());
  Setting::FontSize.WriteText(Settings, CmbSize->currentText());
  Setting::TabWidth.WriteText(Settings, TxtTabWidth->text());
  Setting::CheckAsYouType.Write(Settings, ChkCheckAsYouType->isChecked() ? 1 : 0);
  Setting::RestoreSession.Write(Settings, ChkRestoreSession->isChecked() ? 1 : 0);
  Setting::HackWarnings.Write(Settings, ChkHackWarnings->isChecked() ? 1 : 0);
  std::vector<TBrowserEntry> browsers;
  for (int i = 0; i < LstBrowsers->count(); ++i) {
    browsers.push_back({LstBrowsers->item(i)->text(), Paths.value(i)});
  }
  Setting::WriteBrowsers(Settings, browsers);
  Styles = Working;
  SaveSyntaxStyles(Settings, Styles);
  Settings.Flush();
  accept();
  emit Applied({Setting::FontName.Read(Settings), Setting::FontSize.Read(Settings),
                Setting::TabWidth.Read(Settings), Setting::CheckAsYouType.Read(Settings) != 0,
                Setting::HackWarnings.Read(Settings) != 0, Styles});
}

}  // namespace qm
