#include "plant/PlantDatabase.h"

#include <cstring>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "base/Text.h"
#include "outside/db/ConnectString.h"
#include "outside/db/DataSource.h"
#include "outside/db/HostSchema.h"
#include "outside/db/Odbc.h"
#include "plant/PlantFiles.h"
#include "plant/RevisionKinds.h"

namespace ravelin::plant {

const TemplateBlock kTemplateBlocks[3] = {
    {0, L"Resource"}, {1, L"Transducer"}, {2, L"AnalogInput"}};

namespace {

using odbc::Statement;

odbc::Bytes Ascii(const char* text) { return odbc::Bytes(text, text + std::strlen(text)); }

// Stored data of the template blocks after the first, in the host's
// 12-character value form.
struct StoredValue {
  int32_t block;
  const wchar_t* name;
  const char* data;
};
const StoredValue kStoredValues[] = {
    {1, L"00020001:00", "014601000000"},
    {1, L"00020002:01", "01470000C842"},
    {1, L"00020002:02", "014700000000"},
    {2, L"00030001:00", "014601000000"},
};

// Inserts identity rows on first use and answers their keys.
class Identities {
 public:
  explicit Identities(odbc::Connection& db)
      : manufacturer_(db.Prepare(L"INSERT INTO Manufacturers (MfrId, MfrName) VALUES (?, ?)")),
        protocol_(db.Prepare(
            L"INSERT INTO MfrProtocols (MfrProtocolId, MfrId, ProtocolId) VALUES (?, ?, ?)")),
        type_(db.Prepare(L"INSERT INTO DeviceTypes (TarnDevTypeId, MfrProtocolId, DeviceType,"
                         L" DeviceTypeName, MajorCategoryId) VALUES (?, ?, ?, ?, ?)")),
        revision_(db.Prepare(L"INSERT INTO DeviceRevisions (TarnDevRevId, TarnDevTypeId,"
                             L" DeviceRevision) VALUES (?, ?, ?)")) {
    Statement category = db.Prepare(
        L"INSERT INTO MajorDeviceCategories (MajorCategoryId, MajorCategoryName) VALUES (?, ?)");
    for (int32_t id : {kPressure, kTemperature, kFlow, kFrequency, kGeneric}) {
      category.Bind(1, id);
      category.Bind(2, std::wstring(CategoryName(id)));
      category.Execute();
    }
  }

  // TarnDevRevId of a revision reached through `protocolId`.
  int32_t Revision(const plant::Revision& revision, int32_t protocolId) {
    const Identity& id = revision.id;
    const int32_t manufacturer = static_cast<int32_t>(id.manufacturer);
    if (manufacturers_.emplace(manufacturer).second) {
      manufacturer_.Bind(1, manufacturer);
      manufacturer_.Bind(2, ManufacturerName(id.manufacturer));
      manufacturer_.Execute();
    }
    const int32_t protocolKey = Key(protocols_, {manufacturer, protocolId, 0}, [&](int32_t key) {
      protocol_.Bind(1, key);
      protocol_.Bind(2, manufacturer);
      protocol_.Bind(3, protocolId);
      protocol_.Execute();
    });
    const int32_t typeKey = Key(
        types_, {protocolKey, static_cast<int32_t>(id.deviceType), 0}, [&](int32_t key) {
          type_.Bind(1, key);
          type_.Bind(2, protocolKey);
          type_.Bind(3, static_cast<int32_t>(id.deviceType));
          type_.Bind(4, std::wstring(revision.kind->typeName));
          type_.Bind(5, revision.kind->category);
          type_.Execute();
        });
    return Key(revisions_, {typeKey, static_cast<int32_t>(id.deviceRevision), 0},
               [&](int32_t key) {
                 revision_.Bind(1, key);
                 revision_.Bind(2, typeKey);
                 revision_.Bind(3, static_cast<int32_t>(id.deviceRevision));
                 revision_.Execute();
               });
  }

 private:
  using KeyOf = std::map<std::tuple<int32_t, int32_t, int32_t>, int32_t>;
  template <typename Insert>
  static int32_t Key(KeyOf& keys, const std::tuple<int32_t, int32_t, int32_t>& of,
                     Insert insert) {
    const auto [it, added] = keys.try_emplace(of, static_cast<int32_t>(keys.size() + 1));
    if (added) insert(it->second);
    return it->second;
  }

  Statement manufacturer_, protocol_, type_, revision_;
  std::set<int32_t> manufacturers_;
  KeyOf protocols_, types_, revisions_;
};

void WriteDevices(odbc::Connection& db, Identities& identities, const Plant& plant) {
  Statement device = db.Prepare(
      L"INSERT INTO Devices (DeviceKey, TarnDevRevId, TarnDeviceId, Identifier,"
      L" TarnDeviceTag) VALUES (?, ?, ?, ?, ?)");
  Statement block = db.Prepare(
      L"INSERT INTO Blocks (BlockKey, DeviceKey, BlockIndex, BlockType) VALUES (?, ?, ?, ?)");
  Statement tag = db.Prepare(L"INSERT INTO ExtBlockTags (ExtBlockTagKey, ExtBlockTag) VALUES (?, ?)");
  Statement assignment = db.Prepare(
      L"INSERT INTO BlockAsgms (ExtBlockTagKey, BlockKey, EventIdDayOut, EventIdFractionOut,"
      L" EventIdDayIn, EventIdFractionIn) VALUES (?, ?, ?, 0, ?, 0)");
  for (size_t i = 0; i < plant.devices.size(); ++i) {
    const Device& d = plant.devices[i];
    const plant::Revision& revision = plant.revisions[d.revision];
    const bool fieldbus = revision.id.protocol == Protocol::Fieldbus;
    const int32_t key = PlantKey(i);
    device.Bind(1, key);
    device.Bind(2, identities.Revision(revision, d.protocolId));
    device.Bind(3, d.deviceId);
    device.Bind(4, d.serial);
    device.Bind(5, d.tag);
    device.Execute();
    block.Bind(1, key);
    block.Bind(2, key);
    block.Bind(3, fieldbus ? revision.kind->blockIndex : 0);
    block.Bind(4, std::wstring(fieldbus ? L"Transducer" : L"HART"));
    block.Execute();
    tag.Bind(1, key);
    tag.Bind(2, d.tag);
    tag.Execute();
    assignment.Bind(1, key);
    assignment.Bind(2, key);
    assignment.Bind(3, kAssignedUntilDay);
    assignment.Bind(4, kAssignedFromDay);
    assignment.Execute();
  }
}

void WriteTemplates(odbc::Connection& db, Identities& identities, const Plant& plant) {
  Statement config = db.Prepare(
      L"INSERT INTO NamedConfigs (ConfigKey, TarnDevRevId, ConfigName) VALUES (?, ?, ?)");
  Statement block = db.Prepare(
      L"INSERT INTO NamedConfigBlocks (ConfigKey, BlockIndex, BlockType) VALUES (?, ?, ?)");
  Statement data = db.Prepare(
      L"INSERT INTO NamedConfigData (ConfigKey, BlockIndex, ParamKind, ParamName,"
      L" ParamDataType, ParamDataSize, ParamData) VALUES (?, ?, 'P', ?, 3, ?, ?)");
  for (size_t i = 0; i < plant.templates.size(); ++i) {
    const Template& t = plant.templates[i];
    const int32_t key = static_cast<int32_t>(i + 1);
    // Test devices made from a template are fieldbus devices.
    config.Bind(1, key);
    config.Bind(2, identities.Revision(plant.revisions[t.fieldbusRevision], 3));
    config.Bind(3, t.name);
    config.Execute();
    block.Bind(1, key);
    data.Bind(1, key);
    for (const TemplateBlock& b : kTemplateBlocks) {
      block.Bind(2, b.index);
      block.Bind(3, std::wstring(b.type));
      block.Execute();
    }
    for (const StoredValue& value : kStoredValues) {
      const odbc::Bytes bytes = Ascii(value.data);
      data.Bind(2, value.block);
      data.Bind(3, std::wstring(value.name));
      data.Bind(4, static_cast<int32_t>(bytes.size()));
      data.Bind(5, bytes);
      data.Execute();
    }
  }
}

// Takes the server plant's lock for this transaction, or says that another
// run holds it.
void ClaimServerDatabase(odbc::Connection& db, const std::wstring& database) {
  Statement claim = db.Prepare(Format(
      L"SELECT CASE WHEN pg_try_advisory_xact_lock(%d) THEN 1 ELSE 0 END", kServerPlantLock));
  claim.Execute();
  if (claim.Fetch() && claim.GetInt(1) == 1) return;
  throw PlantError(Format(L"another plant is being made in the database \"%s\" by a"
                          L" ravelin-plant run at this moment; try again when it has finished",
                          database.c_str()));
}

// The tools' text crosses the ANSI driver as UTF-8 bytes, which only a UTF8
// database stores as the characters they are.
void RequireUtf8(odbc::Connection& db, const std::wstring& database) {
  Statement encoding = db.Prepare(L"SELECT pg_encoding_to_char(encoding) FROM pg_database"
                                  L" WHERE datname = current_database()");
  encoding.Execute();
  const std::wstring name = encoding.Fetch() ? encoding.GetText(1) : L"";
  if (name == L"UTF8") return;
  throw PlantError(Format(L"the database \"%s\" has the encoding %s; the host database must"
                          L" be UTF8 (createdb -E UTF8 -T template0)",
                          database.c_str(), name.c_str()));
}

// Host tables on the search path that carry no mark of an earlier plant.
std::vector<std::wstring> ForeignHostTables(odbc::Connection& db) {
  Statement mark = db.Prepare(
      L"SELECT COALESCE(obj_description(t.oid, 'pg_class'), '')"
      L" FROM (SELECT to_regclass(?) AS oid) t WHERE t.oid IS NOT NULL");
  std::vector<std::wstring> foreign;
  for (const std::wstring& table : HostSchemaTables()) {
    mark.Bind(1, table);
    mark.Execute();
    if (mark.Fetch() && mark.GetText(1) != kServerTableMark) foreign.push_back(table);
  }
  return foreign;
}

void WriteRows(const Plant& plant, odbc::Connection& db) {
  Identities identities(db);
  WriteDevices(db, identities, plant);
  WriteTemplates(db, identities, plant);
}

}  // namespace

void WritePlantDatabase(const Plant& plant, const std::wstring& databaseFile) {
  CreateHostDatabase(databaseFile);
  odbc::Connection db;
  db.Open(SqliteConnectString(databaseFile, false));
  odbc::Transaction transaction(db);
  WriteRows(plant, db);
  transaction.Commit();
}

void WritePlantServerDatabase(const Plant& plant, const std::wstring& server,
                              bool replaceForeign) {
  odbc::Connection db;
  db.Open(PostgreSqlConnectString(server));
  // One transaction: a failure leaves the server's old plant as it was.
  odbc::Transaction transaction(db);
  const std::wstring database = odbc::ConnectAttribute(server, L"Database");
  ClaimServerDatabase(db, database);
  RequireUtf8(db, database);
  if (!replaceForeign) {
    const std::vector<std::wstring> foreign = ForeignHostTables(db);
    if (!foreign.empty()) {
      std::wstring names;
      for (const std::wstring& table : foreign) names += (names.empty() ? L"" : L", ") + table;
      throw PlantError(Format(
          L"the database \"%s\" holds tables that ravelin-plant did not make but would"
          L" replace: %s; give --replace to drop them, or use another database",
          database.c_str(), names.c_str()));
    }
  }
  DropHostSchema(db);
  CreateHostSchema(db);
  for (const std::wstring& table : HostSchemaTables()) {
    db.Execute(Format(L"COMMENT ON TABLE %s IS '%s'", table.c_str(), kServerTableMark));
  }
  WriteRows(plant, db);
  transaction.Commit();
}

}  // namespace ravelin::plant
