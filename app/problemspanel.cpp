// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/problemspanel.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "app/documentcheck.h"
#include "app/opendocument.h"

namespace qm {

// The rows of the panel: one per problem, as the last check found them.
class TProblemsModel : public QAbstractTableModel {
 public:
  struct TRow {
    int32_t Line = 1;
    int32_t Column = 1;
    int32_t Start = 0;
    bool Error = true;
    QString Message;
  };
  enum TColumn { Line, Column, Severity, Message, Columns };

  using QAbstractTableModel::QAbstractTableModel;

  void SetRows(std::vector<TRow> rows) {
    beginResetModel();
    Rows = std::move(rows);
    endResetModel();
  }
  const TRow& Row(int row) const { return Rows.at(static_cast<size_t>(row)); }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(Rows.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : Columns;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= static_cast<int>(Rows.size())) {
      return {};
    }
    const TRow& row = Rows[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) {
      switch (index.column()) {
        case Line:
          return row.Line;
        case Column:
          return row.Column;
        case Severity:
          return row.Error ? QStringLiteral("Error") : QStringLiteral("Warning");
        default:
          return row.Message;
      }
    }
    if (role == Qt::DecorationRole && index.column() == Severity) {
      static const QIcon error = QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
      static const QIcon warning =
          QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
      return row.Error ? error : warning;
    }
    if (role == Qt::ToolTipRole && index.column() == Message) {
      return row.Message;
    }
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
      return {};
    }
    switch (section) {
      case Line:
        return QStringLiteral("Line");
      case Column:
        return QStringLiteral("Column");
      case Severity:
        return QStringLiteral("Severity");
      default:
        return QStringLiteral("Message");
    }
  }

 private:
  std::vector<TRow> Rows;
};

TProblemsPanel::TProblemsPanel(QWidget* parent) : QWidget(parent) {
  Model = new TProblemsModel(this);
  LstProblems = new QTreeView(this);
  LstProblems->setObjectName(QStringLiteral("LstProblems"));
  LstProblems->setAccessibleName(QStringLiteral("Problems"));
  LstProblems->setModel(Model);
  LstProblems->setRootIsDecorated(false);
  LstProblems->setUniformRowHeights(true);
  LstProblems->setAlternatingRowColors(true);
  LstProblems->setSelectionBehavior(QAbstractItemView::SelectRows);
  LstProblems->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LstProblems->header()->setStretchLastSection(true);
  LstProblems->header()->setSectionResizeMode(QHeaderView::Interactive);
  // The numbers and the word narrow, so that the message starts early.
  const QFontMetrics metrics(LstProblems->font());
  LstProblems->setColumnWidth(TProblemsModel::Line,
                              metrics.horizontalAdvance(QStringLiteral("Line")) + 24);
  LstProblems->setColumnWidth(TProblemsModel::Column,
                              metrics.horizontalAdvance(QStringLiteral("Column")) + 16);
  LstProblems->setColumnWidth(TProblemsModel::Severity,
                              metrics.horizontalAdvance(QStringLiteral("Warning")) + 40);
  // A double-click or Enter.
  connect(LstProblems, &QTreeView::activated, this,
          [this](const QModelIndex& index) { GoTo(index.row()); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(LstProblems);
}

TProblemsPanel::~TProblemsPanel() = default;

void TProblemsPanel::SetDocument(TOpenDocument* document) {
  if (Document == document) {
    return;
  }
  if (Document != nullptr) {
    disconnect(Document, nullptr, this, nullptr);
    disconnect(&Document->Check(), nullptr, this, nullptr);
    Document->Check().SetInFront(false);
  }
  Document = document;
  if (document != nullptr) {
    connect(&document->Check(), &TDocumentCheck::ProblemsChanged, this,
            &TProblemsPanel::ShowProblems);
    document->Check().SetInFront(true);
  }
  ShowProblems();
}

void TProblemsPanel::ShowProblems() {
  std::vector<TProblemsModel::TRow> rows;
  if (Document != nullptr && Document->Check().Enabled()) {
    const TDocumentCheck& check = Document->Check();
    // Shown where the check found them; the text may have moved on since.
    for (size_t k = 0; k < check.Problems().size(); ++k) {
      const TProblemSpan& problem = check.Problems()[k];
      const TLineCol at = check.Places().at(k);
      rows.push_back({at.Line, at.Col, problem.Start, problem.Severity == TSeverity::Error,
                      QString::fromStdString(problem.Message)});
    }
  }
  Model->SetRows(std::move(rows));
  emit Shown();
}

QStringList TProblemsPanel::Rows() const {
  QStringList rows;
  for (int row = 0; row < Model->rowCount({}); ++row) {
    const TProblemsModel::TRow& one = Model->Row(row);
    rows << QStringLiteral("%1:%2: %3: %4")
                .arg(one.Line)
                .arg(one.Column)
                .arg(one.Error ? QStringLiteral("error") : QStringLiteral("warning"), one.Message);
  }
  return rows;
}

void TProblemsPanel::GoTo(int row) {
  if (Document == nullptr || row < 0 || row >= Model->rowCount({})) {
    return;
  }
  TCssEditor* editor = Document->Editor();
  const int32_t length = static_cast<int32_t>(editor->Text().size());
  editor->SetCaret(std::min(Model->Row(row).Start, length));
  editor->setFocus();
}

QString TProblemsPanel::ProblemAtCaret(const TOpenDocument& document) {
  const int32_t caret = document.Editor()->Caret();
  // The caret right after a misspelt word is still on it.
  const TProblemSpan* problem = document.ProblemAt(caret);
  if (problem == nullptr && caret > 0) {
    problem = document.ProblemAt(caret - 1);
  }
  if (problem == nullptr) {
    return {};
  }
  return (problem->Severity == TSeverity::Error ? QStringLiteral("Error: ")
                                                : QStringLiteral("Warning: ")) +
         QString::fromStdString(problem->Message);
}

}  // namespace qm
