// The host database of a plant: device identities, tagged devices with
// their blocks, tags and assignments, and the templates with their blocks
// and stored data. Written in one transaction.
#pragma once

#include <string>

#include "outside/db/DbwTime.h"
#include "plant/PlantContent.h"

namespace ravelin::plant {

// Creates `databaseFile`, which must not exist. Throws odbc::OdbcError.
void WritePlantDatabase(const Plant& plant, const std::wstring& databaseFile);

// Replaces the host schema's tables in the server database of `server` (the
// PostgreSQL ODBC driver's attributes) with the plant's, in one transaction.
// Tables of the host schema's names that an earlier plant did not make are
// refused (PlantError) unless `replaceForeign`; so are a database another
// run is writing a plant into and one that is not UTF8. Throws
// odbc::OdbcError.
void WritePlantServerDatabase(const Plant& plant, const std::wstring& server,
                              bool replaceForeign = false);

// The transaction-scoped advisory lock that a server plant holds while it
// writes, so that a second run at once is told instead of colliding.
constexpr int32_t kServerPlantLock = 0x52766c50;

// The comment that marks a server table as made by ravelin-plant.
constexpr wchar_t kServerTableMark[] = L"made by ravelin-plant";

// The blocks every template lists, in block index order.
struct TemplateBlock {
  int32_t index;
  const wchar_t* type;
};
extern const TemplateBlock kTemplateBlocks[3];

// Tags hold from 1970-01-01 with no end, so the tester's lookup finds them.
constexpr int32_t kAssignedFromDay = kUnixEpochDay;
constexpr int32_t kAssignedUntilDay = kOpenEndDay;

}  // namespace ravelin::plant
