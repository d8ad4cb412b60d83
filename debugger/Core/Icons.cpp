#include "debugger/Core/Icons.h"

#include <QDir>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStandardPaths>

#include "debugger/Core/IconPainter.h"

namespace kelvra::ide {

namespace {

// Paints the icon at the size asked, so it stays sharp on high-DPI screens.
class CPaintedIconEngine final : public QIconEngine {
 public:
  explicit CPaintedIconEngine(IconId id) : m_id(id) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / 16.0, rect.height() / 16.0);
    if (mode == QIcon::Disabled) painter->setOpacity(0.35);
    PaintIcon(m_id, *painter);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    const QSize device = size * scale;
    QPixmap pixmap(device);
    pixmap.fill(Qt::transparent);
    {
      QPainter painter(&pixmap);
      paint(&painter, QRect(QPoint(0, 0), device), mode, state);
    }
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
  }

  QIconEngine* clone() const override { return new CPaintedIconEngine(m_id); }

 private:
  IconId m_id;
};

struct ThemeName {
  IconId id;
  const char* name;
};

// Standard icon names; the debug commands take the names some themes give them.
constexpr ThemeName kThemeNames[] = {
    {IconId::New, "document-new"},
    {IconId::Open, "document-open"},
    {IconId::Save, "document-save"},
    {IconId::Cut, "edit-cut"},
    {IconId::Copy, "edit-copy"},
    {IconId::Paste, "edit-paste"},
    {IconId::Print, "document-print"},
    {IconId::About, "help-about"},
    {IconId::Run, "debug-run"},
    {IconId::StepIn, "debug-step-into"},
    {IconId::StepOver, "debug-step-over"},
    {IconId::StepOut, "debug-step-out"},
    {IconId::Computer, "computer"},
    {IconId::Drive, "drive-harddisk"},
    {IconId::NetworkDrive, "folder-remote"},
    {IconId::OtherDrive, "drive-removable-media"},
    {IconId::Home, "user-home"},
    {IconId::Folder, "folder"},
};

}  // namespace

QIcon BundledIcon(IconId id) { return QIcon(new CPaintedIconEngine(id)); }

QIcon Icon(IconId id) {
  for (const ThemeName& entry : kThemeNames) {
    if (entry.id == id) return QIcon::fromTheme(QString::fromLatin1(entry.name), BundledIcon(id));
  }
  return BundledIcon(id);
}

void ChooseIconTheme() {
  const QString theme = QIcon::themeName();
  if (!theme.isEmpty() && theme != QLatin1String("hicolor")) return;
  for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    if (QFileInfo::exists(QDir(folder).filePath(QStringLiteral("icons/Adwaita/index.theme")))) {
      QIcon::setThemeName(QStringLiteral("Adwaita"));
      return;
    }
  }
}

}  // namespace kelvra::ide
