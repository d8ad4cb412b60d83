#pragma once
// The properties of a file or folder: its path, size and times.
#include <QDialog>

namespace kelvra::ide {

class CPropertiesDialog final : public QDialog {
  Q_OBJECT

 public:
  CPropertiesDialog(const QString& path, QWidget* parent = nullptr);
};

}  // namespace kelvra::ide
