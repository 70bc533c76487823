// Generates a complete host installation into a directory, laid out as the
// host root:
//   velk.ini, VelkProfile.ini     installation paths and the plant server
//   dd/hart, dd/fieldbus          the DD roots: .sym files and map files
//   recordings/PLANT1.rec         what the plant server's devices answer
//   velk.db, odbc.ini, odbcinst.ini   the host database and data source VELK
//                                     (no velk.db when the database is on a
//                                     PostgreSQL server)
//   reports/                      the report folder
//   .ravelin-plant                marks a directory this program may replace
#pragma once

#include <cstddef>
#include <string>

namespace ravelin::plant {

constexpr wchar_t kMarkerName[] = L".ravelin-plant";

// Replaces the content of `directory` (created when missing; refused unless
// empty or made by this program) with the plant of `templates` templates and
// as many tagged devices. Throws PlantError or odbc::OdbcError; a run that
// fails leaves the folder as it found it (an earlier plant whole, a folder it
// made removed).
//
// With `server` (the PostgreSQL ODBC driver's attributes, DataSource.h) the
// host database is that server database instead of velk.db: the schema's
// tables there are replaced, other tables stay. Host tables that no earlier
// plant made are refused unless `replaceForeign` (PlantDatabase.h).
void GeneratePlant(const std::wstring& directory, size_t templates,
                   const std::wstring& server = L"", bool replaceForeign = false);

}  // namespace ravelin::plant
