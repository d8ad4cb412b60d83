#include "debugger/FunctionBrowser/ClassView.h"

#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "debugger/Core/Icons.h"

namespace kelvra::ide {

namespace {

enum Role { PathRole = Qt::UserRole + 1, LineRole };

}  // namespace

CClassView::CClassView(QWidget* parent) : QWidget(parent), m_tree(new QTreeWidget(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_tree);
  m_tree->setHeaderHidden(true);
  m_tree->setUniformRowHeights(true);
  connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    const QString path = item->data(0, PathRole).toString();
    const int line = item->data(0, LineRole).toInt();
    if (!path.isEmpty() && line > 0) Q_EMIT declarationWanted(path, line);
  });
}

void CClassView::Clear() { m_tree->clear(); }

void CClassView::Fill(const std::vector<script::FunctionInfo>& functions) {
  Clear();
  auto* top = new QTreeWidgetItem(m_tree, {QStringLiteral("Function types")});
  QFont bold = top->font(0);
  bold.setBold(true);
  top->setFont(0, bold);
  top->setIcon(0, Icon(IconId::Folder));
  QTreeWidgetItem* library = nullptr;
  for (const script::FunctionInfo& function : functions) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(function.file));
    const QString fileName = path.isEmpty() ? QStringLiteral("Built-in functions") : QFileInfo(path).fileName();
    QTreeWidgetItem* fileItem = nullptr;
    for (int i = 0; i < top->childCount() && fileItem == nullptr; ++i) {
      if (top->child(i)->text(0) == fileName) fileItem = top->child(i);
    }
    if (fileItem == nullptr) {
      fileItem = new QTreeWidgetItem(top, {fileName});
      fileItem->setIcon(0, Icon(IconId::ScriptFile));
      fileItem->setToolTip(0, path);
    }
    QTreeWidgetItem* parent = function.kind == script::FunctionInfo::Kind::LibraryFunction && library != nullptr
                                  ? library
                                  : fileItem;
    auto* item = new QTreeWidgetItem(parent, {QString::fromStdString(function.text)});
    item->setIcon(0, Icon(function.kind == script::FunctionInfo::Kind::Library ? IconId::Folder : IconId::Function));
    item->setData(0, PathRole, path);
    item->setData(0, LineRole, static_cast<int>(function.line));
    if (function.kind == script::FunctionInfo::Kind::Library) library = item;
  }
  m_tree->expandAll();
}

}  // namespace kelvra::ide
