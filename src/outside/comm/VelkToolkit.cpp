#include "outside/comm/VelkToolkit.h"

#include <algorithm>

#include "base/Text.h"
#include "outside/comm/ServerRecordings.h"

namespace ravelin {

int32_t CVelkToolkit::NewRoot(const std::wstring& root, int32_t protocol) {
  recording_.reset();
  position_ = {};
  listing_ = nullptr;
  pending_.clear();
  if (protocol != kProtocolHart && protocol != kProtocolFieldbus) {
    lastError_ = Format(L"protocol %d is neither 0 (HART) nor 1 (FOUNDATION Fieldbus)", protocol);
    return kVelkBadArgument;
  }
  protocol_ = protocol;
  if (root.size() < 3 || root.compare(0, 2, L"\\\\") != 0) {
    lastError_ = L"root \"" + root + L"\" is not two backslashes and a server name";
    return kVelkBadArgument;
  }
  ServerRecording server = OpenServerRecording(root.substr(2));
  recording_ = std::move(server.recording);
  lastError_ = std::move(server.error);
  return server.status;
}

int32_t CVelkToolkit::SetView(int32_t view) {
  if (ViewSlot(view) < 0) return kVelkBadArgument;
  view_ = view;
  return kVelkOk;
}

int32_t CVelkToolkit::Adopt(const IVelkToolkit* parent) {
  if (parent == this) return kVelkOk;
  const auto* other = dynamic_cast<const CVelkToolkit*>(parent);
  if (!other) return kVelkBadArgument;
  recording_ = other->recording_;
  protocol_ = other->protocol_;
  view_ = other->view_;
  position_ = other->position_;
  return kVelkOk;
}

int32_t CVelkToolkit::Item(const IVelkToolkit* parent, const std::wstring& moniker) {
  listing_ = nullptr;
  pending_.clear();
  const int32_t adopted = Adopt(parent);
  std::optional<ItemPosition> found;
  if (adopted == kVelkOk && recording_) found = ResolveFrom(*recording_, position_, moniker);
  if (!found) {
    position_ = {};
    return adopted != kVelkOk ? adopted : NoItemStatus();
  }
  position_ = std::move(*found);
  return kVelkOk;
}

int32_t CVelkToolkit::Enum(const IVelkToolkit* parent) {
  listing_ = nullptr;
  pending_.clear();
  const int32_t adopted = Adopt(parent);
  const RecordedItem* item = position_.item;
  position_.item = nullptr;
  if (adopted != kVelkOk) return adopted;
  if (!item) return NoItemStatus();
  if (!item->Listable()) return kVelkNoList;
  listing_ = &item->listing;
  next_ = 0;
  return kVelkOk;
}

int32_t CVelkToolkit::NextEnum() {
  pending_.clear();
  if (!listing_ || next_ >= listing_->size()) {
    listing_ = nullptr;
    position_.item = nullptr;
    return kVelkEndOfList;
  }
  position_.item = (*listing_)[next_++];
  return kVelkOk;
}

int32_t CVelkToolkit::Read(const std::wstring& attribute) {
  if (!position_.item) return NoItemStatus();
  pending_.push_back(ReadAttribute(position_, attribute, view_));
  return kVelkOk;
}

int32_t CVelkToolkit::Wait(CVelkResult* results, size_t count) {
  if (pending_.empty()) return kVelkNothingRead;
  if (!results) count = 0;
  std::copy_n(pending_.begin(), std::min(count, pending_.size()), results);
  const int32_t status = pending_.size() > count ? kVelkTooFewResults : kVelkOk;
  pending_.clear();
  return status;
}

int32_t CVelkToolkit::Get(const std::wstring& attribute, CVelkResult& result) {
  result = position_.item ? ReadAttribute(position_, attribute, view_)
                          : CVelkResult{CVelkVariant(), NoItemStatus()};
  return result.m_status;
}

}  // namespace ravelin
