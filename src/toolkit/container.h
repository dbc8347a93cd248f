#pragma once

// CContainerUI: a control holding child controls, with an inset, spacing between children,
// optional scrolling and painting clipped to its inner area. Children are owned unless
// auto-destroy is switched off.

#include <vector>

#include "toolkit/control.h"

namespace velmora::toolkit {

class CContainerUI : public CControlUI {
 public:
  CContainerUI();
  ~CContainerUI() override;

  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  // Children.
  CControlUI* GetItemAt(int index) const;
  int GetItemIndex(const CControlUI* control) const;  // -1 when not a child
  bool SetItemIndex(CControlUI* control, int newIndex);
  int GetCount() const { return static_cast<int>(items_.size()); }
  virtual bool Add(CControlUI* control);
  virtual bool AddAt(CControlUI* control, int index);
  // Removes the child; it is deleted (after the current event) unless doNotDestroy is set
  // or auto-destroy is off, in which case the caller owns it again.
  virtual bool Remove(CControlUI* control, bool doNotDestroy = false);
  virtual bool RemoveAt(int index, bool doNotDestroy = false);
  virtual void RemoveAll();
  bool IsAutoDestroy() const { return autoDestroy_; }
  void SetAutoDestroy(bool autoDestroy) { autoDestroy_ = autoDestroy; }
  bool IsDelayedDestroy() const { return delayedDestroy_; }
  void SetDelayedDestroy(bool delayed) { delayedDestroy_ = delayed; }
  bool IsMouseChildEnabled() const { return mouseChildEnabled_; }
  void SetMouseChildEnabled(bool enabled) { mouseChildEnabled_ = enabled; }

  // Spacing.
  UiRect GetInset() const;
  void SetInset(const UiRect& inset);
  int GetChildPadding() const;
  void SetChildPadding(int padding);
  uint32_t GetChildAlign() const { return childAlign_; }
  uint32_t GetChildVAlign() const { return childVAlign_; }

  // Scrolling: content larger than the inner area scrolls when the axis is enabled.
  void EnableScrollBar(bool vertical = true, bool horizontal = false);
  bool IsVScrollEnabled() const { return vscroll_; }
  bool IsHScrollEnabled() const { return hscroll_; }
  UiSize GetScrollPos() const { return scrollPos_; }
  UiSize GetScrollRange() const { return scrollRange_; }
  void SetScrollPos(UiSize pos);
  void LineUp();
  void LineDown();
  void PageUp();
  void PageDown();
  void HomeUp();
  void EndDown();
  int GetScrollStepSize() const;
  // Scrolls so that the child is fully inside the inner area.
  void EnsureVisible(CControlUI* control);

  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;
  void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
  CControlUI* FindControl(const FindPredicate& match, uint32_t flags) override;
  void SetPos(const UiRect& rc, bool needInvalidate = true) override;
  void DoEvent(TEventUI& event) override;
  bool DoPaint(cairo_t* cr, const UiRect& rcPaint) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

  // The area children are laid out in: the rectangle minus the inset.
  UiRect GetInnerRect() const;
  // Called by layouts with the size of their laid-out content, to update the scroll range.
  void SetContentSize(UiSize content);

 protected:
  // Positions the children in rc (already the inner area, not yet offset by scrolling).
  // The plain container gives every child the whole area.
  virtual void ArrangeChildren(const UiRect& rc);
  void PlaceFloatChildren();
  // Lays the children out one after the other (see linear_layout.h) and updates scrolling.
  void ArrangeInLine(const UiRect& rc, bool vertical);
  void PaintScrollBars(cairo_t* cr);

  std::vector<CControlUI*> items_;
  UiRect inset_;
  int childPadding_ = 0;
  uint32_t childAlign_ = 0;   // DT_LEFT / DT_CENTER / DT_RIGHT
  uint32_t childVAlign_ = 0;  // DT_TOP / DT_VCENTER / DT_BOTTOM
  bool autoDestroy_ = true, delayedDestroy_ = true, mouseChildEnabled_ = true;
  bool vscroll_ = false, hscroll_ = false;
  int scrollStep_ = 0;  // 0: the default step
  UiSize scrollPos_, scrollRange_;
  UiColor scrollThumbColor_ = 0x80808080;
};

}  // namespace velmora::toolkit
