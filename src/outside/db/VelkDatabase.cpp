#include "outside/db/VelkDatabase.h"

namespace ravelin {

CVelkDatabase::CVelkDatabase() {
  if (CDbwDbSession::GetGlobalSessionPtr() != nullptr) return;
  session_ = std::make_unique<CDbwDbSession>();
  session_->OpenDb();
  CDbwDbSession::SetGlobalSession(session_.get());
  global_ = true;
}

CVelkDatabase::~CVelkDatabase() {
  if (global_) CDbwDbSession::SetGlobalSession(nullptr);
}

}  // namespace ravelin
