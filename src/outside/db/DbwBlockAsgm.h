// Tags and their block assignments. A tag (ExtBlockTags) is carried by one
// block at a time; an assignment (BlockAsgms) holds from its "in" event id,
// inclusive, to its "out" event id, exclusive.
//
// The record classes follow one pattern: Identify says which record,
// Access reads it (kDbwOk when found; see DbwSession.h for the others), and
// the getters answer from what Access read. A session argument of null means
// the global session.
#pragma once

#include <cstdint>
#include <string>

#include "outside/db/DbwTime.h"

namespace ravelin {

class CDbwDbSession;

class CDbwExtBlockTag {
 public:
  virtual ~CDbwExtBlockTag() = default;
  void Identify(const std::wstring& tag);
  int32_t Access(CDbwDbSession* session);
  // Leaves `id` untouched unless Access found the tag.
  void GetExtBlockTagId(int32_t* id) const;

 private:
  std::wstring tag_;
  int32_t id_ = -1;
  bool found_ = false;
};

// The key of a tag record.
class CDbwExtBlockTagId {
 public:
  void PutId(int32_t id) { id_ = id; }
  int32_t GetId() const { return id_; }

 private:
  int32_t id_ = -1;
};

class CDbwBlockAsgm {
 public:
  virtual ~CDbwBlockAsgm() = default;
  // The assignment of the tag that holds at `time`.
  void Identify(const CDbwExtBlockTagId& tag, const CDbwTime& time);
  int32_t Access(CDbwDbSession* session);
  // The assigned block's key; untouched unless Access found an assignment.
  void GetBlockId(int32_t* blockId) const;

 private:
  CDbwExtBlockTagId tag_;
  CDbwTime time_;
  int32_t blockId_ = -1;
  bool found_ = false;
};

// The key of the block that carries `tag` at `time`: kDbwOk and the key, or
// the result of the record that was not found with `blockKey` untouched.
int32_t FindBlockOfTag(CDbwDbSession* session, const std::wstring& tag, const CDbwTime& time,
                       int32_t* blockKey);

}  // namespace ravelin
