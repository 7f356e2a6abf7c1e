// The values a peer of the multi-process test writes: three fields whose lengths differ per
// writer, so a record mixed from two writers or cut short is seen.
#pragma once

#include <string>

#include "logbook/databases/call_database.h"

namespace logbook::testing {

struct PeerValues {
  explicit PeerValues(const std::string& tag)
      : name("Name of " + tag + std::string(tag.size() * 7, 'n')),
        qth("QTH of " + tag + std::string(tag.size() * 31, 'q')),
        dok(tag) {}

  void Put(TdbCallBase& c) const {
    c.SetName(name);
    c.SetQTH(qth);
    c.SetDOK(dok);
  }
  bool In(const TdbCallBase& c) const {
    return c.GetName() == name && c.GetQTH() == qth && c.GetDOK() == dok;
  }

  std::string name;
  std::string qth;
  std::string dok;
};

}  // namespace logbook::testing
