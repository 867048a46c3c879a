// Placeholder until the About box lands.
#include "links/win/about_dlg.h"
void RunAboutBox() {}
