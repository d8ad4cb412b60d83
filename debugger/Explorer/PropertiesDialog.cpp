#include "debugger/Explorer/PropertiesDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "debugger/Explorer/TreeNode.h"

namespace kelvra::ide {

namespace {

QString KindOf(const QFileInfo& info) {
  if (info.isDir()) return QStringLiteral("Folder");
  switch (ClassifyScriptFile(info.fileName().toStdString())) {
    case 1:
      return QStringLiteral("Kelvra script");
    case 2:
      return QStringLiteral("Compiled Kelvra script");
    default:
      return QStringLiteral("File");
  }
}

QString TimeText(const QDateTime& time) {
  return time.isValid() ? QLocale().toString(time, QLocale::LongFormat) : QStringLiteral("unknown");
}

// "12.3 KiB (12,591 bytes)", or "468 bytes".
QString SizeText(qint64 bytes) {
  const QString exact = QStringLiteral("%1 bytes").arg(QLocale().toString(bytes));
  const QString rounded = QLocale().formattedDataSize(bytes);
  return rounded == exact ? exact : QStringLiteral("%1 (%2)").arg(rounded, exact);
}

QLabel* Value(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

CPropertiesDialog::CPropertiesDialog(const QString& path, QWidget* parent) : QDialog(parent) {
  const QFileInfo info(path);
  setWindowTitle(QStringLiteral("%1 Properties").arg(info.fileName().isEmpty() ? path : info.fileName()));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Name:"), Value(info.fileName().isEmpty() ? path : info.fileName()));
  form->addRow(QStringLiteral("Type:"), Value(KindOf(info)));
  form->addRow(QStringLiteral("Location:"), Value(info.absolutePath()));
  if (!info.isDir()) form->addRow(QStringLiteral("Size:"), Value(SizeText(info.size())));
  form->addRow(QStringLiteral("Created:"), Value(TimeText(info.birthTime())));
  form->addRow(QStringLiteral("Modified:"), Value(TimeText(info.lastModified())));
  form->addRow(QStringLiteral("Accessed:"), Value(TimeText(info.lastRead())));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

}  // namespace kelvra::ide
