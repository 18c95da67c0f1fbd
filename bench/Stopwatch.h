// Timing for the benchmarks: QueryPerformanceCounter, and the median of a few repetitions so that one
// slow run (a page fault storm, the X server busy) does not decide a figure; the fastest and the slowest
// repetition go with it, so that a reader sees how far one run can stray.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceCounter(&FStart); }
  double ElapsedMs() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - FStart.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  }

 private:
  LARGE_INTEGER FStart;
};

inline double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  size_t middle = samples.size() / 2;
  return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

struct Timing {
  double median = 0;
  double min = 0;
  double max = 0;
};

inline Timing TimingOf(const std::vector<double>& samples) {
  if (samples.empty()) return {};
  auto [low, high] = std::minmax_element(samples.begin(), samples.end());
  return {Median(samples), *low, *high};
}

// Runs prepare (untimed), then the timed action, repetitions times.
inline Timing TimeMs(int repetitions, const std::function<void()>& prepare,
                     const std::function<void()>& action) {
  std::vector<double> samples;
  for (int i = 0; i < repetitions; ++i) {
    if (prepare) prepare();
    Stopwatch watch;
    action();
    samples.push_back(watch.ElapsedMs());
  }
  return TimingOf(samples);
}

inline double OnceMs(const std::function<void()>& action) {
  Stopwatch watch;
  action();
  return watch.ElapsedMs();
}
