// Registration scripts in the COM registrar's syntax, parsed into a key tree
// and turned into the plain registry steps that register or unregister them.
// Free of Windows headers; the Win32 registrar only carries the steps out.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

struct RegistryValue {
  std::wstring name;  // empty: the key's default value
  std::wstring data;  // string values only
};

struct RegistryKey {
  enum class Removal { Normal, NoRemove, ForceRemove };
  std::wstring name;
  Removal removal = Removal::Normal;
  std::vector<RegistryValue> values;  // default value first when present
  std::vector<RegistryKey> subkeys;
};

// Top-level keys; each root's name is its short form ("HKCR", "HKLM", ...).
struct RegistryScript {
  std::vector<RegistryKey> roots;
};

// `%NAME%` in a name or value is replaced from `replacements` (names match
// without regard to case), `%%` stands for one '%'. Replacement happens after
// quoting is resolved, so a replaced text is never parsed as script.
using RegistryReplacements = std::map<std::wstring, std::wstring>;

// Parses `text` into `script`. Returns an empty string on success, else
// "line N: reason"; `script` is then unspecified.
std::wstring ParseRegistryScript(std::wstring_view text,
                                 const RegistryReplacements& replacements,
                                 RegistryScript& script);

struct RegistryStep {
  enum class Kind {
    DeleteTree,         // the key and everything below it, if present
    CreateKey,          // opens or creates
    SetString,          // value `valueName` (empty: default) = `data`
    DeleteValue,        // value `valueName`, if present
    DeleteKeyIfEmpty,   // only when no subkeys are left (values don't count)
  };
  Kind kind;
  std::wstring root;  // short root name
  std::wstring path;  // below the root, '\\'-separated
  std::wstring valueName;
  std::wstring data;
};

// Registering: ForceRemove keys are deleted whole first, then every key is
// created and its values set, parents before children.
std::vector<RegistryStep> PlanRegistration(const RegistryScript& script);

// Unregistering removes what registering added: ForceRemove keys whole,
// NoRemove keys never (only their named values and what lies below), other
// keys when nothing foreign is left beneath them. Children before parents.
std::vector<RegistryStep> PlanUnregistration(const RegistryScript& script);

}  // namespace ravelin
