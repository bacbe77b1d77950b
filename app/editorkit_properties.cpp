// SPDX-License-Identifier: GPL-3.0-or-later
// Following a custom property: to the definition that applies at the caret, to every place it
// is named, and to a new name given at every one of them in one step of Undo.
#include <QDockWidget>

#include "app/editorkit.h"
#include "app/opendocument.h"
#include "app/placespanel.h"
#include "dialogs/renamedialog.h"
#include "model/assist/customproperties.h"
#include "platform/prompts.h"

namespace qm {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The custom property at the caret of document and the sheet's custom properties.
struct TAtCaret {
  TCustomProperties Properties;
  std::string Name;
};

TAtCaret AtCaret(const TOpenDocument& document) {
  const TCssEditor& editor = *document.Editor();
  TAtCaret found{FindCustomProperties(editor, document.Blocks()), {}};
  found.Name = CustomPropertyNameAt(found.Properties, editor.Caret());
  return found;
}

}  // namespace

void TEditorKit::acGoToDefinitionExecute() {
  TOpenDocument* document = Document();
  if (document == nullptr) {
    return;
  }
  TCssEditor& editor = *document->Editor();
  const TAtCaret at = AtCaret(*document);
  if (at.Name.empty()) {
    Prompts.Message(TMessageKind::Information,
                    QStringLiteral("There is no custom property at the caret."), {TButton::Ok});
    return;
  }
  const std::vector<int32_t> applying =
      ApplyingDefinitions(editor, document->Blocks(), at.Properties, at.Name, editor.Caret());
  if (applying.empty()) {
    Prompts.Message(TMessageKind::Information,
                    FromUtf8(at.Name) + QStringLiteral(" is not defined in this sheet."),
                    {TButton::Ok});
    return;
  }
  if (applying.size() == 1) {
    const TCustomPropertyDefinition& definition =
        at.Properties.Definitions[static_cast<size_t>(applying.front())];
    editor.SetSelection(definition.NameStart, definition.NameEnd);
    return;
  }
  // Several rules set it and none of them is around the caret: the user chooses.
  std::vector<TPlace> places;
  for (const int32_t index : applying) {
    const TCustomPropertyDefinition& definition =
        at.Properties.Definitions[static_cast<size_t>(index)];
    places.push_back({definition.NameStart, definition.NameEnd});
  }
  const QString heading = QStringLiteral("Definitions of %1: %2")
                              .arg(FromUtf8(at.Name))
                              .arg(static_cast<int>(places.size()));
  PlacesPanel->Show(heading, *document, std::move(places));
  dxPlaces->show();
  dxPlaces->raise();
  PlacesPanel->List()->setFocus();
}

void TEditorKit::acFindUsesExecute() {
  TOpenDocument* document = Document();
  if (document == nullptr) {
    return;
  }
  const TAtCaret at = AtCaret(*document);
  if (at.Name.empty()) {
    Prompts.Message(TMessageKind::Information,
                    QStringLiteral("There is no custom property at the caret."), {TButton::Ok});
    return;
  }
  std::vector<TPlace> places;
  for (const TCustomPropertyDefinition& definition : at.Properties.Definitions) {
    if (definition.Name == at.Name) {
      places.push_back({definition.NameStart, definition.NameEnd});
    }
  }
  for (const TCustomPropertyUse& use : at.Properties.Uses) {
    if (use.Name == at.Name) {
      places.push_back({use.NameStart, use.NameEnd});
    }
  }
  for (const TCustomPropertyName& registration : at.Properties.Registrations) {
    if (registration.Name == at.Name) {
      places.push_back({registration.NameStart, registration.NameEnd});
    }
  }
  std::sort(places.begin(), places.end(),
            [](const TPlace& a, const TPlace& b) { return a.Start < b.Start; });
  const QString heading =
      QStringLiteral("Uses of %1: %2").arg(FromUtf8(at.Name)).arg(static_cast<int>(places.size()));
  PlacesPanel->Show(heading, *document, std::move(places));
  dxPlaces->show();
  dxPlaces->raise();
}

void TEditorKit::acRenameExecute() {
  TOpenDocument* document = Document();
  if (document == nullptr) {
    return;
  }
  const TAtCaret at = AtCaret(*document);
  if (at.Name.empty()) {
    Prompts.Message(TMessageKind::Information,
                    QStringLiteral("There is no custom property at the caret."), {TButton::Ok});
    return;
  }
  TRenameDialog dialog(FromUtf8(at.Name), &Window);
  if (!Prompts.RunDialog(dialog)) {
    return;
  }
  const std::string to = dialog.NewName().toStdString();
  TCssEditor& editor = *document->Editor();
  const TRenamePlan plan =
      PlanCustomPropertyRename(editor, at.Properties, at.Name, to, editor.Caret());
  if (!plan.Refusal.empty()) {
    Prompts.Message(TMessageKind::Warning, FromUtf8(plan.Refusal), {TButton::Ok});
    return;
  }
  if (!plan.Batch.Empty()) {
    TOpenDocument::TEditScope scope(*document);
    scope.Apply(plan.Batch);
  }
}

}  // namespace qm
