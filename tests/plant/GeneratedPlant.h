// The base plant, generated once into a temporary host root shared by the
// tests of one program; the platform answers with that root. In a run
// against the test server its host database is a database there.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "outside/db/DataSource.h"
#include "plant/PlantContent.h"
#include "plant/PlantGenerator.h"
#include "support/FakePlatform.h"
#include "support/ServerDatabase.h"
#include "support/TempDir.h"

namespace ravelin::testing {

class GeneratedPlantTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    root_ = new std::wstring(dir_->Join(L"plant"));
    const std::wstring server = TestServer();
    std::wstring database;
    if (!server.empty()) {
      // The PostgreSQL driver settles at the first connection which odbc.ini
      // the process reads.
      UseHostDataSources(*root_);
      database = FreshServerDatabase(server);
    }
    plant::GeneratePlant(*root_, plant::kDefaultTemplates, database);
  }
  static void TearDownTestSuite() {
    delete root_;
    delete dir_;
  }
  void SetUp() override { UseHostDataSources(*root_); }

  static std::wstring Root() { return *root_; }
  static std::wstring HartRoot() { return JoinPath(JoinPath(*root_, L"dd"), L"hart"); }
  static std::wstring FieldbusRoot() { return JoinPath(JoinPath(*root_, L"dd"), L"fieldbus"); }

  FakePlatform platform_{*root_};

 private:
  static inline TempDir* dir_ = nullptr;
  static inline std::wstring* root_ = nullptr;
};

}  // namespace ravelin::testing
