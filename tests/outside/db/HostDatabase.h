// A fresh host for database tests: a temporary directory as the host root
// (the Windows directory), a host database in it, and the data source VELK
// pointing at that database.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "outside/db/DataSource.h"
#include "outside/db/DbwSession.h"
#include "outside/db/Odbc.h"
#include "outside/db/ProgLog.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace ravelin::testing {

class HostDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateHostDatabase(databaseFile_);
    ASSERT_TRUE(WriteVelkDataSource(dir_.Path(), databaseFile_));
    ASSERT_TRUE(session_.OpenDb());
  }

  odbc::Connection& Db() { return session_.GetConnection(); }
  std::string ProgLog() const { return ReadBytes(ProgLogPath()); }

  // One device of one revision with one block, tagged `tag` from day `in`
  // (inclusive) to day `out` (exclusive). Keys derive from `n`, so devices
  // with different `n` do not collide.
  void AddDevice(int n, int protocol, const std::wstring& tag, int in, int out) {
    auto run = [this](const std::wstring& sql, std::initializer_list<int> numbers,
                      std::initializer_list<std::wstring> texts = {}) {
      odbc::Statement statement = Db().Prepare(sql);
      int index = 1;
      for (int number : numbers) statement.Bind(index++, number);
      for (const std::wstring& text : texts) statement.Bind(index++, text);
      statement.Execute();
    };
    run(L"INSERT INTO Manufacturers (MfrId, MfrName) VALUES (?, ?)", {0x26 + n},
        {L"Maker " + std::to_wstring(n)});
    run(L"INSERT INTO MajorDeviceCategories VALUES (?, ?)", {n}, {L"Pressure"});
    run(L"INSERT INTO MfrProtocols VALUES (?, ?, ?)", {n, 0x26 + n, protocol});
    run(L"INSERT INTO DeviceTypes (TarnDevTypeId, MfrProtocolId, DeviceType,"
        L" MajorCategoryId, DeviceTypeName) VALUES (?, ?, ?, ?, ?)",
        {n, n, 0x122, n},
        {L"Transmitter " + std::to_wstring(n)});
    run(L"INSERT INTO DeviceRevisions VALUES (?, ?, ?)", {n, n, 10});
    run(L"INSERT INTO Devices (DeviceKey, TarnDevRevId, TarnDeviceId, Identifier)"
        L" VALUES (?, ?, ?, ?)",
        {n, n}, {L"ID-" + std::to_wstring(n), L"SERIAL-" + std::to_wstring(n)});
    run(L"INSERT INTO Blocks (BlockKey, DeviceKey, BlockIndex, BlockType)"
        L" VALUES (?, ?, 0, 'Transducer')",
        {n, n});
    run(L"INSERT INTO ExtBlockTags (ExtBlockTagKey, ExtBlockTag) VALUES (?, ?)",
        {n}, {tag});
    AssignTag(n, n, in, out);
  }

  void AssignTag(int tagKey, int blockKey, int in, int out) {
    odbc::Statement statement = Db().Prepare(
        L"INSERT INTO BlockAsgms (ExtBlockTagKey, BlockKey, EventIdDayIn,"
        L" EventIdFractionIn, EventIdDayOut, EventIdFractionOut)"
        L" VALUES (?, ?, ?, 0, ?, 0)");
    statement.Bind(1, tagKey);
    statement.Bind(2, blockKey);
    statement.Bind(3, in);
    statement.Bind(4, out);
    statement.Execute();
  }

  TempDir dir_;
  FakePlatform platform_{dir_.Path()};
  std::wstring databaseFile_ = dir_.Join(L"velk.db");
  CDbwDbSession session_;
};

}  // namespace ravelin::testing
