#pragma once
// The About box.
#include <QDialog>

namespace kelvra::ide {

class CAboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDialog(QWidget* parent = nullptr);
};

}  // namespace kelvra::ide
