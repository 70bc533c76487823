#include "outside/db/VelkDatabase.h"

namespace ravelin {

CVelkDatabase::CVelkDatabase() {
  if (CDbwDbSession::GetGlobalSessionPtr() != nullptr) return;
  session_.OpenDb();
  CDbwDbSession::SetGlobalSession(&session_);
  global_ = true;
}

CVelkDatabase::~CVelkDatabase() {
  if (global_) CDbwDbSession::SetGlobalSession(nullptr);
}

}  // namespace ravelin
