// The host's database object: while it lives, the host's data source is open
// as the global session that record classes use when given no session.
#pragma once

#include <memory>

#include "outside/db/DbwSession.h"

namespace ravelin {

class CVelkDatabase {
 public:
  // Opens the data source (a failure is logged). The session becomes the
  // global one even when it could not be opened, so that lookups in its
  // lifetime fail quietly instead of logging the same failure again. An
  // already open database object stays the global one.
  CVelkDatabase();
  virtual ~CVelkDatabase();
  CVelkDatabase(const CVelkDatabase&) = delete;
  CVelkDatabase& operator=(const CVelkDatabase&) = delete;

  bool IsOpen() const { return session_ && session_->IsOpen(); }

 private:
  // Made only by the outermost object: an inner one (one per tested
  // device) would set up a connection it never uses.
  std::unique_ptr<CDbwDbSession> session_;
  bool global_ = false;
};

}  // namespace ravelin
