#pragma once
// The output pane: the Build, Debug and Find lists, tabbed at the bottom.
// Build shows the sink's build channel and Debug its run channel; the tab
// of the channel last printed to comes forward.
#include <QTimer>
#include <QWidget>
#include <array>

class QListView;
class QTabWidget;

namespace kelvra::ide {

class COutputListModel;
class COutputSink;

class COutputWnd final : public QWidget {
  Q_OBJECT

 public:
  enum List { BuildList = 0, DebugList = 1, FindList = 2 };

  explicit COutputWnd(COutputSink& sink, QWidget* parent = nullptr);

  COutputListModel& Model(List list) const { return *m_models[list]; }
  List CurrentList() const;

 private:
  void Append(int channel, const QStringList& lines);
  void FollowNewLines();

  QTabWidget* m_tabs;
  std::array<COutputListModel*, 3> m_models{};
  std::array<QListView*, 3> m_views{};
  std::array<bool, 3> m_follow{};
  QTimer m_scrollTimer;
};

}  // namespace kelvra::ide
