// Placeholder until the Ping Configuration dialog lands.
#include "ping/win/ping_dlg.h"
void RunPingConfigDialog() {}
