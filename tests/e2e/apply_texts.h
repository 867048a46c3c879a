// The boxes of the Apply as the user reads them, and the keys of the Windows
// 98 machine (SeedWin98Machine) that it writes: shared by the suites that
// run an Apply to its end.
#pragma once

namespace e2e {

inline const char kCaption[] = "Velora 2001";
inline const char kRestartQuestion[] =
    "System changes were successful done.\n\nIn order to enjoy all the benefits of Velora 2001\n"
    "it's highly recommended to restart your computer.\n\nWould you like to restart your computer now?";
inline const char kReminder[] =
    "Keep in mind that you must restart your\ncomputer before the new settings become effective. ";
inline const char kLanQuestion[] =
    "You chose to optimize your Local Area\nNetworking (LAN) Internet connection.\n\n"
    "Are you sure that you are using LAN connection?\nIf you use Dial-Up (Modem) connection, answer 'NO'. ";

inline const char kDialUpBinding[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
inline const char kLanBinding[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0001";
inline const char kMstcp[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
inline const char kNdi[] = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
inline const char kTcpip[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";

}  // namespace e2e
