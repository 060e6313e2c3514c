#pragma once
// Coalesces the repaints a fitting run asks for between its trials: a request
// paints at once only when the last paint is at least an interval old, and the
// run's end flushes what is pending. Painting only reads the results, so a run
// gives the same answer whether it painted after every trial or a few times.
#include <chrono>
#include <functional>

namespace quorvel {

class RepaintThrottle {
 public:
  using Clock = std::chrono::steady_clock;

  RepaintThrottle(std::chrono::milliseconds interval, std::function<void()> paint)
      : interval_(interval), paint_(std::move(paint)) {}

  // A run wants the graph to show its progress.
  void Request();
  // Paints once more when a request has not been painted yet.
  void Flush();

  int Requests() const { return requests_; }
  int Paints() const { return paints_; }

 private:
  void Paint();

  std::chrono::milliseconds interval_;
  std::function<void()> paint_;
  Clock::time_point lastPaint_{};
  bool painted_ = false;
  bool pending_ = false;
  int requests_ = 0;
  int paints_ = 0;
};

}  // namespace quorvel
