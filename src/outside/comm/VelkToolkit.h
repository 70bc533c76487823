// The device communication toolkit: a cursor over the items of a plant
// server (devices, named configurations, blocks, parameters, members,
// enumeration entries), named by monikers whose parts are joined by "!".
// This stand-in answers from the server's recording (ServerRecordings.h).
// Every call but the accessors returns 0 on success and a negative status
// (VelkVariant.h) otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "outside/comm/ItemPosition.h"
#include "outside/comm/VelkVariant.h"

namespace ravelin {

class IVelkToolkit {
 public:
  virtual ~IVelkToolkit() = default;

  // root: two backslashes and the plant server name; protocol: 0 HART,
  // 1 FOUNDATION Fieldbus. Leaves the cursor on no item.
  virtual int32_t NewRoot(const std::wstring& root, int32_t protocol) = 0;
  // 104 a device's current data, 111 a named configuration's data.
  virtual int32_t SetView(int32_t view) = 0;
  // Moves to the item: an absolute moniker, or a path relative to the
  // parent's item. A parent other than this cursor lends its server,
  // protocol, view and position first. On failure the cursor is on no item.
  virtual int32_t Item(const IVelkToolkit* parent, const std::wstring& moniker) = 0;
  // Starts listing the children of the parent's item (the parent may be this
  // cursor); NextEnum reaches the first child, then each next one, and is
  // nonzero past the last.
  virtual int32_t Enum(const IVelkToolkit* parent) = 0;
  virtual int32_t NextEnum() = 0;
  // Queues one attribute of the current item ("Type", or a relative path and
  // the attribute, "Param!PV!value"); Wait delivers the queued results in
  // the order of the reads and empties the queue. Read fails only when there
  // is no current item, and then queues nothing.
  virtual int32_t Read(const std::wstring& attribute) = 0;
  virtual int32_t Wait(CVelkResult* results, size_t count) = 0;
  template <size_t N>
  int32_t Wait(CVelkResult (&results)[N]) {
    return Wait(results, N);
  }
  // One attribute at once; returns the result's status.
  virtual int32_t Get(const std::wstring& attribute, CVelkResult& result) = 0;

  virtual std::wstring GetMoniker() const = 0;
  virtual int32_t GetView() const = 0;
  virtual int32_t GetProtocol() const = 0;
};

class CVelkToolkit : public IVelkToolkit {
 public:
  using IVelkToolkit::Wait;

  int32_t NewRoot(const std::wstring& root, int32_t protocol) override;
  int32_t SetView(int32_t view) override;
  int32_t Item(const IVelkToolkit* parent, const std::wstring& moniker) override;
  int32_t Enum(const IVelkToolkit* parent) override;
  int32_t NextEnum() override;
  int32_t Read(const std::wstring& attribute) override;
  int32_t Wait(CVelkResult* results, size_t count) override;
  int32_t Get(const std::wstring& attribute, CVelkResult& result) override;

  std::wstring GetMoniker() const override { return position_.Moniker(); }
  int32_t GetView() const override { return view_; }
  int32_t GetProtocol() const override { return protocol_; }

  // Why the last NewRoot failed: no recording for the server, or the
  // recording's file, line and fault.
  const std::wstring& GetLastErrorText() const { return lastError_; }

 private:
  // Takes over another cursor's server, protocol, view and position.
  int32_t Adopt(const IVelkToolkit* parent);
  int32_t NoItemStatus() const { return recording_ ? kVelkNoItem : kVelkNoServer; }

  std::shared_ptr<const Recording> recording_;
  int32_t protocol_ = kProtocolHart;
  int32_t view_ = kViewCurrent;
  ItemPosition position_;
  const std::pmr::vector<const RecordedItem*>* listing_ = nullptr;
  size_t next_ = 0;
  std::vector<CVelkResult> pending_;
  std::wstring lastError_;
};

}  // namespace ravelin
