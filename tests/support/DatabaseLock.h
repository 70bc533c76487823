// A lock on a host database, held by a connection of its own on a thread of
// its own until the lock object ends, or for half a minute at most: a caller
// that waits for the lock without a bound then gets through instead of
// failing, which a test can tell apart from a clear refusal.
#pragma once

#include <chrono>
#include <condition_variable>
#include <future>
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
    std::promise<bool> held;
    std::future<bool> ready = held.get_future();
    thread_ = std::thread([this, databaseFile, begin, held = std::move(held)]() mutable {
      odbc::Connection db;
      try {
        db.Open(SqliteConnectString(databaseFile, false));
        db.Execute(begin);
      } catch (const odbc::OdbcError&) {
        held.set_value(false);
        return;
      }
      held.set_value(true);
      std::unique_lock lock(mutex_);
      done_.wait_for(lock, std::chrono::seconds(30), [this] { return ended_; });
      try {
        db.Execute(L"COMMIT");
      } catch (const odbc::OdbcError&) {
        // Disconnecting rolls back.
      }
    });
    held_ = ready.get();
  }
  ~DatabaseLock() {
    {
      std::lock_guard lock(mutex_);
      ended_ = true;
    }
    done_.notify_one();
    thread_.join();
  }
  DatabaseLock(const DatabaseLock&) = delete;
  DatabaseLock& operator=(const DatabaseLock&) = delete;

  bool Held() const { return held_; }

 private:
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable done_;
  bool ended_ = false;
  bool held_ = false;
};

}  // namespace ravelin::testing
