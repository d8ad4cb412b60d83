#include "debugger/DebugPane/Tabs.h"

#include <QPainter>
#include <QTabBar>

namespace kelvra::ide {

namespace {

// The tint multiplies the tab's own drawing: a light tab takes the tint's
// colour and the label stays dark, whatever the style.
class CTintedTabBar final : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QTabBar::paintEvent(event);
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    for (int i = 0; i < count(); ++i) {
      const QColor tint = tabData(i).value<QColor>();
      if (tint.isValid()) painter.fillRect(tabRect(i).adjusted(1, 1, -1, -1), tint);
    }
  }
};

}  // namespace

CTabs::CTabs(QWidget* parent) : QTabWidget(parent) {
  setTabBar(new CTintedTabBar(this));
  setTabPosition(QTabWidget::South);
  setDocumentMode(true);
  tabBar()->setSelectionBehaviorOnRemove(QTabBar::SelectLeftTab);
}

void CTabs::SetTabTint(int index, const QColor& tint) {
  tabBar()->setTabData(index, tint.isValid() ? QVariant(tint) : QVariant());
  tabBar()->update(tabBar()->tabRect(index));
}

QColor CTabs::TabTint(int index) const { return tabBar()->tabData(index).value<QColor>(); }

int CTabs::IndexOfLabel(const QString& label) const {
  for (int i = 0; i < count(); ++i) {
    if (tabText(i) == label) return i;
  }
  return -1;
}

}  // namespace kelvra::ide
