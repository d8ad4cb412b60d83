#pragma once
// The output pane: the Build, Debug and Find lists, tabbed at the bottom.
// Build shows the sink's build channel and Debug its run channel; the tab
// of the channel last printed to comes forward. A double-click on an error
// line asks for its place in the script; each list copies and clears its
// lines from its context menu.
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
  QListView* View(List list) const { return m_views[list]; }

  // The selected lines of a list, or all of them when none is selected,
  // go to the clipboard.
  void CopyLines(List list) const;
  void ClearLines(List list);
  // Asks for the place an error line or a found line names.
  void ActivateLine(List list, int row);
  // The Find list's new lines; its tab comes forward.
  void ShowFindResults(const QStringList& lines);

 Q_SIGNALS:
  // A script's line (from 0) and column (from 0) named by an error line.
  void locationWanted(const QString& file, int lineIndex, int column, bool runtimeError);
  // A place found by the last search, as a line (from 0) and column (from 0).
  void matchWanted(const QString& file, int lineIndex, int column);
  void hideWanted();

 private:
  void Append(int channel, const QStringList& lines);
  void FollowNewLines();
  void ShowContextMenu(List list, const QPoint& position);

  QTabWidget* m_tabs;
  std::array<COutputListModel*, 3> m_models{};
  std::array<QListView*, 3> m_views{};
  std::array<bool, 3> m_follow{};
  QTimer m_scrollTimer;
};

}  // namespace kelvra::ide
