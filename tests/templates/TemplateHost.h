// A fresh host for template tests: a temporary host root with a host
// database behind the data source VELK, a recording of plant server PLANT1,
// and helpers that add device templates and read tables back as text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "outside/db/DataSource.h"
#include "outside/db/Odbc.h"
#include "outside/db/ProgLog.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

namespace ravelin::testing {

class TemplateHost {
 public:
  TemplateHost() {
    CreateHostDatabase(databaseFile);
    EXPECT_TRUE(WriteVelkDataSource(dir.Path(), databaseFile));
    db.Open(SqliteConnectString(databaseFile, false));
  }

  void Recording(const std::string& body) const {
    dir.Write(L"recordings/PLANT1.rec", "ravelin-recording 1\n" + body);
  }

  void Execute(const std::wstring& sql, const std::vector<int32_t>& numbers = {},
               const std::vector<std::wstring>& texts = {}) {
    odbc::Statement statement = db.Prepare(sql);
    int index = 1;
    for (int32_t number : numbers) statement.Bind(index++, number);
    for (const std::wstring& text : texts) statement.Bind(index++, text);
    statement.Execute();
  }

  // A fieldbus device revision; its keys are `revisionId`.
  void AddRevision(int32_t revisionId, int32_t manufacturer, int32_t deviceType,
                   int32_t revision) {
    Execute(L"INSERT OR IGNORE INTO Manufacturers (MfrId, MfrName) VALUES (?, 'Maker')",
            {manufacturer});
    Execute(L"INSERT INTO MfrProtocols VALUES (?, ?, 3)", {revisionId, manufacturer});
    Execute(L"INSERT INTO DeviceTypes (TarnDevTypeId, MfrProtocolId, DeviceType,"
            L" DeviceTypeName) VALUES (?, ?, ?, 'Transmitter')",
            {revisionId, revisionId, deviceType});
    Execute(L"INSERT INTO DeviceRevisions VALUES (?, ?, ?)",
            {revisionId, revisionId, revision});
  }

  void AddTemplate(int32_t configKey, int32_t revisionId,
                   const std::vector<std::pair<int32_t, std::wstring>>& blocks) {
    Execute(L"INSERT INTO NamedConfigs VALUES (?, ?, ?)", {configKey, revisionId},
            {L"Template " + std::to_wstring(configKey)});
    for (const auto& [index, type] : blocks) {
      Execute(L"INSERT INTO NamedConfigBlocks VALUES (?, ?, ?)", {configKey, index}, {type});
    }
  }

  void AddStoredData(int32_t configKey, int32_t blockIndex, const std::wstring& kind,
                     const std::wstring& name, const std::string& data) {
    odbc::Statement statement = db.Prepare(
        L"INSERT INTO NamedConfigData VALUES (?, ?, ?, ?, 3, ?, ?)");
    statement.Bind(1, configKey);
    statement.Bind(2, blockIndex);
    statement.Bind(3, kind);
    statement.Bind(4, name);
    statement.Bind(5, static_cast<int32_t>(data.size()));
    statement.Bind(6, odbc::Bytes(data.begin(), data.end()));
    statement.Execute();
  }

  // The rows of a query, each its columns joined by '|'.
  std::vector<std::string> Rows(const std::wstring& sql, int columns) {
    odbc::Statement query = db.Prepare(sql);
    query.Execute();
    std::vector<std::string> rows;
    while (query.Fetch()) {
      std::string row;
      for (int c = 1; c <= columns; ++c) row += (c > 1 ? "|" : "") + ToUtf8(query.GetText(c));
      rows.push_back(row);
    }
    return rows;
  }
  int Count(const std::wstring& table) {
    return std::stoi(Rows(L"SELECT COUNT(*) FROM " + table, 1).at(0));
  }

  std::string ProgLog() const { return ReadBytes(ProgLogPath()); }

  TempDir dir;
  FakePlatform platform{dir.Path()};
  std::wstring databaseFile = dir.Join(L"velk.db");
  odbc::Connection db;
};

}  // namespace ravelin::testing
