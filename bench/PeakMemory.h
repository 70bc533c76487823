// Peak resident memory of the benchmark process.
#pragma once

#include <fstream>
#include <string>

// In MiB, from the kernel's high-water mark (Linux); 0 where unknown.
inline double PeakMemoryMiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}
