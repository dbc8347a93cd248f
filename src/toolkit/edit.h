#pragma once

// CEditUI: a single-line text field drawn by the toolkit: caret, selection with the mouse and
// Shift+arrows, clipboard (Ctrl+C/X/V, Ctrl+A), text from the keyboard or the input method.
// Options: at most maxchar characters, digits only, a numeric range applied when the field
// loses focus, read-only, password. "textchanged" after every edit, "return" on Enter.

#include "toolkit/label.h"

namespace velmora::toolkit {

class CEditUI : public CLabelUI {
 public:
  CEditUI();
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;
  uint32_t GetControlFlags() const override;

  void SetText(const std::string& text) override;
  void SetMaxChar(int maxChar);
  int GetMaxChar() const { return maxChar_; }
  void SetReadOnly(bool readOnly);
  bool IsReadOnly() const { return readOnly_; }
  void SetPasswordMode(bool password);
  bool IsPasswordMode() const { return password_; }
  void SetNumberOnly(bool numberOnly);
  bool IsNumberOnly() const { return numberOnly_; }
  // The range a digits-only field is clamped to when it loses focus (only when max > min).
  void SetMinValue(int value);
  void SetMaxValue(int value);
  int GetMinValue() const { return minValue_; }
  int GetMaxValue() const { return maxValue_; }
  void SetTipValue(const std::string& tip);
  std::string GetTipValue() const;

  // Selection in characters; end -1 means the end of the text.
  void SetSel(int start, int end);
  void SetSelAll();
  void GetSel(int& start, int& end) const;
  std::string GetSelText() const;
  // Replaces the selection (or inserts at the caret), filtered and limited like typing.
  void ReplaceSel(const std::string& text);

  UiRect GetCaretRect() const override;
  void DoEvent(TEventUI& event) override;
  void PaintStatusImage(cairo_t* cr) override;
  void PaintText(cairo_t* cr) override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  // The text as drawn (password bullets) and byte offsets mapped into it.
  std::string DisplayText() const;
  size_t ToDisplayOffset(size_t offset) const;
  size_t FromDisplayOffset(size_t displayOffset) const;
  virtual uint32_t LayoutStyle() const;
  virtual int LayoutWidth() const;
  // The top-left of the laid-out text in window coordinates.
  virtual UiPoint TextOrigin() const;
  size_t OffsetAtPoint(UiPoint point) const;
  // Handles the editing keys; true when the key was one of them.
  virtual bool HandleKey(const TEventUI& event);
  // Replaces the selection with the part of text this edit accepts; false when it took none.
  bool InsertText(const std::string& text);
  void DeleteSelection();
  bool HasSelection() const { return caret_ != anchor_; }
  void MoveCaret(size_t offset, bool extend);
  void TextEdited();
  void ApplyRange();

  int maxChar_ = 255;
  bool readOnly_ = false, password_ = false, numberOnly_ = false;
  int minValue_ = 0, maxValue_ = 0;
  std::string tipValue_;
  UiColor tipValueColor_ = 0xFFBAC0C5;
  std::string normalImage_, hotImage_, focusedImage_, disabledImage_;
  uint32_t buttonState_ = 0;
  size_t caret_ = 0, anchor_ = 0;  // byte offsets into m_sText
  int scrollX_ = 0;                // horizontal offset keeping the caret in view
};

}  // namespace velmora::toolkit
