// Codes and names of one common code table, looked up either way in constant
// time. Codes and names pair one to one: an item whose code or name is
// already in the table is not added, so the first item wins, as a walk over
// the table in insertion order would find it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <unordered_map>

namespace ravelin {

struct CodeName {
  uint16_t code;
  const wchar_t* name;
};

class CodeTable {
 public:
  CodeTable() = default;
  CodeTable(std::initializer_list<CodeName> entries);

  // An empty name adds nothing: a code without a name is not in the table.
  void Add(uint16_t code, const std::wstring& name);

  const std::wstring* NameOf(uint16_t code) const;
  const uint16_t* CodeOf(const std::wstring& name) const;

 private:
  std::unordered_map<uint16_t, std::wstring> names_;
  std::unordered_map<std::wstring, uint16_t> codes_;
};

}  // namespace ravelin
