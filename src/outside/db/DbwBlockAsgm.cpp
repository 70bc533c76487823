#include "outside/db/DbwBlockAsgm.h"

#include "outside/db/DbwSession.h"

namespace ravelin {

void CDbwExtBlockTag::Identify(const std::wstring& tag) {
  tag_ = tag;
  found_ = false;
}

int32_t CDbwExtBlockTag::Access(CDbwDbSession* session) {
  found_ = false;
  return RunLookup(session, [this](odbc::Connection& connection) {
    odbc::Statement query = connection.Prepare(
        L"SELECT ExtBlockTagKey FROM ExtBlockTags WHERE ExtBlockTag = ?");
    query.Bind(1, tag_);
    query.Execute();
    if (!query.Fetch()) return kDbwNotFound;
    id_ = query.GetInt(1);
    found_ = true;
    return kDbwOk;
  });
}

void CDbwExtBlockTag::GetExtBlockTagId(int32_t* id) const {
  if (found_) *id = id_;
}

void CDbwBlockAsgm::Identify(const CDbwExtBlockTagId& tag, const CDbwTime& time) {
  tag_ = tag;
  time_ = time;
  found_ = false;
}

int32_t CDbwBlockAsgm::Access(CDbwDbSession* session) {
  found_ = false;
  return RunLookup(session, [this](odbc::Connection& connection) {
    // in <= time < out, comparing (day, fraction) pairs. Of overlapping
    // assignments the latest to begin wins.
    odbc::Statement query = connection.Prepare(
        L"SELECT BlockKey FROM BlockAsgms WHERE ExtBlockTagKey = ?"
        L" AND (EventIdDayIn < ? OR (EventIdDayIn = ? AND EventIdFractionIn <= ?))"
        L" AND (EventIdDayOut > ? OR (EventIdDayOut = ? AND EventIdFractionOut > ?))"
        L" ORDER BY EventIdDayIn DESC, EventIdFractionIn DESC");
    const CDbwEventId& at = time_.GetEventId();
    query.Bind(1, tag_.GetId());
    for (int first : {2, 5}) {
      query.Bind(first, at.GetDay());
      query.Bind(first + 1, at.GetDay());
      query.Bind(first + 2, at.GetFraction());
    }
    query.Execute();
    if (!query.Fetch()) return kDbwNotFound;
    blockId_ = query.GetInt(1);
    found_ = true;
    return kDbwOk;
  });
}

void CDbwBlockAsgm::GetBlockId(int32_t* blockId) const {
  if (found_) *blockId = blockId_;
}

int32_t FindBlockOfTag(CDbwDbSession* session, const std::wstring& tag, const CDbwTime& time,
                       int32_t* blockKey) {
  CDbwExtBlockTag record;
  record.Identify(tag);
  if (const int32_t result = record.Access(session); result != kDbwOk) return result;
  int32_t id = -1;
  record.GetExtBlockTagId(&id);
  CDbwExtBlockTagId key;
  key.PutId(id);
  CDbwBlockAsgm assignment;
  assignment.Identify(key, time);
  const int32_t result = assignment.Access(session);
  assignment.GetBlockId(blockKey);
  return result;
}

}  // namespace ravelin
