#pragma once
// Runs the About box modally with no owner.
void RunAboutBox();
