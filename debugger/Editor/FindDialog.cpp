#include "debugger/Editor/FindDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvra::ide {

CFindDialog::CFindDialog(QWidget* parent)
    : QDialog(parent),
      m_text(new QLineEdit(this)),
      m_matchCase(new QCheckBox(QStringLiteral("Match &case"), this)),
      m_wholeWord(new QCheckBox(QStringLiteral("Match &whole word only"), this)),
      m_next(new QPushButton(QStringLiteral("Find &Next"), this)),
      m_previous(new QPushButton(QStringLiteral("Find &Previous"), this)) {
  setWindowTitle(QStringLiteral("Find"));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Fi&nd what:"), m_text);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(m_next, QDialogButtonBox::ActionRole);
  buttons->addButton(m_previous, QDialogButtonBox::ActionRole);
  buttons->addButton(QDialogButtonBox::Close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(m_matchCase);
  layout->addWidget(m_wholeWord);
  layout->addWidget(buttons);
  m_next->setDefault(true);

  auto enable = [this] {
    m_next->setEnabled(!m_text->text().isEmpty());
    m_previous->setEnabled(!m_text->text().isEmpty());
  };
  connect(m_text, &QLineEdit::textChanged, this, enable);
  enable();
  connect(m_next, &QPushButton::clicked, this, [this] { Q_EMIT findRequested(Request(), true); });
  connect(m_previous, &QPushButton::clicked, this, [this] { Q_EMIT findRequested(Request(), false); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
}

CFindRequest CFindDialog::Request() const {
  return CFindRequest{m_text->text(), m_matchCase->isChecked(), m_wholeWord->isChecked()};
}

void CFindDialog::Start(const QString& text) {
  if (!text.isEmpty()) m_text->setText(text);
  m_text->selectAll();
  m_text->setFocus();
  show();
  raise();
  activateWindow();
}

}  // namespace kelvra::ide
