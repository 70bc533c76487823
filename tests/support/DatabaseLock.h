// A lock on a host database, held by a connection of its own until the
// object ends, or for half a minute at most: a caller that waits for the
// lock without a bound then gets through instead of failing, which a test can
// tell apart from a clear refusal.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "outside/db/DataSource.h"
#include "outside/db/Odbc.h"

namespace ravelin::testing {

class DatabaseLock {
 public:
  // `begin`: "BEGIN EXCLUSIVE" keeps readers out, "BEGIN IMMEDIATE" writers.
  DatabaseLock(const std::wstring& databaseFile, const std::wstring& begin) {
    db_.Open(SqliteConnectString(databaseFile, false));
    db_.Execute(begin);
    release_ = std::thread([this] {
      std::unique_lock lock(mutex_);
      endedCondition_.wait_for(lock, std::chrono::seconds(30), [this] { return ended_; });
      try {
        db_.Execute(L"ROLLBACK");
      } catch (const odbc::OdbcError&) {
        // Disconnecting ends the transaction too.
      }
      db_.Close();
    });
  }
  ~DatabaseLock() {
    {
      std::lock_guard lock(mutex_);
      ended_ = true;
    }
    endedCondition_.notify_one();
    release_.join();
  }
  DatabaseLock(const DatabaseLock&) = delete;
  DatabaseLock& operator=(const DatabaseLock&) = delete;

 private:
  odbc::Connection db_;
  std::mutex mutex_;
  std::condition_variable endedCondition_;
  bool ended_ = false;
  std::thread release_;
};

}  // namespace ravelin::testing
