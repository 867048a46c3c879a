// Placeholder until the hyperlink control lands.
#include "links/win/hyperlink.h"

void CHyperLink::SetTipText(const std::string&) {}
void CHyperLink::SetCursorHandle(HCURSOR) {}
