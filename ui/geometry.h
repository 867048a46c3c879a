// Where windows and controls go: placing a frame, centring a window, moving
// dialog items.
#pragma once
#include <windows.h>

namespace ui {

// Places a frame as the framework did: the placement of `source` (the frame
// itself when null) with its minimised and maximised positions kept, no
// flags, the show command the framework kept in WIN.INI ("OutlineShowCmd" of
// "APPNAME", 0 without one), and `normal` as the normal rectangle.
// `centredNext`: the caller centres the frame right after. A placement all of
// whose effects that centring replaces is then left out: the frame hidden
// and kept hidden by the show command, with no flags and already as large as
// `normal`, where the system would only move it onto the screen (it brings
// a window placed off every screen back) before the centring moves it again.
void PlaceFrame(HWND frame, const RECT& normal, HWND source = nullptr, bool centredNext = false);

// Centres `window` over `over` when that window shows, else over the work
// area, and keeps it inside the work area (its top-left corner first, when
// it is larger).
void CentreWindow(HWND window, HWND over = nullptr);
// Where CentreWindow with no window to centre over puts a window of that
// size.
POINT CentredInWorkArea(int width, int height);

// A dialog item's new place, in pixels of the dialog's client area.
struct ItemPlace {
  int id;
  int x, y;
};

// Moves one item of a dialog, keeping its size.
void MoveItem(HWND dialog, int id, int x, int y);
// Moves a group of items; any range of records with id, x and y.
template <typename Places>
void MoveItems(HWND dialog, const Places& places) {
  for (const auto& p : places) MoveItem(dialog, p.id, p.x, p.y);
}

}  // namespace ui
