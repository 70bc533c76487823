// Test devices from the device templates: for every template one
// FOUNDATION Fieldbus device with the template's blocks. The first block
// carries the device's tag, tag assignment and location; every further block
// carries parameter data, copied from the template and generated from the
// device description through the toolkit.
//
// Device, block and tag keys count up from 100 and pass over keys that are
// taken, so a second run adds a second set of devices instead of failing on
// the first key. Each device is written in one transaction on one
// connection: a failure rolls back the device it hit and ends the run, with a
// program-log entry; the devices written before it stay. A device that lost
// a race for a key to another writer (two runs at once, on a server or on
// one SQLite file) is rolled back and written again with the keys read
// anew, at most ten times.
#pragma once

#include <cstdint>
#include <string>

namespace ravelin {

class CDbwDbSession;

struct TestDeviceCounts {
  // What was written and committed.
  int32_t devices = 0;
  int32_t blocks = 0;
  int32_t dataRows = 0;
  // Why the run ended early; empty when every template was done.
  std::wstring error;
};

// The run behind CreateTestDevices, with what it did.
TestDeviceCounts CreateTestDevicesCounted(const std::wstring& serverName);

// Shows nothing and reports nothing; failures go to the program log.
void CreateTestDevices(std::wstring serverName);

// The parameter data of one block of a test device, on a connection of its
// own; throws odbc::OdbcError when the event log or the template's data
// cannot be read or a row cannot be written.
void CreateBlockData(std::wstring serverName, std::wstring identifier, int32_t blockKey,
                     int32_t blockIndex, int32_t configKey);

// The same on `session`, inside the caller's transaction. Returns the number
// of data rows written.
int32_t CreateBlockData(CDbwDbSession& session, const std::wstring& serverName,
                        const std::wstring& identifier, int32_t blockKey,
                        int32_t blockIndex, int32_t configKey);

}  // namespace ravelin
