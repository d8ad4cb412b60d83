#include "debugger/App/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "debugger/Core/ApplicationInfo.h"
#include "debugger/Core/Icons.h"

namespace kelvra::ide {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About ") + kApplicationTitle);
  auto* icon = new QLabel;
  icon->setPixmap(Icon(IconId::Application).pixmap(QSize(48, 48)));
  icon->setAlignment(Qt::AlignTop);
  auto* name = new QLabel(QStringLiteral("Kelvra Script Debugger"));
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  auto* version = new QPlainTextEdit(kBuildStamp + QLatin1Char('\n') + kVersion + QStringLiteral("\n(Beta)"));
  version->setReadOnly(true);
  version->setFixedHeight(version->fontMetrics().lineSpacing() * 4);
  auto* text = new QVBoxLayout;
  text->addWidget(name);
  text->addWidget(version);
  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  body->addLayout(text, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  setMinimumWidth(360);
}

}  // namespace kelvra::ide
