// What choosing a mode shows and decides: the captions and recommended
// choices of manual mode, the texts and icon of the automatic-mode dialog,
// and the mode its answer leaves.
#pragma once

#include "tuning/adapters.h"

namespace vl {

// Captions of the manual setting radios and the four radios that manual mode
// clicks, by the mode the dialog left.
struct ManualChoices {
  const char* mtuDefault;
  const char* mtu576;
  const char* rwinDefault;
  const char* rwinX6;
  const char* ttlDefault;
  const char* ttl128;
  const char* keepAliveDefault;
  const char* keepAlive10;
  int recommended[4];  // MTU, RWIN, TTL, keep-alive, clicked in this order
};
const ManualChoices& ManualChoicesFor(int configMode);

struct AutoModeTexts {
  const char* caption;
  const char* mode;   // IDC_AUTO_TEXT_MODE
  const char* info;   // IDC_AUTO_TEXT_INFO
  const char* apply;  // IDC_AUTO_TEXT_APPLY
};
const AutoModeTexts& AutoModeTextsFor(int configMode);
// The icon of the dialog: 149 Dial-Up, 148 LAN, 147 otherwise.
int AutoModeIconFor(int configMode);

extern const char kAdapterQuestion[];  // "Which adapter would you like to configure?"
// Manual mode asks which adapters to configure when the machine has both kinds.
bool AsksAdapterQuestion(int configMode, const AdapterCensus& census);

// What the user did in the automatic-mode dialog.
struct AutoModeAnswer {
  bool ok = false;             // closed by OK, not by Escape or the close box
  bool questionAsked = false;  // the adapter question was on the dialog
  bool dialUpChosen = false;   // and Dial-Up was its answer
  bool censusTaken = false;    // the dialog took the census (manual mode only)
  AdapterCensus census;
};

// The mode after the dialog. Only OK on a manual choice changes it: to the
// answer when the question was asked, otherwise to the one kind of adapter
// the census found (Dial-Up also when it found none).
int ModeAfterDialog(int configMode, const AutoModeAnswer& answer);

}  // namespace vl
