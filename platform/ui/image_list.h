#pragma once
// CImageList: a row of same-sized pictures, and the picture that follows the
// mouse while the user drags something (BeginDrag ... EndDrag).
//
//   CImageList* images = new CImageList;
//   images->Create(width, height, ILC_COLOR24, 1, 1);
//   images->Add(&bitmap, CLR_NONE);           // a picture drawn through a memory DC
//   images->BeginDrag(0, CPoint(0, 0));        // hot spot inside the picture
//   CImageList::DragEnter(nullptr, screenPoint);
//   CImageList::DragMove(screenPoint);         // on each mouse move
//   CImageList::DragLeave(nullptr);
//   CImageList::EndDrag();
//
// One drag at a time, as on the platform. The drag picture is a small
// top-level window without a frame; points are screen coordinates (the lock
// window is not used).

#include <memory>
#include <vector>

#include "platform/ui/dc.h"

class QWidget;

enum : UINT { ILC_COLOR = 0x0, ILC_MASK = 0x1, ILC_COLOR24 = 0x18, ILC_COLOR32 = 0x20 };

class CImageList {
 public:
  CImageList();
  ~CImageList();
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // Pictures of cx x cy pixels; the flags and counts are hints.
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // Appends a copy of the bitmap (cut or padded to the list's size); the index
  // of the new picture, or -1 (no list, empty bitmap). The mask colour is ignored.
  int Add(const CBitmap* bitmap, COLORREF mask);
  int GetImageCount() const { return static_cast<int>(m_images.size()); }
  CSize GetImageSize() const { return m_size; }

  // Starts dragging picture index with its hot spot at hotSpot; FALSE for a bad index.
  BOOL BeginDrag(int index, CPoint hotSpot);
  // Shows the drag picture with its hot spot at the screen point, moves it, hides it.
  static BOOL DragEnter(CWnd* lock, CPoint point);
  static BOOL DragMove(CPoint point);
  static BOOL DragLeave(CWnd* lock);
  // Ends the drag and takes the picture away.
  static void EndDrag();
  // For tests: the drag picture's window while a drag is on (null otherwise).
  static QWidget* DragWindow();

 private:
  CSize m_size;
  bool m_created = false;
  std::vector<std::unique_ptr<CBitmap>> m_images;
};
