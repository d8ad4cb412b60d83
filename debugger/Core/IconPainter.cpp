#include "debugger/Core/IconPainter.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace kelvra::ide {

namespace {

const QColor kOutline(70, 70, 70);
const QColor kPaper(252, 252, 252);
const QColor kFolder(232, 180, 60);
const QColor kFolderDark(196, 140, 30);
const QColor kBlue(40, 110, 200);
const QColor kGreen(40, 160, 60);
const QColor kRed(210, 50, 50);
const QColor kGrey(150, 150, 150);

QPen Pen(const QColor& color, qreal width = 1.0) {
  QPen pen(color, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

void Page(QPainter& p, QRectF box) {
  QPainterPath page;
  const qreal fold = 3.5;
  page.moveTo(box.left(), box.top());
  page.lineTo(box.right() - fold, box.top());
  page.lineTo(box.right(), box.top() + fold);
  page.lineTo(box.right(), box.bottom());
  page.lineTo(box.left(), box.bottom());
  page.closeSubpath();
  p.setPen(Pen(kOutline, 0.8));
  p.setBrush(kPaper);
  p.drawPath(page);
  p.drawLine(QPointF(box.right() - fold, box.top()), QPointF(box.right() - fold, box.top() + fold));
  p.drawLine(QPointF(box.right() - fold, box.top() + fold), QPointF(box.right(), box.top() + fold));
}

void TextLines(QPainter& p, QRectF box, const QColor& color, int count) {
  p.setPen(Pen(color, 1.0));
  for (int i = 0; i < count; ++i) {
    const qreal y = box.top() + 2.0 * i;
    p.drawLine(QPointF(box.left(), y), QPointF(box.right() - (i % 2) * 2.0, y));
  }
}

void Folder(QPainter& p, bool open) {
  p.setPen(Pen(kFolderDark, 0.8));
  p.setBrush(kFolderDark);
  QPainterPath back;
  back.moveTo(1.5, 3.5);
  back.lineTo(6, 3.5);
  back.lineTo(7.5, 5);
  back.lineTo(14.5, 5);
  back.lineTo(14.5, 13.5);
  back.lineTo(1.5, 13.5);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(kFolder);
  if (open) {
    p.drawPolygon(QPolygonF({QPointF(3.5, 7), QPointF(15.5, 7), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
  } else {
    p.drawRect(QRectF(1.5, 6.5, 13, 7));
  }
}

void Arrow(QPainter& p, const QPainterPath& shaft, QPointF tip, qreal angleDegrees, const QColor& color) {
  p.setPen(Pen(color, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawPath(shaft);
  p.save();
  p.translate(tip);
  p.rotate(angleDegrees);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(-3.5, -3), QPointF(-3.5, 3)}));
  p.restore();
}

void StatementDot(QPainter& p, QPointF centre) {
  p.setPen(Qt::NoPen);
  p.setBrush(kGrey);
  p.drawEllipse(centre, 1.8, 1.8);
}

void Drive(QPainter& p, const QColor& light) {
  QLinearGradient body(0, 5, 0, 12);
  body.setColorAt(0, QColor(220, 220, 220));
  body.setColorAt(1, QColor(160, 160, 160));
  p.setPen(Pen(kOutline, 0.8));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6.5), 1.5, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(light);
  p.drawEllipse(QPointF(12, 9.8), 1, 1);
}

void PaintApplication(QPainter& p) {
  QLinearGradient background(0, 0, 16, 16);
  background.setColorAt(0, QColor(88, 86, 214));
  background.setColorAt(1, QColor(44, 42, 140));
  p.setPen(Qt::NoPen);
  p.setBrush(background);
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3.5, 3.5);
  p.setPen(Pen(Qt::white, 2.0));
  p.drawLine(QPointF(4.5, 3.5), QPointF(4.5, 12.5));
  p.drawLine(QPointF(10.5, 3.5), QPointF(5, 8));
  p.drawLine(QPointF(6.5, 7), QPointF(10.5, 12.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 220, 120));
  p.drawPolygon(QPolygonF({QPointF(11.5, 2.5), QPointF(14.5, 4.5), QPointF(11.5, 6.5)}));
}

}  // namespace

void PaintIcon(IconId id, QPainter& p) {
  switch (id) {
    case IconId::Application:
      PaintApplication(p);
      return;
    case IconId::New:
      Page(p, QRectF(3, 1.5, 10, 13));
      p.setPen(Pen(kGreen, 1.4));
      p.drawLine(QPointF(8, 7), QPointF(8, 12));
      p.drawLine(QPointF(5.5, 9.5), QPointF(10.5, 9.5));
      return;
    case IconId::Open:
      Folder(p, true);
      return;
    case IconId::Save:
      p.setPen(Pen(QColor(30, 70, 140), 0.8));
      p.setBrush(kBlue);
      p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.2, 1.2);
      p.setBrush(kPaper);
      p.drawRect(QRectF(4, 1.5, 8, 5));
      p.setBrush(QColor(210, 210, 220));
      p.drawRect(QRectF(4, 9.5, 8, 5));
      return;
    case IconId::Cut:
      p.setPen(Pen(kOutline, 1.2));
      p.drawLine(QPointF(5, 1.5), QPointF(10.5, 10.5));
      p.drawLine(QPointF(11, 1.5), QPointF(5.5, 10.5));
      p.setPen(Pen(kRed, 1.3));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(4.5, 12), 2.2, 2.2);
      p.drawEllipse(QPointF(11.5, 12), 2.2, 2.2);
      return;
    case IconId::Copy:
      Page(p, QRectF(1.5, 1.5, 8.5, 10.5));
      Page(p, QRectF(6, 4, 8.5, 10.5));
      TextLines(p, QRectF(7.5, 8, 5, 5), kGrey, 3);
      return;
    case IconId::Paste:
      p.setPen(Pen(QColor(120, 80, 40), 0.8));
      p.setBrush(QColor(190, 140, 80));
      p.drawRoundedRect(QRectF(2, 2.5, 10, 12), 1, 1);
      p.setBrush(kGrey);
      p.drawRoundedRect(QRectF(4.5, 1.2, 5, 2.6), 0.8, 0.8);
      Page(p, QRectF(7, 6, 7.5, 9));
      TextLines(p, QRectF(8.5, 9, 4.5, 4), kGrey, 3);
      return;
    case IconId::Print:
      p.setPen(Pen(kOutline, 0.8));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4, 1.5, 8, 5));
      p.setBrush(QColor(170, 170, 175));
      p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1.2, 1.2);
      p.setBrush(kPaper);
      p.drawRect(QRectF(4, 10, 8, 4.5));
      TextLines(p, QRectF(5.5, 11.5, 5, 3), kGrey, 2);
      return;
    case IconId::About:
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawEllipse(QRectF(1, 1, 14, 14));
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(8, 4.8), 1.1, 1.1);
      p.drawRoundedRect(QRectF(7, 7, 2, 5.5), 0.6, 0.6);
      return;
    case IconId::Run:
      p.setPen(Pen(QColor(20, 110, 40), 0.8));
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(13.5, 8), QPointF(4, 14)}));
      return;
    case IconId::Stop:
      p.setPen(Pen(QColor(140, 30, 30), 0.8));
      p.setBrush(kRed);
      p.drawRoundedRect(QRectF(3, 3, 10, 10), 1.2, 1.2);
      return;
    case IconId::Pause:
      p.setPen(Pen(QColor(25, 70, 140), 0.8));
      p.setBrush(kBlue);
      p.drawRoundedRect(QRectF(3.5, 2.5, 3.2, 11), 0.8, 0.8);
      p.drawRoundedRect(QRectF(9.3, 2.5, 3.2, 11), 0.8, 0.8);
      return;
    case IconId::StepIn: {
      QPainterPath shaft(QPointF(8, 1.5));
      shaft.lineTo(8, 8.5);
      Arrow(p, shaft, QPointF(8, 11), 90, kBlue);
      StatementDot(p, QPointF(8, 14));
      return;
    }
    case IconId::StepOver: {
      QPainterPath shaft(QPointF(2.5, 11));
      shaft.cubicTo(2.5, 1.5, 13.5, 1.5, 13.5, 8.5);
      Arrow(p, shaft, QPointF(13.5, 11), 90, kBlue);
      StatementDot(p, QPointF(8, 13.5));
      return;
    }
    case IconId::StepOut: {
      QPainterPath shaft(QPointF(8, 11));
      shaft.lineTo(8, 5);
      Arrow(p, shaft, QPointF(8, 2.5), -90, kBlue);
      StatementDot(p, QPointF(8, 14));
      return;
    }
    case IconId::Computer:
      p.setPen(Pen(kOutline, 0.8));
      p.setBrush(QColor(60, 60, 70));
      p.drawRoundedRect(QRectF(1.5, 2, 13, 9), 1, 1);
      p.setBrush(QColor(110, 170, 230));
      p.drawRect(QRectF(3, 3.5, 10, 6));
      p.setBrush(kGrey);
      p.drawRect(QRectF(6.5, 11, 3, 2));
      p.drawRect(QRectF(4, 13, 8, 1.5));
      return;
    case IconId::Drive:
      Drive(p, kGreen);
      return;
    case IconId::NetworkDrive:
      Drive(p, kBlue);
      p.setPen(Pen(kOutline, 1.0));
      p.drawLine(QPointF(8, 12), QPointF(8, 14.5));
      p.drawLine(QPointF(3, 14.5), QPointF(13, 14.5));
      return;
    case IconId::OtherDrive:
      Drive(p, QColor(230, 160, 30));
      return;
    case IconId::Home:
      p.setPen(Pen(kOutline, 0.8));
      p.setBrush(kPaper);
      p.drawPolygon(QPolygonF({QPointF(3, 7.5), QPointF(8, 3), QPointF(13, 7.5), QPointF(13, 14), QPointF(3, 14)}));
      p.setBrush(kRed);
      p.drawPolygon(QPolygonF({QPointF(1, 8.5), QPointF(8, 1.5), QPointF(15, 8.5), QPointF(13.5, 9.5), QPointF(8, 4),
                               QPointF(2.5, 9.5)}));
      p.setBrush(QColor(140, 90, 50));
      p.drawRect(QRectF(6.8, 10, 2.6, 4));
      return;
    case IconId::Folder:
      Folder(p, false);
      return;
    case IconId::ScriptFile:
      Page(p, QRectF(2.5, 1.5, 11, 13));
      TextLines(p, QRectF(4.5, 5, 7, 8), kBlue, 4);
      return;
    case IconId::CompiledFile:
      Page(p, QRectF(2.5, 1.5, 11, 13));
      p.setPen(Pen(QColor(120, 60, 150), 1.1));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(4.5, 6, 2.8, 5));
      p.drawLine(QPointF(9.8, 6), QPointF(9.8, 11));
      p.drawLine(QPointF(9, 6.8), QPointF(9.8, 6));
      return;
    case IconId::Properties:
      Page(p, QRectF(2.5, 1.5, 11, 13));
      p.setPen(Pen(kGreen, 1.2));
      for (qreal y : {5.0, 8.0, 11.0}) {
        p.drawLine(QPointF(4.5, y), QPointF(5.5, y + 1));
        p.drawLine(QPointF(5.5, y + 1), QPointF(7, y - 0.8));
      }
      TextLines(p, QRectF(8.5, 5.5, 3, 6), kGrey, 3);
      return;
    case IconId::Function:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(150, 60, 170));
      p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(14.5, 8), QPointF(8, 14.5), QPointF(1.5, 8)}));
      return;
    case IconId::Output:
      p.setPen(Pen(kOutline, 0.8));
      p.setBrush(QColor(40, 40, 48));
      p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.2, 1.2);
      p.setPen(Pen(QColor(120, 220, 120), 1.2));
      p.drawLine(QPointF(3.5, 6), QPointF(5.5, 8));
      p.drawLine(QPointF(5.5, 8), QPointF(3.5, 10));
      p.drawLine(QPointF(7, 10.5), QPointF(11, 10.5));
      return;
    case IconId::CurrentLocation:
      p.setPen(Pen(QColor(25, 70, 140), 0.8));
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF({QPointF(2, 5.5), QPointF(8.5, 5.5), QPointF(8.5, 2), QPointF(14.5, 8), QPointF(8.5, 14),
                               QPointF(8.5, 10.5), QPointF(2, 10.5)}));
      return;
    // As the editor's margin marks them: a red ring until the running
    // script accepts the breakpoint, then a red disc.
    case IconId::UnconfirmedBreakpoint:
      p.setPen(Pen(kRed, 1.6));
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(8, 8), 5, 5);
      return;
    case IconId::ConfirmedBreakpoint:
      p.setPen(Pen(kRed.darker(130), 1.0));
      p.setBrush(kRed);
      p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
      return;
  }
}

}  // namespace kelvra::ide
