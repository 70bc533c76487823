#include "tester/ResultFiles.h"

#include <cstdio>
#include <functional>

#include "base/Text.h"
#include "platform/Platform.h"
#include "tester/DeviceKeys.h"
#include "tester/ExecuteMapFileTest.h"

namespace ravelin {

namespace {

int Occurrences(const std::wstring& line, const wchar_t* word) {
  int count = 0;
  for (size_t at = line.find(word); at != std::wstring::npos; at = line.find(word, at + 1)) {
    ++count;
  }
  return count;
}

// Calls `put` with each code point of `text`; a lone surrogate or a value
// beyond Unicode becomes U+FFFD, so the output is always valid UTF-8.
void ForEachCodePoint(const std::wstring& text, const std::function<void(char32_t)>& put) {
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char32_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
        static_cast<char32_t>(text[i + 1]) >= 0xDC00 &&
        static_cast<char32_t>(text[i + 1]) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      c = 0xFFFD;
    }
    put(c);
  }
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendHexEscape(std::string& out, char32_t c) {
  char text[8];
  std::snprintf(text, sizeof text, "\\u%04X", static_cast<unsigned>(c));
  out += text;
}

// Text for an XML attribute or element. XML 1.0 cannot hold the control
// characters but tab, line feed and carriage return, nor U+FFFE and U+FFFF,
// even as references: each is written as the six characters "\uXXXX".
std::string Xml(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  ForEachCodePoint(text, [&](char32_t c) {
    switch (c) {
      case U'&': out += "&amp;"; break;
      case U'<': out += "&lt;"; break;
      case U'>': out += "&gt;"; break;
      case U'"': out += "&quot;"; break;
      case U'\'': out += "&apos;"; break;
      case U'\t': out += "&#9;"; break;
      case U'\n': out += "&#10;"; break;
      case U'\r': out += "&#13;"; break;
      default:
        if (c < 0x20 || c == 0xFFFE || c == 0xFFFF) {
          AppendHexEscape(out, c);
        } else {
          AppendUtf8(out, c);
        }
    }
  });
  return out;
}

// A JSON string, quotes included.
std::string Json(const std::wstring& text) {
  std::string out = "\"";
  ForEachCodePoint(text, [&](char32_t c) {
    switch (c) {
      case U'"': out += "\\\""; break;
      case U'\\': out += "\\\\"; break;
      case U'\n': out += "\\n"; break;
      case U'\r': out += "\\r"; break;
      case U'\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          AppendHexEscape(out, c);
        } else {
          AppendUtf8(out, c);
        }
    }
  });
  return out + "\"";
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  return text;
}

std::string Number(long long value) { return std::to_string(value); }

// The map file's path below the DD root it lies in, with '/' between folders.
std::wstring BelowRoot(const std::wstring& path, const std::wstring& root) {
  std::wstring relative = path;
  if (!root.empty() && path.size() > root.size() &&
      EqualsNoCase(std::wstring_view(path).substr(0, root.size()), root) &&
      (path[root.size()] == L'/' || path[root.size()] == L'\\')) {
    relative = path.substr(root.size() + 1);
  }
  for (wchar_t& c : relative) c = c == L'\\' ? L'/' : c;
  return relative;
}

struct Counts {
  size_t failures = 0;
  size_t skipped = 0;
  long long errors = 0;
  long long warnings = 0;
};

Counts CountsOf(const RunResults& run) {
  Counts counts;
  for (const DeviceResult& device : run.devices) {
    if (!device.notTested.empty()) ++counts.skipped;
    if (run.Fails(device)) ++counts.failures;
    counts.errors += device.errors;
    counts.warnings += device.warnings;
  }
  return counts;
}

// "[item] line" lines of the findings of one kind, or of both.
std::wstring FindingLines(const DeviceResult& device, bool errors, bool warnings) {
  std::wstring text;
  for (const Finding& finding : device.findings) {
    if (finding.error ? !errors : !warnings) continue;
    if (!text.empty()) text += L'\n';
    if (!finding.item.empty()) text += L"[" + finding.item + L"] ";
    text += finding.line;
  }
  return text;
}

std::wstring FirstLine(const DeviceResult& device, bool error) {
  for (const Finding& finding : device.findings) {
    if (finding.error == error) return finding.line;
  }
  return L"";
}

std::string Hex(int32_t value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*x", width, static_cast<unsigned>(value));
  return text;
}

}  // namespace

std::wstring DeviceResult::CaseName() const {
  std::wstring text = Format(L"%s (manufacturer %06x, type %04x, revision %02x", name.c_str(),
                             static_cast<unsigned>(manufacturerId),
                             static_cast<unsigned>(deviceType),
                             static_cast<unsigned>(deviceRevision));
  if (block >= 0) text += Format(L", block %d", block);
  return text + L")";
}

bool RunResults::Fails(const DeviceResult& device) const {
  return device.notTested.empty() && (device.errors > 0 || (warningsFail && device.warnings > 0));
}

DeviceResult ResultOfLastDevice(const std::wstring& key, const CExecuteMapFileTest& test,
                                const std::wstring& hartRoot, const std::wstring& fieldbusRoot) {
  const CExecuteMapFileTest::BlockOutcome& outcome = test.LastOutcome();
  DeviceResult result;
  result.key = key;
  result.name = outcome.name.empty() ? DisplayKey(key) : outcome.name;
  result.manufacturerId = outcome.manufacturerId;
  result.deviceType = outcome.deviceType;
  result.deviceRevision = outcome.deviceRevision;
  result.fieldbus = outcome.fieldbus;
  result.block = outcome.blockIndex;
  result.mapFile = BelowRoot(outcome.mapFilePath, outcome.fieldbus ? fieldbusRoot : hartRoot);
  result.genericMapFile = outcome.genericMapFile;
  result.notTested = test.UnreachedReason();
  size_t title = 0;
  const wchar_t* item = L"";
  for (size_t i = 0; i < outcome.lines.size(); ++i) {
    for (; title < outcome.titles.size() && outcome.titles[title].first <= i; ++title) {
      item = outcome.titles[title].second;
    }
    const std::wstring& line = outcome.lines[i];
    const int errors = Occurrences(line, L"ERROR");
    const int warnings = Occurrences(line, L"WARNING");
    result.errors += errors;
    result.warnings += warnings;
    if (errors > 0) result.findings.push_back({true, item, line});
    if (warnings > 0) result.findings.push_back({false, item, line});
  }
  return result;
}

std::string JUnitXml(const RunResults& run) {
  const Counts counts = CountsOf(run);
  const std::string totals = " tests=\"" + Number(long(run.devices.size())) + "\" failures=\"" +
                             Number(long(counts.failures)) + "\" errors=\"" +
                             (run.error.empty() ? "0" : "1") + "\" skipped=\"" +
                             Number(long(counts.skipped)) + "\" time=\"" + Seconds(run.seconds) +
                             "\"";
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  xml += "<testsuites name=\"ravelin-test\"" + totals + ">\n";
  xml += "  <testsuite name=\"" + Xml(run.kind + L" on " + run.server) + "\"" + totals +
         " timestamp=\"" + Xml(run.started) + "\">\n";
  xml += "    <properties>\n";
  const std::pair<const char*, std::wstring> properties[] = {
      {"source", run.source},
      {"server", run.server},
      {"report", run.report},
      {"level", run.level},
      {"map-file-usage", run.mapFileUsage},
      {"generic-map-files", run.genericMapFiles ? L"yes" : L"no"},
      {"warnings-fail", run.warningsFail ? L"yes" : L"no"},
      {"errors", FromUtf8(Number(counts.errors))},
      {"warnings", FromUtf8(Number(counts.warnings))}};
  for (const auto& [name, value] : properties) {
    xml += std::string("      <property name=\"") + name + "\" value=\"" + Xml(value) + "\"/>\n";
  }
  xml += "    </properties>\n";
  for (const DeviceResult& device : run.devices) {
    xml += "    <testcase name=\"" + Xml(device.CaseName()) + "\" classname=\"" +
           Xml(device.mapFile.empty() ? L"(no map file)" : device.mapFile) + "\" time=\"" +
           Seconds(device.seconds) + "\"";
    const std::wstring warnings = FindingLines(device, false, true);
    if (!device.notTested.empty()) {
      xml += ">\n      <skipped message=\"" + Xml(device.notTested) + "\"/>\n    </testcase>\n";
      continue;
    }
    if (!run.Fails(device) && warnings.empty()) {
      xml += "/>\n";
      continue;
    }
    xml += ">\n";
    if (run.Fails(device)) {
      const bool byError = device.errors > 0;
      xml += "      <failure message=\"" + Xml(FirstLine(device, byError)) + "\" type=\"" +
             (byError ? "error" : "warning") + "\">" + Xml(FindingLines(device, true, true)) +
             "</failure>\n";
    } else {
      xml += "      <system-out>" + Xml(warnings) + "</system-out>\n";
    }
    xml += "    </testcase>\n";
  }
  if (!run.error.empty()) {
    xml += "    <testcase name=\"the run\" classname=\"ravelin-test\" time=\"0.000\">\n"
           "      <error message=\"" +
           Xml(run.error) + "\"/>\n    </testcase>\n";
  }
  xml += "  </testsuite>\n</testsuites>\n";
  return xml;
}

std::string ResultsJson(const RunResults& run) {
  const Counts counts = CountsOf(run);
  std::string json = "{\n  \"format\": \"ravelin-test results\",\n  \"version\": 1,\n";
  json += "  \"run\": {\"kind\": " + Json(run.kind) + ", \"source\": " + Json(run.source) +
          ", \"server\": " + Json(run.server) + ", \"report\": " + Json(run.report) +
          ", \"level\": " + Json(run.level) + ", \"mapFileUsage\": " + Json(run.mapFileUsage) +
          ", \"genericMapFiles\": " + (run.genericMapFiles ? "true" : "false") +
          ", \"warningsFail\": " + (run.warningsFail ? "true" : "false") +
          ", \"started\": " + Json(run.started) + ", \"seconds\": " + Seconds(run.seconds) +
          "},\n";
  json += "  \"totals\": {\"devices\": " + Number(long(run.devices.size())) +
          ", \"failed\": " + Number(long(counts.failures)) +
          ", \"notTested\": " + Number(long(counts.skipped)) +
          ", \"errors\": " + Number(counts.errors) + ", \"warnings\": " + Number(counts.warnings) +
          "},\n";
  json += "  \"error\": " + (run.error.empty() ? std::string("null") : Json(run.error)) + ",\n";
  json += "  \"devices\": [";
  for (size_t i = 0; i < run.devices.size(); ++i) {
    const DeviceResult& device = run.devices[i];
    json += i == 0 ? "\n" : ",\n";
    json += "    {\"key\": " + Json(device.key) + ", \"name\": " + Json(device.name) +
            ", \"manufacturer\": \"" + Hex(device.manufacturerId, 6) + "\", \"deviceType\": \"" +
            Hex(device.deviceType, 4) + "\", \"revision\": \"" + Hex(device.deviceRevision, 2) +
            "\", \"protocol\": \"" + (device.fieldbus ? "fieldbus" : "hart") + "\"" +
            ", \"block\": " + (device.block >= 0 ? Number(device.block) : "null") +
            ", \"mapFile\": " + (device.mapFile.empty() ? "null" : Json(device.mapFile)) +
            ", \"genericMapFile\": " + (device.genericMapFile ? "true" : "false") +
            ", \"failed\": " + (run.Fails(device) ? "true" : "false") +
            ", \"errors\": " + Number(device.errors) + ", \"warnings\": " +
            Number(device.warnings) + ", \"seconds\": " + Seconds(device.seconds) +
            ", \"notTested\": " + (device.notTested.empty() ? "null" : Json(device.notTested)) +
            ", \"findings\": [";
    for (size_t f = 0; f < device.findings.size(); ++f) {
      const Finding& finding = device.findings[f];
      json += std::string(f == 0 ? "" : ", ") + "{\"kind\": \"" +
              (finding.error ? "error" : "warning") + "\", \"item\": " + Json(finding.item) +
              ", \"line\": " + Json(finding.line) + "}";
    }
    json += "]}";
  }
  json += run.devices.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return json;
}

}  // namespace ravelin
