#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vl {

// An MTU for a running network interface, named by its adapter's GUID.
struct InterfaceMtu {
  std::string guid;
  uint32_t mtu = 0;
};

// What a writer or restore did, for its caller; nothing here is shown by the
// writer itself.
struct WriteReport {
  int adapters = 0;         // adapters whose work was carried out
  // A registry write or delete failed, a global key that had to be written
  // could not be opened, or the walk met a registry call that failed for
  // another reason than a missing key or value. A missing NWLink NDI key is
  // no failure: without IPX/SPX there is no cache to size.
  bool failed = false;
  bool cancelled = false;   // the user answered No to the confirmation
  // The global TCP/IP key of the family is not there: TCP/IP is not
  // installed. Counts as a failure too.
  bool tcpipMissing = false;
  // The record of the change could not be kept, so nothing was changed.
  bool notRecorded = false;
  // Adapters of the chosen kind that TCP/IP is not bound to (their names).
  std::vector<std::string> unbound;
  // The receive window was chosen but not written: this Windows sizes it
  // itself.
  bool receiveWindowIgnored = false;
  // The MTUs written to Interfaces keys, which Windows Vista and later can
  // also give the running interfaces at once.
  std::vector<InterfaceMtu> interfaceMtus;
};

}  // namespace vl
