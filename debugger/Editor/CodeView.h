#pragma once
// The text widget of the plain script editor with its left margin.
#include <QPlainTextEdit>
#include <functional>
#include <vector>

#include "debugger/Editor/ScriptEditor.h"

namespace kelvra::ide {

struct CMarginMark {
  int line;  // from 0
  bool confirmed;
};

class CCodeView final : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CCodeView(QWidget* parent = nullptr);

  void SetMarks(std::vector<CMarginMark> marks);
  void SetCurrentLine(LineMarker kind, int line);
  LineMarker CurrentMarker() const { return m_markerKind; }
  int CurrentLine() const { return m_markerLine; }
  // Called with the line (from 0) of a click in the margin.
  void OnMarginClicked(std::function<void(int line)> handler) { m_marginClicked = std::move(handler); }

  int MarginWidth() const;
  void PaintMargin(QPaintEvent* event);
  void ClickMargin(const QPoint& position);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;

 private:
  void UpdateMargin(const QRect& rect, int dy);

  QWidget* m_margin;
  std::vector<CMarginMark> m_marks;
  LineMarker m_markerKind = LineMarker::None;
  int m_markerLine = 0;
  std::function<void(int)> m_marginClicked;
};

}  // namespace kelvra::ide
