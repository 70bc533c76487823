#include "entry/RegistryScript.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/Text.h"

namespace ravelin {
namespace {

using Kind = RegistryStep::Kind;

// One step as text, so that whole plans compare in one readable assertion.
std::wstring Describe(const RegistryStep& step) {
  std::wstring where = step.root + L"\\" + step.path;
  switch (step.kind) {
    case Kind::DeleteTree: return L"deltree " + where;
    case Kind::CreateKey: return L"create " + where;
    case Kind::SetString: return L"set " + where + L" [" + step.valueName + L"]=" + step.data;
    case Kind::DeleteValue: return L"delval " + where + L" [" + step.valueName + L"]";
    case Kind::DeleteKeyIfEmpty: return L"delempty " + where;
  }
  return L"?";
}

std::vector<std::wstring> Describe(const std::vector<RegistryStep>& steps) {
  std::vector<std::wstring> lines;
  for (const RegistryStep& step : steps) lines.push_back(Describe(step));
  return lines;
}

RegistryScript ParseOk(std::wstring_view text, const RegistryReplacements& replacements = {}) {
  RegistryScript script;
  std::wstring error = ParseRegistryScript(text, replacements, script);
  EXPECT_EQ(error, L"") << "script: " << ToUtf8(text);
  return script;
}

// The plug-in's own script, read from the source tree: it must parse and
// register and unregister exactly these keys.
TEST(RegistryScript, PluginScriptPlans) {
  std::ifstream file(RAVELIN_SOURCE_DIR "/src/entry/win32/Ravelin.rgs", std::ios::binary);
  ASSERT_TRUE(file) << "Ravelin.rgs not found";
  std::stringstream bytes;
  bytes << file.rdbuf();
  const std::wstring module = L"C:\\Program Files\\O'Hara 100%\\ravelin.dll";
  RegistryScript script = ParseOk(FromUtf8(bytes.str()), {{L"MODULE", module}});

  const std::wstring clsid = L"{B7C62322-338E-4969-86C3-6C3B5314092D}";
  const std::wstring name = L"FenletLaunchInterface Class";
  const std::wstring key = L"HKCR\\CLSID\\" + clsid;
  std::vector<std::wstring> registration = {
      L"create HKCR\\Ravelin.FenletLaunchInterface.1",
      L"set HKCR\\Ravelin.FenletLaunchInterface.1 []=" + name,
      L"create HKCR\\Ravelin.FenletLaunchInterface.1\\CLSID",
      L"set HKCR\\Ravelin.FenletLaunchInterface.1\\CLSID []=" + clsid,
      L"create HKCR\\Ravelin.FenletLaunchInterface",
      L"set HKCR\\Ravelin.FenletLaunchInterface []=" + name,
      L"create HKCR\\Ravelin.FenletLaunchInterface\\CLSID",
      L"set HKCR\\Ravelin.FenletLaunchInterface\\CLSID []=" + clsid,
      L"create HKCR\\CLSID",
      L"deltree " + key,
      L"create " + key,
      L"set " + key + L" []=" + name,
      L"create " + key + L"\\ProgID",
      L"set " + key + L"\\ProgID []=Ravelin.FenletLaunchInterface.1",
      L"create " + key + L"\\VersionIndependentProgID",
      L"set " + key + L"\\VersionIndependentProgID []=Ravelin.FenletLaunchInterface",
      L"create " + key + L"\\InprocServer32",
      L"set " + key + L"\\InprocServer32 []=" + module,
      L"set " + key + L"\\InprocServer32 [ThreadingModel]=both",
  };
  EXPECT_EQ(Describe(PlanRegistration(script)), registration);

  std::vector<std::wstring> unregistration = {
      L"delempty HKCR\\Ravelin.FenletLaunchInterface.1\\CLSID",
      L"delempty HKCR\\Ravelin.FenletLaunchInterface.1",
      L"delempty HKCR\\Ravelin.FenletLaunchInterface\\CLSID",
      L"delempty HKCR\\Ravelin.FenletLaunchInterface",
      L"deltree " + key,
  };
  EXPECT_EQ(Describe(PlanUnregistration(script)), unregistration);
}

TEST(RegistryScript, SyntaxDetails) {
  // Keywords and root names in any case; quoting with doubled quotes; a
  // quoted brace or keyword is a plain name; %% is one percent sign.
  RegistryScript script = ParseOk(
      L"HKEY_LOCAL_MACHINE { noremove 'Soft ware' { FORCEREMOVE 'NoRemove' = S 'it''s'\r\n"
      L"  { VAL 'a b' = s '50%%' } '{' } }\n"
      L"hkcu { Key = s '%Name%/%name%' }",
      {{L"NAME", L"x'%y"}});
  ASSERT_EQ(script.roots.size(), 2u);
  const RegistryKey& software = script.roots[0].subkeys.at(0);
  EXPECT_EQ(script.roots[0].name, L"HKLM");
  EXPECT_EQ(software.name, L"Soft ware");
  EXPECT_EQ(software.removal, RegistryKey::Removal::NoRemove);
  ASSERT_EQ(software.subkeys.size(), 2u);
  const RegistryKey& forced = software.subkeys[0];
  EXPECT_EQ(forced.name, L"NoRemove");
  EXPECT_EQ(forced.removal, RegistryKey::Removal::ForceRemove);
  ASSERT_EQ(forced.values.size(), 2u);
  EXPECT_EQ(forced.values[0].name, L"");
  EXPECT_EQ(forced.values[0].data, L"it's");
  EXPECT_EQ(forced.values[1].name, L"a b");
  EXPECT_EQ(forced.values[1].data, L"50%");
  EXPECT_EQ(software.subkeys[1].name, L"{");
  EXPECT_EQ(software.subkeys[1].removal, RegistryKey::Removal::Normal);
  // A replaced text is taken literally, quotes and percent signs included.
  EXPECT_EQ(script.roots[1].name, L"HKCU");
  EXPECT_EQ(script.roots[1].subkeys.at(0).values.at(0).data, L"x'%y/x'%y");

  RegistryScript empty = ParseOk(L" \r\n\t");
  EXPECT_TRUE(empty.roots.empty());
}

TEST(RegistryScript, UnregisteringKeepsWhatIsNotOurs) {
  // NoRemove keeps the key but removes our named values below it; a plain
  // key goes only when empty; values on roots are set and removed too.
  RegistryScript script = ParseOk(
      L"HKCU { val top = s 't' NoRemove Shared { val mine = s '1' Own = s 'd' "
      L"{ Leaf } ForceRemove Gone { Deep } } }");
  EXPECT_EQ(Describe(PlanRegistration(script)),
            (std::vector<std::wstring>{
                L"set HKCU\\ [top]=t", L"create HKCU\\Shared", L"set HKCU\\Shared [mine]=1",
                L"create HKCU\\Shared\\Own", L"set HKCU\\Shared\\Own []=d",
                L"create HKCU\\Shared\\Own\\Leaf", L"deltree HKCU\\Shared\\Gone",
                L"create HKCU\\Shared\\Gone", L"create HKCU\\Shared\\Gone\\Deep"}));
  EXPECT_EQ(Describe(PlanUnregistration(script)),
            (std::vector<std::wstring>{
                L"delempty HKCU\\Shared\\Own\\Leaf", L"delempty HKCU\\Shared\\Own",
                L"deltree HKCU\\Shared\\Gone", L"delval HKCU\\Shared [mine]",
                L"delval HKCU\\ [top]"}));
}

TEST(RegistryScript, MalformedScriptsNameLineAndReason) {
  struct Case {
    const wchar_t* text;
    const wchar_t* error;
  };
  const Case cases[] = {
      {L"HKXX { }", L"line 1: expected a root key, found 'HKXX'"},
      {L"'HKCR' { }", L"line 1: expected a root key, found 'HKCR'"},
      {L"HKCR\nKey", L"line 2: expected '{' after HKCR"},
      {L"HKCR {\n Key = s 'v'\n", L"line 2: missing '}' for key 'HKCR'"},
      {L"HKCR { Key { }", L"line 1: missing '}' for key 'HKCR'"},
      {L"HKCR { Key = s 'open\n }", L"line 1: unterminated quoted text"},
      {L"HKCR { Key = d '1' }", L"line 1: value type 'd' is not supported"},
      {L"HKCR { Key = s }", L"line 1: expected a quoted value, found '}'"},
      {L"HKCR { Key = s", L"line 1: missing value after 's'"},
      {L"HKCR { Key = }", L"line 1: value type '}' is not supported"},
      {L"HKCR { val Name s 'x' }", L"line 1: expected '=' after value name"},
      {L"HKCR { '' }", L"line 1: empty key name"},
      {L"HKCR {\n\n a\\b }", L"line 3: key name 'a\\b' holds a backslash"},
      {L"HKCR { NoRemove }", L"line 1: expected a key name, found '}'"},
      {L"HKCR { ForceRemove", L"line 1: missing key name after 'ForceRemove'"},
      {L"HKCR { Key = s '%OTHER%' }", L"line 1: no replacement for '%OTHER%'"},
      {L"HKCR { Key = s '50%' }", L"line 1: unmatched '%' in '50%'"},
  };
  for (const Case& c : cases) {
    RegistryScript script;
    EXPECT_EQ(ParseRegistryScript(c.text, {{L"MODULE", L"m"}}, script), c.error)
        << "script: " << ToUtf8(c.text);
  }
}

}  // namespace
}  // namespace ravelin
