// Timing for the benchmarks: QueryPerformanceCounter, and the median of a few repetitions so that one
// slow run (a page fault storm, the X server busy) does not decide a figure.
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

inline double Mean(const std::vector<double>& samples) {
  double sum = 0;
  for (double sample : samples) sum += sample;
  return samples.empty() ? 0 : sum / static_cast<double>(samples.size());
}

// Runs prepare (untimed), then the timed action, repetitions times; the median of the action's times.
inline double MedianMs(int repetitions, const std::function<void()>& prepare,
                       const std::function<void()>& action) {
  std::vector<double> samples;
  for (int i = 0; i < repetitions; ++i) {
    if (prepare) prepare();
    Stopwatch watch;
    action();
    samples.push_back(watch.ElapsedMs());
  }
  return Median(samples);
}
