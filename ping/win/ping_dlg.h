#pragma once
// Runs the Ping Configuration dialog modally with no owner.
void RunPingConfigDialog();
