#include "outside/CodeTable.h"

namespace ravelin {

CodeTable::CodeTable(std::initializer_list<CodeName> entries) {
  for (const CodeName& entry : entries) Add(entry.code, entry.name);
}

void CodeTable::Add(uint16_t code, const std::wstring& name) {
  if (name.empty() || names_.count(code) || codes_.count(name)) return;
  names_.emplace(code, name);
  codes_.emplace(name, code);
}

const std::wstring* CodeTable::NameOf(uint16_t code) const {
  const auto found = names_.find(code);
  return found == names_.end() ? nullptr : &found->second;
}

const uint16_t* CodeTable::CodeOf(const std::wstring& name) const {
  const auto found = codes_.find(name);
  return found == codes_.end() ? nullptr : &found->second;
}

}  // namespace ravelin
