// A block record with what the host knows of its device: manufacturer,
// device type and revision, protocol, the device's ids, and the device
// type's major category. See DbwBlockAsgm.h for the Identify / Access
// pattern. Before a successful Access the getters answer empty text and 0.
#pragma once

#include <cstdint>
#include <string>

#include "outside/db/DbwTime.h"

namespace ravelin {

class CDbwDbSession;

class CDbwTarnMajorDeviceCategory {
 public:
  virtual ~CDbwTarnMajorDeviceCategory() = default;
  // 0 and the name when the device type has a major category; otherwise
  // nonzero and `name` untouched.
  int32_t GetMajorCategoryName(std::wstring& name) const;

 protected:
  std::wstring majorCategoryName_;
  bool hasMajorCategory_ = false;
};

class CDbwTarnBlock : public CDbwTarnMajorDeviceCategory {
 public:
  // The block with this key.
  void Identify(int32_t blockKey);
  // The block that carries `tag` at `time`.
  void Identify(const std::wstring& tag, const CDbwTime& time);
  int32_t Access(CDbwDbSession* session);

  const std::wstring& GetMfrName() const { return record_.mfrName; }
  const std::wstring& GetDeviceTypeName() const { return record_.deviceTypeName; }
  int32_t GetMfrId() const { return record_.mfrId; }
  int32_t GetDeviceTypeCode() const { return record_.deviceType; }
  int32_t GetDeviceRevisionCode() const { return record_.deviceRevision; }
  // 1 HART, 2 HART through a block index collection, 3 FOUNDATION Fieldbus.
  int32_t GetProtocolId() const { return record_.protocolId; }
  const std::wstring& GetTarnDeviceId() const { return record_.tarnDeviceId; }
  const std::wstring& GetDeviceSerialIdentifier() const {
    return record_.serialIdentifier;
  }

 private:
  struct Record {
    std::wstring mfrName;
    std::wstring deviceTypeName;
    int32_t mfrId = 0;
    int32_t deviceType = 0;
    int32_t deviceRevision = 0;
    int32_t protocolId = 0;
    std::wstring tarnDeviceId;
    std::wstring serialIdentifier;
  };
  int32_t ReadBlock(CDbwDbSession* session, int32_t blockKey);

  int32_t blockKey_ = -1;
  std::wstring tag_;  // empty when identified by key
  CDbwTime time_;
  Record record_;
};

}  // namespace ravelin
