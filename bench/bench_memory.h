#pragma once
// The process's memory as the benchmarks measure it: the resident size now, and its peak since
// the last reset (Linux /proc).
#include <fstream>
#include <string>

namespace tav::bench {

// A value in kB of /proc/self/status ("VmRSS:", "VmHWM:"); 0 when not found.
inline long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key)
    if (key == field) {
      status >> value;
      return value;
    }
  return 0;
}

inline long RssKb() {
  return StatusKb("VmRSS:");
}
inline long PeakRssKb() {
  return StatusKb("VmHWM:");
}
// Sets the peak back to the resident size now.
inline void ResetPeakRss() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace tav::bench
