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

// What a run has committed, and the device it is writing.
struct RunProgress {
  TestDeviceCounts done;
  TestDeviceCounts pending;  // of the device being written
  int32_t deviceKey = 0;
  std::wstring identifier;
};

// The transaction has rolled back the device that was being written.
TestDeviceCounts Fail(const RunProgress& progress, const std::wstring& why) {
  TestDeviceCounts counts = progress.done;
  counts.error = progress.pending.devices == 0
                     ? L"Test device creation failed: " + why
                     : Format(L"Test device %d (%s) not created: %s", progress.deviceKey,
                              progress.identifier.c_str(), why.c_str());
  BssProgLog(kSource, __LINE__, 2, kRecordsetLogCode, counts.error);
  return counts;
}

// Writes the templates' rows as test devices. Each template is a device of
// its own, also beside another template of the same revision; its blocks
// are consecutive rows. Throws what ends the run.
class TestDeviceWriter {
 public:
  TestDeviceWriter(CDbwDbSession& session, CQueryDevicesFromTemplates& query,
                   const std::wstring& serverName, RunProgress& progress)
      : session_(session),
        query_(query),
        serverName_(serverName),
        progress_(progress),
        db_(session.GetConnection()),
        keys_(db_),
        insert_(db_) {}

  void WriteAll() {
    while (!query_.IsEOF()) WriteDeviceAgainAfterLostRaces();
  }

 private:
  void WriteDeviceAgainAfterLostRaces() {
    const size_t firstRow = query_.GetPosition();
    const int32_t firstDevice = keys_.devices.Upcoming();
    const int32_t firstTag = keys_.tags.Upcoming();
    const int32_t firstBlock = keys_.blocks.Upcoming();
    for (int attempt = 1;; ++attempt) {
      try {
        WriteDevice();
        return;
      } catch (const odbc::OdbcError& error) {
        // The transaction has rolled the device back.
        if (!LostARace(error) || attempt == kAttempts) throw;
        query_.SetPosition(firstRow);
        keys_.devices.RestartAt(firstDevice, kRaceGap * attempt);
        keys_.tags.RestartAt(firstTag, kRaceGap * attempt);
        keys_.blocks.RestartAt(firstBlock, kRaceGap * attempt);
        CEventLog::LeaveGap(kRaceGap * attempt);
      }
    }
  }

  void WriteDevice() {
    odbc::Transaction transaction(db_);
    TestDeviceCounts& pending = progress_.pending;
    pending = {};
    pending.devices = 1;
    InsertDeviceAndFirstBlock();
    pending.blocks = 1;
    InsertFurtherBlocks();
    transaction.Commit();
    progress_.done.devices += pending.devices;
    progress_.done.blocks += pending.blocks;
    progress_.done.dataRows += pending.dataRows;
    pending = {};
  }

  // The device with its calibration status, and its first block with the
  // device's tag, tag assignment and location.
  void InsertDeviceAndFirstBlock() {
    const int32_t blockKey = keys_.blocks.Next();
    const int32_t tagKey = keys_.tags.Next();
    const int32_t deviceKey = progress_.deviceKey = keys_.devices.Next();
    progress_.identifier =
        Format(L"%06x%04xTEST%05d", query_.m_MfrId, query_.m_DeviceType, deviceKey);
    insert_.device.Bind(1, deviceKey);
    insert_.device.Bind(2, query_.m_TarnDevRevId);
    insert_.device.Bind(3, Format(L"A6B0051D-726D-473E-BEE3-0000000%05d", deviceKey));
    insert_.device.Bind(4, progress_.identifier);
    insert_.device.Execute();
    insert_.calStatus.Bind(1, deviceKey);
    insert_.calStatus.Execute();
    insert_.InsertBlock(blockKey, deviceKey, query_.m_BlockIndex, query_.m_BlockType);
    insert_.tag.Bind(1, tagKey);
    insert_.tag.Bind(2, Format(L"FF,%06X,%04X,%02X,%03d", query_.m_MfrId, query_.m_DeviceType,
                               query_.m_DeviceRevision, tagKey));
    insert_.tag.Execute();
    insert_.assignment.Bind(1, tagKey);
    insert_.assignment.Bind(2, blockKey);
    insert_.assignment.Execute();
    insert_.location.Bind(1, blockKey);
    insert_.location.Execute();
  }

  // The rows after the first of the same template: blocks with parameter data.
  void InsertFurtherBlocks() {
    const int32_t revision = query_.m_TarnDevRevId;
    const int32_t config = query_.m_ConfigKey;
    for (query_.MoveNext();
         !query_.IsEOF() && query_.m_TarnDevRevId == revision && query_.m_ConfigKey == config;
         query_.MoveNext()) {
      const int32_t blockKey = keys_.blocks.Next();
      insert_.InsertBlock(blockKey, progress_.deviceKey, query_.m_BlockIndex,
                          query_.m_BlockType);
      ++progress_.pending.blocks;
      progress_.pending.dataRows +=
          CreateBlockData(session_, serverName_, progress_.identifier, blockKey,
                          query_.m_BlockIndex, query_.m_ConfigKey);
    }
  }

  CDbwDbSession& session_;
  CQueryDevicesFromTemplates& query_;
  const std::wstring& serverName_;
  RunProgress& progress_;
  odbc::Connection& db_;
  DeviceKeys keys_;
  DeviceStatements insert_;
};

}  // namespace

TestDeviceCounts CreateTestDevicesCounted(const std::wstring& serverName) {
  CDbwDbSession session;
  session.OpenDb();
  CQueryDevicesFromTemplates query(&session);
  if (!query.Open(kTemplateBlocksSql)) {
    TestDeviceCounts none;
    none.error = L"No test devices created: " + query.GetLastError();  // logged by the query
    return none;
  }
  RunProgress progress;
  try {
    TestDeviceWriter(session, query, serverName, progress).WriteAll();
  } catch (const odbc::OdbcError& error) {
    // Say which database refused: a lock held elsewhere shows only here.
    return Fail(progress, Format(L"data source \"%s\": %s", session.GetDataSource().c_str(),
                                 error.Text().c_str()));
  } catch (const std::exception& error) {
    return Fail(progress, FromUtf8(error.what()));
  }
  return progress.done;
}

void CreateTestDevices(std::wstring serverName) {
  CreateTestDevicesCounted(serverName);
}

}  // namespace ravelin
