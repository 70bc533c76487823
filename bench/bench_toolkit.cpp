// Toolkit reads per second over a generated recording of 10,000 devices:
// the parse of the recording, cached roots, and the reads the tester and the
// browsing dialogs make (item moves, queued reads, value reads, enum walks).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/Text.h"
#include "outside/comm/VelkToolkit.h"
#include "platform/HostRoot.h"
#include "platform/Platform.h"

using namespace ravelin;

namespace {

constexpr int kDevices = 10000;
constexpr int kRevisions = 8;
constexpr int kParams = 40;

// Revisions alternate HART and fieldbus; a device's values are its first
// ten parameters.
std::string MakeRecording() {
  std::string text = "ravelin-recording 1\n";
  for (int r = 0; r < kRevisions; ++r) {
    const bool fieldbus = r % 2;
    text += "revision 26 " + std::to_string(100 + r) + " 1 " + (fieldbus ? "fieldbus\n" : "hart\n");
    if (fieldbus) text += "  block 1 name=TRANSDUCER\n";
    for (int p = 0; p < kParams; ++p) {
      const bool enumerated = p % 4 == 0;
      text += "    param P" + std::to_string(p) + (enumerated ? " type=6" : " type=4") +
              " index=" + std::to_string(p) + " label=\"Parameter " + std::to_string(p) +
              "\" units=kPa\n";
      for (int e = 0; enumerated && e < 8; ++e) {
        text += "      enum " + std::to_string(1130 + e) + " \"Unit " + std::to_string(e) + "\"\n";
      }
    }
  }
  for (int d = 0; d < kDevices; ++d) {
    const int r = d % kRevisions;
    const std::string id = std::to_string(d);
    text += "device 26 " + std::to_string(100 + r) + " 1 " +
            (r % 2 ? "fieldbus serial=SN" + id : "hart id=D" + id) + " tag=T" + id + "\n  view 104\n";
    for (int p = 0; p < 10; ++p) {
      text += std::string("    value ") + (r % 2 ? "BlkId!1!" : "") + "Param!P" + std::to_string(p) +
              (p % 4 == 0 ? " 1130\n" : " 12.5\n");
    }
  }
  return text;
}

std::wstring DeviceBlock(int d) {
  return d % kRevisions % 2 ? Format(L"!PhysicalDevice!SN%d!BlkId!1", d) : Format(L"!ID!D%d!Hart", d);
}

template <typename Step>
void Measure(const char* what, long operations, Step step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("  %-40s %9ld ops %8.3f s %12.0f ops/s\n", what, operations, took.count(),
              operations / took.count());
}

}  // namespace

int main() {
  const auto root = std::filesystem::temp_directory_path() / "ravelin-bench-toolkit";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "recordings");
  {
    std::ofstream(root / "recordings" / "BENCH.rec", std::ios::binary) << MakeRecording();
  }
  SetHostRoot(root.wstring());
  std::printf("recording of %d devices, %ju bytes\n", kDevices,
              std::filesystem::file_size(root / "recordings" / "BENCH.rec"));

  CVelkToolkit toolkit;
  Measure("parse (first NewRoot)", 1, [&] { toolkit.NewRoot(L"\\\\BENCH", kProtocolHart); });
  Measure("NewRoot, recording cached", kDevices, [&] {
    for (int d = 0; d < kDevices; ++d) toolkit.NewRoot(L"\\\\BENCH", kProtocolHart);
  });
  Measure("Item to a device block", kDevices, [&] {
    for (int d = 0; d < kDevices; ++d) toolkit.Item(&toolkit, DeviceBlock(d));
  });
  long failures = 0;
  Measure("Get of a value by relative path", kDevices * 10L, [&] {
    for (int d = 0; d < kDevices; ++d) {
      toolkit.Item(&toolkit, DeviceBlock(d));
      for (int p = 0; p < 10; ++p) {
        CVelkResult result;
        failures += toolkit.Get(Format(L"Param!P%d!value", p), result) != kVelkOk;
      }
    }
  });
  Measure("Read x6 + Wait on a parameter", kDevices * 6L, [&] {
    for (int d = 0; d < kDevices; ++d) {
      toolkit.Item(&toolkit, DeviceBlock(d) + L"!Param!P3");
      for (const wchar_t* attribute : {L"Name", L"ItemId", L"Kind", L"Class", L"Type", L"Index"}) {
        toolkit.Read(attribute);
      }
      CVelkResult results[7];
      failures += toolkit.Wait(results) != kVelkOk;
    }
  });
  const int walks = 500;
  Measure("parameter list walk, 6 reads per child", walks * kParams * 6L, [&] {
    for (int d = 0; d < walks; ++d) {
      toolkit.Item(&toolkit, DeviceBlock(d) + L"!Param");
      toolkit.Enum(&toolkit);
      while (toolkit.NextEnum() == kVelkOk) {
        for (const wchar_t* attribute : {L"Name", L"Type", L"Label", L"Help", L"Units", L"Kind"}) {
          toolkit.Read(attribute);
        }
        CVelkResult results[7];
        failures += toolkit.Wait(results) != kVelkOk;
      }
    }
  });
  std::printf("failed reads: %ld\n", failures);
  std::filesystem::remove_all(root);
  return failures == 0 ? 0 : 1;
}
