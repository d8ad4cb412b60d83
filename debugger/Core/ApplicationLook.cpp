#include "debugger/Core/ApplicationLook.h"

#include <QApplication>
#include <QPalette>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>

namespace kelvra::ide {

namespace {

const QString kKey = QStringLiteral("ApplicationLook");
const QString kPaletteStyle = QStringLiteral("Fusion");

QPalette DarkPalette() {
  QPalette palette;
  const QColor window(45, 45, 48);
  const QColor base(30, 30, 30);
  const QColor text(220, 220, 220);
  const QColor disabled(120, 120, 120);
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::AlternateBase, window);
  palette.setColor(QPalette::ToolTipBase, window);
  palette.setColor(QPalette::ToolTipText, text);
  palette.setColor(QPalette::PlaceholderText, disabled);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Button, window);
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::BrightText, Qt::red);
  palette.setColor(QPalette::Link, QColor(86, 156, 214));
  palette.setColor(QPalette::Highlight, QColor(38, 79, 120));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Light, QColor(70, 70, 74));
  palette.setColor(QPalette::Midlight, QColor(60, 60, 64));
  palette.setColor(QPalette::Mid, QColor(40, 40, 42));
  palette.setColor(QPalette::Dark, QColor(25, 25, 26));
  palette.setColor(QPalette::Shadow, Qt::black);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, disabled);
  }
  return palette;
}

// The style chosen by the platform before any look was applied.
const QString& PlatformStyle() {
  static const QString name = QApplication::style()->name();
  return name;
}

}  // namespace

QStringList CApplicationLook::Looks() {
  QStringList looks = QStyleFactory::keys();
  looks << kLight << kDark;
  return looks;
}

QString CApplicationLook::Stored(const QSettings& settings) {
  const QString look = settings.value(kKey).toString();
  return Looks().contains(look, Qt::CaseInsensitive) ? look : PlatformStyle();
}

void CApplicationLook::Store(QSettings& settings, const QString& look) { settings.setValue(kKey, look); }

void CApplicationLook::Apply(const QString& look) {
  PlatformStyle();
  const bool palette = look == kLight || look == kDark;
  QStyle* style = QStyleFactory::create(palette ? kPaletteStyle : look);
  if (style == nullptr) return;
  QApplication::setStyle(style);
  QApplication::setPalette(look == kDark ? DarkPalette() : style->standardPalette());
}

}  // namespace kelvra::ide
