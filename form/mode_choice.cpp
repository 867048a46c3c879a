#include "form/mode_choice.h"

#include "res/resource.h"
#include "tuning/tuning_choices.h"

namespace vl {

const char kAdapterQuestion[] = "Which adapter would you like to configure?";

static const ManualChoices kLanChoices = {
    "Default  (Recommended)",
    "576",
    "Default  (Recommended)",
    "Multiple 6",
    "Default  (Recommended)",
    "128",
    "60min. (Recommended)",
    "10min.",
    {IDC_MTU_DEFAULT, IDC_RWIN_DEFAULT, IDC_TTL_DEFAULT, IDC_KEEPALIVE_DEFAULT},
};

static const ManualChoices kDialUpChoices = {
    "Windows Default",
    "576  (Recommended)",
    "Windows Default",
    "Multiple 6  (Recommended)",
    "Windows Default",
    "128  (Recommended)",
    "Windows Default",
    "10min. (Recommended)",
    {IDC_MTU_576, IDC_RWIN_X6, IDC_TTL_128, IDC_KEEPALIVE_10},
};

const ManualChoices& ManualChoicesFor(int configMode) {
  return configMode == ModeManualLan ? kLanChoices : kDialUpChoices;
}

static const AutoModeTexts kManualTexts = {
    "Manual Mode",
    "You chose to use the Networking Performance\nManual Configured mode.",
    "Try various settings combinations and watch your\nInternet performance to find out which "
    "configuration\nsuits you best.",
    "After you finish to configure you will have to press the\n'Apply' button which is located "
    "in the bottom of the screen.",
};

static const AutoModeTexts kLanTexts = {
    "Automatic Mode - LAN",
    "You chose to use the Local Area Networking (LAN)\nAutomatically Configured mode.",
    "The program will perform some tests on your computer\nand will automatically optimize your "
    "LAN configuration.",
    "In order to begin, all you have to do is to press the 'Apply'\nbutton which is located in "
    "bottom of the screen.",
};

static const AutoModeTexts kDialUpTexts = {
    "Automatic Mode - Dial-Up",
    "You chose to use the Dial-Up Networking (Modem)\nAutomatically Configured mode.",
    "The program will perform some tests on your computer\nand will automatically optimize your "
    "Dial-Up configuration.",
    "In order to begin, all you have to do is to press the 'Apply'\nbutton which is located in "
    "the bottom of the screen.",
};

const AutoModeTexts& AutoModeTextsFor(int configMode) {
  if (configMode == ModeManual) return kManualTexts;
  if (configMode == ModeAutoLan) return kLanTexts;
  return kDialUpTexts;
}

int AutoModeIconFor(int configMode) {
  if (configMode == ModeAutoDialUp) return IDI_AUTO_DIALUP;
  if (configMode == ModeAutoLan) return IDI_AUTO_LAN;
  return IDI_AUTO_MANUAL;
}

bool AsksAdapterQuestion(int configMode, const AdapterCensus& census) {
  return configMode == ModeManual && census.hasDialUp && census.hasLan;
}

int ModeAfterDialog(int configMode, const AutoModeAnswer& answer) {
  if (configMode != ModeManual || !answer.ok) return configMode;
  if (answer.questionAsked) return answer.dialUpChosen ? ModeManualDialUp : ModeManualLan;
  // A machine with LAN adapters only is configured as LAN: as Dial-Up the
  // Apply would find no adapter to write.
  return answer.census.hasLan ? ModeManualLan : ModeManualDialUp;
}

}  // namespace vl
