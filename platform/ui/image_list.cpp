// CImageList and the drag picture.

#include "platform/ui/image_list.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

#include "platform/ui/ui_driver.h"
#include "platform/ui/ui_internal.h"

namespace {
// The drag in progress: its picture window and hot spot.
QPointer<QLabel> g_dragWindow;
QPoint g_hotSpot;
}  // namespace

CImageList::CImageList() = default;
CImageList::~CImageList() = default;

BOOL CImageList::Create(int cx, int cy, UINT, int, int) {
  if (cx <= 0 || cy <= 0) return FALSE;
  m_images.clear();
  m_size = CSize(cx, cy);
  m_created = true;
  return TRUE;
}

int CImageList::Add(const CBitmap* bitmap, COLORREF) {
  if (!m_created || !bitmap || !bitmap->Data()) return -1;
  auto copy = std::make_unique<CBitmap>();
  if (!copy->CreateCompatibleBitmap(nullptr, m_size.cx, m_size.cy)) return -1;
  QPainter p(&copy->Data()->image);
  p.drawImage(QPoint(0, 0), bitmap->Data()->image);
  p.end();
  m_images.push_back(std::move(copy));
  return GetImageCount() - 1;
}

BOOL CImageList::BeginDrag(int index, CPoint hotSpot) {
  if (index < 0 || index >= GetImageCount()) return FALSE;
  ui::EnsureApplication();
  EndDrag();
  auto* label = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->setWindowOpacity(0.7);
  label->setPixmap(QPixmap::fromImage(m_images[static_cast<size_t>(index)]->Data()->image));
  label->resize(m_size.cx, m_size.cy);
  g_dragWindow = label;
  g_hotSpot = QPoint(hotSpot.x, hotSpot.y);
  return TRUE;
}

BOOL CImageList::DragEnter(CWnd*, CPoint point) {
  if (!g_dragWindow) return FALSE;
  DragMove(point);
  g_dragWindow->show();
  return TRUE;
}

BOOL CImageList::DragMove(CPoint point) {
  if (!g_dragWindow) return FALSE;
  g_dragWindow->move(QPoint(point.x, point.y) - g_hotSpot);
  return TRUE;
}

BOOL CImageList::DragLeave(CWnd*) {
  if (!g_dragWindow) return FALSE;
  g_dragWindow->hide();
  return TRUE;
}

void CImageList::EndDrag() { delete g_dragWindow.data(); }

QWidget* CImageList::DragWindow() { return g_dragWindow.data(); }
