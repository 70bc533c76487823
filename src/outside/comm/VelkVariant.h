// One value read through the device communication toolkit, and the status
// codes of its calls. Every failure status is negative: callers test a
// result's status for "negative" and a call's return for "nonzero".
#pragma once

#include <cstdint>
#include <string>

namespace ravelin {

// Variant types, with the numbers of the OLE automation variant.
enum VelkVarType : uint16_t {
  kVtEmpty = 0,
  kVtI4 = 3,
  kVtR4 = 4,
  kVtR8 = 5,
  kVtBstr = 8,
};

enum VelkStatus : int32_t {
  kVelkOk = 0,
  kVelkNoServer = -1,       // no recording for the server, or no NewRoot yet
  kVelkBadRecording = -2,   // the server's recording is malformed
  kVelkNoItem = -3,         // the moniker names nothing, or no current item
  kVelkNoAttribute = -4,    // the item has no such attribute
  kVelkNoValue = -5,        // nothing recorded for the item in this view
  kVelkEndOfList = -6,      // NextEnum went past the last child
  kVelkNoList = -7,         // the item has no children to list
  kVelkBadArgument = -8,    // bad root text, view, protocol or parent
  kVelkTooFewResults = -9,  // Wait was given fewer results than reads queued
  kVelkWrongType = -10,     // the value is not of the type asked for
  kVelkNothingRead = -11,   // Wait without a Read before it
};

class CVelkVariant {
 public:
  CVelkVariant() = default;
  explicit CVelkVariant(int32_t value) : vt_(kVtI4), i4_(value) {}
  explicit CVelkVariant(float value) : vt_(kVtR4), r8_(value) {}
  explicit CVelkVariant(double value) : vt_(kVtR8), r8_(value) {}
  explicit CVelkVariant(std::wstring value) : vt_(kVtBstr), bstr_(std::move(value)) {}

  uint16_t GetVT() const { return vt_; }

  // The string, empty unless the variant is a string.
  const std::wstring& GetVT_BSTRW() const { return bstr_; }

  // Numbers convert among each other (an integer read of a float truncates
  // toward zero); a string or an empty variant reads as 0.
  int32_t GetVT_I4() const;
  float GetVT_R4() const { return static_cast<float>(GetVT_R8()); }
  double GetVT_R8() const;

 private:
  uint16_t vt_ = kVtEmpty;
  int32_t i4_ = 0;
  double r8_ = 0.0;
  std::wstring bstr_;
};

// One read: the value first, then the status of the read (0 or negative).
struct CVelkResult {
  CVelkVariant m_var;
  int32_t m_status = kVelkNoValue;
};

}  // namespace ravelin
