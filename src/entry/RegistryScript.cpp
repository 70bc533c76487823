#include "entry/RegistryScript.h"

#include <cwctype>
#include <optional>

#include "base/Text.h"

namespace ravelin {
namespace {

struct RootName {
  const wchar_t* shortName;
  const wchar_t* longName;
};

constexpr RootName kRoots[] = {
    {L"HKCR", L"HKEY_CLASSES_ROOT"}, {L"HKCU", L"HKEY_CURRENT_USER"},
    {L"HKLM", L"HKEY_LOCAL_MACHINE"}, {L"HKU", L"HKEY_USERS"},
    {L"HKCC", L"HKEY_CURRENT_CONFIG"},
};

std::optional<std::wstring> ShortRootName(std::wstring_view name) {
  for (const RootName& root : kRoots) {
    if (EqualsNoCase(name, root.shortName) || EqualsNoCase(name, root.longName))
      return std::wstring(root.shortName);
  }
  return std::nullopt;
}

struct Token {
  std::wstring text;
  bool quoted = false;
  int line = 0;
};

class Parser {
 public:
  Parser(std::wstring_view text, const RegistryReplacements& replacements)
      : text_(text) {
    for (const auto& [name, value] : replacements)
      replacements_[FoldCase(name)] = value;
  }

  std::wstring Parse(RegistryScript& script) {
    script.roots.clear();
    while (Next()) {
      std::optional<std::wstring> root;
      if (!token_.quoted) root = ShortRootName(token_.text);
      if (!root) {
        Fail(L"expected a root key, found '" + token_.text + L"'");
        break;
      }
      RegistryKey key;
      key.name = *root;
      key.removal = RegistryKey::Removal::NoRemove;
      if (!Next() || !IsBrace(L'{')) {
        Fail(L"expected '{' after " + key.name);
        break;
      }
      if (!ParseKeys(key)) break;
      script.roots.push_back(std::move(key));
    }
    return error_;
  }

 private:
  bool IsBrace(wchar_t brace) const {
    return !token_.quoted && token_.text.size() == 1 && token_.text[0] == brace;
  }
  bool IsWord(const wchar_t* word) const {
    return !token_.quoted && EqualsNoCase(token_.text, word);
  }

  // Records the first error; false so that callers can return it.
  bool Fail(const std::wstring& reason) {
    if (error_.empty())
      error_ = L"line " + std::to_wstring(token_.line) + L": " + reason;
    return false;
  }

  // The keys and values inside one pair of braces; the '{' is consumed.
  bool ParseKeys(RegistryKey& parent) {
    for (;;) {
      if (!Next()) {
        if (error_.empty()) Fail(L"missing '}' for key '" + parent.name + L"'");
        return false;
      }
      if (IsBrace(L'}')) return true;
      if (IsWord(L"val")) {
        if (!Next()) return Fail(L"missing value name after 'val'");
        RegistryValue value;
        value.name = token_.text;
        if (!ParseAssignment(value.data, true)) return false;
        parent.values.push_back(std::move(value));
        continue;
      }
      RegistryKey key;
      if (IsWord(L"NoRemove")) {
        key.removal = RegistryKey::Removal::NoRemove;
        if (!Next()) return Fail(L"missing key name after 'NoRemove'");
      } else if (IsWord(L"ForceRemove")) {
        key.removal = RegistryKey::Removal::ForceRemove;
        if (!Next()) return Fail(L"missing key name after 'ForceRemove'");
      }
      if (IsBrace(L'{') || IsBrace(L'}') || IsBrace(L'='))
        return Fail(L"expected a key name, found '" + token_.text + L"'");
      if (token_.text.empty()) return Fail(L"empty key name");
      if (token_.text.find(L'\\') != std::wstring::npos)
        return Fail(L"key name '" + token_.text + L"' holds a backslash");
      key.name = token_.text;
      // A key may carry a default value, subkeys, both or neither.
      bool more = Next();
      if (more && IsBrace(L'=')) {
        RegistryValue value;
        if (!ParseAssignment(value.data, false)) return false;
        key.values.push_back(std::move(value));
        more = Next();
      }
      if (more && IsBrace(L'{')) {
        if (!ParseKeys(key)) return false;
      } else if (more) {
        pushedBack_ = true;
      } else if (!error_.empty()) {
        return false;
      }
      parent.subkeys.push_back(std::move(key));
    }
  }

  // "= s 'text'"; the '=' is consumed already unless `needEquals`.
  bool ParseAssignment(std::wstring& data, bool needEquals) {
    if (needEquals && (!Next() || !IsBrace(L'=')))
      return Fail(L"expected '=' after value name");
    if (!Next()) return Fail(L"missing value type after '='");
    if (!IsWord(L"s"))
      return Fail(L"value type '" + token_.text + L"' is not supported");
    if (!Next()) return Fail(L"missing value after 's'");
    // A bare word here is most likely a lost quote; refuse rather than guess.
    if (!token_.quoted) return Fail(L"expected a quoted value, found '" + token_.text + L"'");
    data = token_.text;
    return true;
  }

  // Reads the next token into token_; false at the end of the text or on an
  // error (error_ is then set).
  bool Next() {
    if (pushedBack_) {
      pushedBack_ = false;
      return true;
    }
    if (!error_.empty()) return false;
    while (pos_ < text_.size() && std::iswspace(text_[pos_])) {
      if (text_[pos_] == L'\n') ++line_;
      ++pos_;
    }
    if (pos_ >= text_.size()) return false;
    token_ = Token{};
    token_.line = line_;
    std::wstring raw;
    if (text_[pos_] == L'\'') {
      token_.quoted = true;
      ++pos_;
      for (;;) {
        if (pos_ >= text_.size()) return Fail(L"unterminated quoted text");
        wchar_t c = text_[pos_++];
        if (c == L'\n') ++line_;
        if (c == L'\'') {
          if (pos_ < text_.size() && text_[pos_] == L'\'') {
            ++pos_;
          } else {
            break;
          }
        }
        raw += c;
      }
    } else {
      while (pos_ < text_.size() && !std::iswspace(text_[pos_])) raw += text_[pos_++];
    }
    return Replace(raw, token_.text);
  }

  bool Replace(const std::wstring& raw, std::wstring& out) {
    out.clear();
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != L'%') {
        out += raw[i];
        continue;
      }
      size_t close = raw.find(L'%', i + 1);
      if (close == std::wstring::npos) return Fail(L"unmatched '%' in '" + raw + L"'");
      if (close == i + 1) {
        out += L'%';
      } else {
        std::wstring name = raw.substr(i + 1, close - i - 1);
        auto found = replacements_.find(FoldCase(name));
        if (found == replacements_.end())
          return Fail(L"no replacement for '%" + name + L"%'");
        out += found->second;
      }
      i = close;
    }
    return true;
  }

  std::wstring_view text_;
  std::map<std::wstring, std::wstring> replacements_;
  size_t pos_ = 0;
  int line_ = 1;
  Token token_;
  bool pushedBack_ = false;
  std::wstring error_;
};

std::wstring Join(const std::wstring& path, const std::wstring& name) {
  return path.empty() ? name : path + L'\\' + name;
}

using Kind = RegistryStep::Kind;
using Removal = RegistryKey::Removal;

void PlanKeyRegistration(const std::wstring& root, const std::wstring& path,
                         const RegistryKey& key, std::vector<RegistryStep>& steps) {
  if (key.removal == Removal::ForceRemove)
    steps.push_back({Kind::DeleteTree, root, path, {}, {}});
  if (!path.empty()) steps.push_back({Kind::CreateKey, root, path, {}, {}});
  for (const RegistryValue& value : key.values)
    steps.push_back({Kind::SetString, root, path, value.name, value.data});
  for (const RegistryKey& subkey : key.subkeys)
    PlanKeyRegistration(root, Join(path, subkey.name), subkey, steps);
}

void PlanKeyUnregistration(const std::wstring& root, const std::wstring& path,
                           const RegistryKey& key, std::vector<RegistryStep>& steps) {
  if (key.removal == Removal::ForceRemove) {
    steps.push_back({Kind::DeleteTree, root, path, {}, {}});
    return;
  }
  for (const RegistryKey& subkey : key.subkeys)
    PlanKeyUnregistration(root, Join(path, subkey.name), subkey, steps);
  for (const RegistryValue& value : key.values) {
    if (!value.name.empty())
      steps.push_back({Kind::DeleteValue, root, path, value.name, {}});
  }
  if (key.removal == Removal::Normal)
    steps.push_back({Kind::DeleteKeyIfEmpty, root, path, {}, {}});
}

}  // namespace

std::wstring ParseRegistryScript(std::wstring_view text,
                                 const RegistryReplacements& replacements,
                                 RegistryScript& script) {
  return Parser(text, replacements).Parse(script);
}

std::vector<RegistryStep> PlanRegistration(const RegistryScript& script) {
  std::vector<RegistryStep> steps;
  for (const RegistryKey& root : script.roots)
    PlanKeyRegistration(root.name, {}, root, steps);
  return steps;
}

std::vector<RegistryStep> PlanUnregistration(const RegistryScript& script) {
  std::vector<RegistryStep> steps;
  for (const RegistryKey& root : script.roots)
    PlanKeyUnregistration(root.name, {}, root, steps);
  return steps;
}

}  // namespace ravelin
