#include "debugger/Editor/CodeView.h"

#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>

namespace kelvra::ide {

namespace {

constexpr int kMarkWidth = 20;
constexpr int kNumberPadding = 6;

// The margin widget: all painting and clicks are the view's.
class CMargin final : public QWidget {
 public:
  explicit CMargin(CCodeView& view) : QWidget(&view), m_view(view) { setCursor(Qt::PointingHandCursor); }
  QSize sizeHint() const override { return {m_view.MarginWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { m_view.PaintMargin(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { m_view.ClickMargin(event->position().toPoint()); }

 private:
  CCodeView& m_view;
};

QColor MarkerColour(LineMarker kind) {
  switch (kind) {
    case LineMarker::CompileError:
      return QColor(150, 0, 0);
    case LineMarker::RuntimeError:
      return QColor(255, 140, 0);
    case LineMarker::BreakpointLocation:
      return QColor(0, 160, 0);
    case LineMarker::FunctionDefinition:
      return QColor(220, 0, 220);
    default:
      return QColor(30, 90, 220);
  }
}

void PaintArrow(QPainter& painter, const QRectF& box, const QColor& colour) {
  const qreal h = box.height();
  QPainterPath arrow;
  const qreal mid = box.center().y();
  arrow.moveTo(box.left() + 2, mid - h * 0.18);
  arrow.lineTo(box.left() + box.width() * 0.5, mid - h * 0.18);
  arrow.lineTo(box.left() + box.width() * 0.5, mid - h * 0.38);
  arrow.lineTo(box.right() - 1, mid);
  arrow.lineTo(box.left() + box.width() * 0.5, mid + h * 0.38);
  arrow.lineTo(box.left() + box.width() * 0.5, mid + h * 0.18);
  arrow.lineTo(box.left() + 2, mid + h * 0.18);
  arrow.closeSubpath();
  // A light rim keeps the arrow readable over a breakpoint's circle.
  painter.setPen(QPen(QColor(255, 255, 255, 230), 1.5));
  painter.setBrush(colour);
  painter.drawPath(arrow);
}

void PaintBreakpoint(QPainter& painter, const QRectF& box, bool confirmed) {
  const qreal radius = std::min(box.width(), box.height()) * 0.36;
  const QColor red(200, 30, 30);
  painter.setPen(QPen(red.darker(130), 1.2));
  painter.setBrush(confirmed ? QBrush(red) : QBrush(Qt::white));
  painter.drawEllipse(box.center(), radius, radius);
}

}  // namespace

CCodeView::CCodeView(QWidget* parent) : QPlainTextEdit(parent), m_margin(new CMargin(*this)) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  setFont(font);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 4);
  connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(MarginWidth(), 0, 0, 0); });
  connect(this, &QPlainTextEdit::updateRequest, this, &CCodeView::UpdateMargin);
  setViewportMargins(MarginWidth(), 0, 0, 0);
}

void CCodeView::SetMarks(std::vector<CMarginMark> marks) {
  m_marks = std::move(marks);
  m_margin->update();
}

void CCodeView::SetCurrentLine(LineMarker kind, int line) {
  m_markerKind = kind;
  m_markerLine = line;
  m_margin->update();
}

int CCodeView::MarginWidth() const {
  const int digits = QString::number(std::max(1, blockCount())).size();
  return kMarkWidth + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3) + kNumberPadding;
}

void CCodeView::UpdateMargin(const QRect& rect, int dy) {
  if (dy != 0) {
    m_margin->scroll(0, dy);
  } else {
    m_margin->update(0, rect.y(), m_margin->width(), rect.height());
  }
}

void CCodeView::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  const QRect contents = contentsRect();
  m_margin->setGeometry(QRect(contents.left(), contents.top(), MarginWidth(), contents.height()));
}

void CCodeView::PaintMargin(QPaintEvent* event) {
  QPainter painter(m_margin);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  painter.setRenderHint(QPainter::Antialiasing);
  const int numberRight = m_margin->width() - kNumberPadding / 2;
  QTextBlock block = firstVisibleBlock();
  auto top = blockBoundingGeometry(block).translated(contentOffset()).top();
  while (block.isValid() && top <= event->rect().bottom()) {
    const qreal height = blockBoundingRect(block).height();
    const int line = block.blockNumber();
    const QRectF markBox(1, top, kMarkWidth - 2, height);
    for (const CMarginMark& mark : m_marks) {
      if (mark.line == line) PaintBreakpoint(painter, markBox, mark.confirmed);
    }
    if (m_markerKind != LineMarker::None && m_markerLine == line) {
      PaintArrow(painter, markBox, MarkerColour(m_markerKind));
    }
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(QRectF(kMarkWidth, top, numberRight - kMarkWidth, height), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(line + 1));
    block = block.next();
    top += height;
  }
}

void CCodeView::ClickMargin(const QPoint& position) {
  if (!m_marginClicked) return;
  QTextBlock block = firstVisibleBlock();
  auto top = blockBoundingGeometry(block).translated(contentOffset()).top();
  while (block.isValid()) {
    const qreal bottom = top + blockBoundingRect(block).height();
    if (position.y() >= top && position.y() < bottom) {
      m_marginClicked(block.blockNumber());
      return;
    }
    block = block.next();
    top = bottom;
  }
}

void CCodeView::dragEnterEvent(QDragEnterEvent* event) {
  // Dropped files are opened by the main window, not pasted as text.
  if (event->mimeData()->hasUrls()) {
    event->ignore();
    return;
  }
  QPlainTextEdit::dragEnterEvent(event);
}

bool CCodeView::canInsertFromMimeData(const QMimeData* source) const {
  return !source->hasUrls() && QPlainTextEdit::canInsertFromMimeData(source);
}

}  // namespace kelvra::ide
