// A static text control turned into a link: colour, hand cursor, tooltip,
// hover colour, and an action chosen by its tip text.
#pragma once
#include <windows.h>

#include <string>

#include "ui/window.h"

class CHyperLink : public ui::Wnd {
 public:
  void SetTipText(const std::string& text);
  void SetCursorHandle(HCURSOR cursor);
};
