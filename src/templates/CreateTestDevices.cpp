#include "templates/CreateTestDevices.h"

#include <exception>
#include <vector>

#include "base/Text.h"
#include "outside/db/DbwSession.h"
#include "outside/db/DbwTime.h"
#include "outside/db/EventLog.h"
#include "outside/db/Odbc.h"
#include "outside/db/ProgLog.h"
#include "templates/QueryDevicesFromTemplates.h"
#include "templates/RecordsetText.h"

namespace ravelin {

namespace {

constexpr wchar_t kSource[] = L"CreateTestDevices";
constexpr int32_t kFirstKey = 100;

// Counts up from 100 past the keys a column holds already.
class KeyCounter {
 public:
  KeyCounter(odbc::Connection& db, const wchar_t* table, const wchar_t* column)
      : query_(db.Prepare(Format(L"SELECT %s FROM %s WHERE %s >= ? ORDER BY %s", column,
                                 table, column, column))) {
    RestartAt(kFirstKey);
  }

  int32_t Next() {
    ++last_;
    while (next_ < taken_.size() && taken_[next_] <= last_) {
      if (taken_[next_] == last_) ++last_;
      ++next_;
    }
    return last_;
  }

  // The key the next call of Next starts from.
  int32_t Upcoming() const { return last_ + 1; }

  // Reads anew the keys from `key` on and counts on from there; with a
  // `gap`, from that far past the first free key instead. A writer that lost
  // a race would otherwise choose the very key the winner, always a step
  // ahead, writes next.
  void RestartAt(int32_t key, int32_t gap = 0) {
    query_.Bind(1, key);
    query_.Execute();
    taken_.clear();
    while (query_.Fetch()) taken_.push_back(query_.GetInt(1));
    query_.CloseCursor();  // the statement is kept for the run
    next_ = 0;
    last_ = key - 1;
    if (gap > 0) last_ = Next() - 1 + gap;
  }

 private:
  odbc::Statement query_;
  std::vector<int32_t> taken_;  // ascending
  size_t next_ = 0;
  int32_t last_ = kFirstKey - 1;
};

// The device, tag and block keys of a run.
struct DeviceKeys {
  explicit DeviceKeys(odbc::Connection& db)
      : devices(db, L"Devices", L"DeviceKey"),
        tags(db, L"ExtBlockTags", L"ExtBlockTagKey"),
        blocks(db, L"Blocks", L"BlockKey") {}
  KeyCounter devices, tags, blocks;
};

// Another writer committed a key (or event id) this device had chosen, or
// the server broke a deadlock with it: the device is worth writing again
// with keys read anew.
bool LostARace(const odbc::OdbcError& error) {
  const std::wstring& state = error.SqlState();
  return odbc::IsDuplicateKey(error) || state == L"40001" || state == L"40P01";
}

// How often one device is written again after losing a race, and how far
// past the winner's keys (and event ids, in milliseconds) it moves each time.
constexpr int kAttempts = 10;
constexpr int32_t kRaceGap = 16;

// The six statements of a test device, prepared once for the run.
struct DeviceStatements {
  explicit DeviceStatements(odbc::Connection& db)
      : device(db.Prepare(
            L"INSERT into devices (DeviceKey, TarnDevRevId, TarnDeviceId, Identifier,"
            L" ProtocolRevision, DispositionId, TarnDeviceTag ) values ( ?, ?, ?, ?, 0, 2, '' )")),
        calStatus(db.Prepare(
            L"Insert into CalStatus ( DeviceKey, DevLastCalibrationDay,"
            L" DevLastCalibrationFraction, DevNextCalibrationDueDay,"
            L" DevNextCalibrationDueFraction, DevPassedLastCalibration ) values"
            L" ( ?, 0, 0, 0, 0, 1 )")),
        block(db.Prepare(
            L"INSERT into blocks (BlockKey, DeviceKey, BlockIndex, DispositionId, BlockType )"
            L" values ( ?, ?, ?, 2, ? )")),
        tag(db.Prepare(
            L"INSERT into extblocktags (ExtBlockTagKey, ExtBlocktag, extblockTagDesc,"
            L" TestDefinitionId) values ( ?, ?, '', -1 )")),
        assignment(db.Prepare(
            Format(L"INSERT into Blockasgms ( ExtBlockTagKey, BlockKey, EventIddayOut,"
                   L" EventIdFractionOut, EventIdDayIn, EventIdfractionIn ) values"
                   L" ( ?, ?, %d, 0, %d, 0 )",
                   kOpenEndDay, kUnixEpochDay))),
        location(db.Prepare(
            L"Insert into DeviceLocation ( PlantServerKey, BlockKey, NetworkInfoKey,"
            L" TARNPath, HostPath, HostTag, IdentStatus ) values"
            L" ( 0, ?, -1, '!net', 'tag', 0, 0 )")) {}

  void InsertBlock(int32_t blockKey, int32_t deviceKey, int32_t blockIndex,
                   const std::wstring& blockType) {
    block.Bind(1, blockKey);
    block.Bind(2, deviceKey);
    block.Bind(3, blockIndex);
    block.Bind(4, blockType);
    block.Execute();
  }

  odbc::Statement device, calStatus, block, tag, assignment, location;
};

// The transaction has rolled back the device that was being written.
TestDeviceCounts Fail(TestDeviceCounts counts, int32_t writing, int32_t deviceKey,
                      const std::wstring& identifier, const std::wstring& why) {
  counts.error = writing == 0 ? L"Test device creation failed: " + why
                              : Format(L"Test device %d (%s) not created: %s", deviceKey,
                                       identifier.c_str(), why.c_str());
  BssProgLog(kSource, __LINE__, 2, kRecordsetLogCode, counts.error);
  return counts;
}

}  // namespace

TestDeviceCounts CreateTestDevicesCounted(const std::wstring& serverName) {
  TestDeviceCounts done;
  CDbwDbSession session;
  session.OpenDb();
  CQueryDevicesFromTemplates query(&session);
  if (!query.Open(kTemplateBlocksSql)) {
    done.error = L"No test devices created: " + query.GetLastError();  // logged by the query
    return done;
  }

  TestDeviceCounts pending;  // of the device being written
  int32_t deviceKey = 0;
  std::wstring identifier;
  try {
    odbc::Connection& db = session.GetConnection();
    DeviceKeys keys(db);
    DeviceStatements insert(db);
    // Each template is a device of its own, also beside another template
    // of the same revision; its blocks are consecutive rows.
    auto writeDevice = [&] {
      odbc::Transaction transaction(db);
      pending = {};
      pending.devices = 1;
      const int32_t revision = query.m_TarnDevRevId;
      const int32_t config = query.m_ConfigKey;
      const int32_t blockKey = keys.blocks.Next();
      const int32_t tagKey = keys.tags.Next();
      deviceKey = keys.devices.Next();
      identifier = Format(L"%06x%04xTEST%05d", query.m_MfrId, query.m_DeviceType, deviceKey);
      const std::wstring deviceId = Format(L"A6B0051D-726D-473E-BEE3-0000000%05d", deviceKey);

      insert.device.Bind(1, deviceKey);
      insert.device.Bind(2, query.m_TarnDevRevId);
      insert.device.Bind(3, deviceId);
      insert.device.Bind(4, identifier);
      insert.device.Execute();
      insert.calStatus.Bind(1, deviceKey);
      insert.calStatus.Execute();
      insert.InsertBlock(blockKey, deviceKey, query.m_BlockIndex, query.m_BlockType);
      insert.tag.Bind(1, tagKey);
      insert.tag.Bind(2, Format(L"FF,%06X,%04X,%02X,%03d", query.m_MfrId, query.m_DeviceType,
                                query.m_DeviceRevision, tagKey));
      insert.tag.Execute();
      insert.assignment.Bind(1, tagKey);
      insert.assignment.Bind(2, blockKey);
      insert.assignment.Execute();
      insert.location.Bind(1, blockKey);
      insert.location.Execute();
      pending.blocks = 1;
      for (query.MoveNext();
           !query.IsEOF() && query.m_TarnDevRevId == revision && query.m_ConfigKey == config;
           query.MoveNext()) {
        const int32_t further = keys.blocks.Next();
        insert.InsertBlock(further, deviceKey, query.m_BlockIndex, query.m_BlockType);
        ++pending.blocks;
        pending.dataRows += CreateBlockData(session, serverName, identifier, further,
                                            query.m_BlockIndex, query.m_ConfigKey);
      }
      transaction.Commit();
      done.devices += pending.devices;
      done.blocks += pending.blocks;
      done.dataRows += pending.dataRows;
      pending = {};
    };

    while (!query.IsEOF()) {
      const size_t firstRow = query.GetPosition();
      const int32_t firstDevice = keys.devices.Upcoming();
      const int32_t firstTag = keys.tags.Upcoming();
      const int32_t firstBlock = keys.blocks.Upcoming();
      for (int attempt = 1;; ++attempt) {
        try {
          writeDevice();
          break;
        } catch (const odbc::OdbcError& error) {
          // The transaction has rolled the device back.
          if (!LostARace(error) || attempt == kAttempts) throw;
          query.SetPosition(firstRow);
          keys.devices.RestartAt(firstDevice, kRaceGap * attempt);
          keys.tags.RestartAt(firstTag, kRaceGap * attempt);
          keys.blocks.RestartAt(firstBlock, kRaceGap * attempt);
          CEventLog::LeaveGap(kRaceGap * attempt);
        }
      }
    }
  } catch (const odbc::OdbcError& error) {
    // Say which database refused: a lock held elsewhere shows only here.
    return Fail(done, pending.devices, deviceKey, identifier,
                Format(L"data source \"%s\": %s", session.GetDataSource().c_str(),
                       error.Text().c_str()));
  } catch (const std::exception& error) {
    return Fail(done, pending.devices, deviceKey, identifier, FromUtf8(error.what()));
  }
  return done;
}

void CreateTestDevices(std::wstring serverName) {
  CreateTestDevicesCounted(serverName);
}

}  // namespace ravelin
