#pragma once
// The visual styles: every Qt style the system offers, plus a light and a
// dark palette, remembered from one start to the next.
#include <QString>
#include <QStringList>

class QSettings;

namespace kelvra::ide {

class CApplicationLook {
 public:
  static inline const QString kLight = QStringLiteral("Light");
  static inline const QString kDark = QStringLiteral("Dark");

  // The looks to offer, in menu order.
  static QStringList Looks();
  // The stored look, or the style the platform chose.
  static QString Stored(const QSettings& settings);
  static void Store(QSettings& settings, const QString& look);
  // Sets the application's style and palette.
  static void Apply(const QString& look);
};

}  // namespace kelvra::ide
