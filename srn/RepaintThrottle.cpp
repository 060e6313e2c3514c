#include "srn/RepaintThrottle.h"

namespace quorvel {

void RepaintThrottle::Request() {
  ++requests_;
  pending_ = true;
  if (!painted_ || Clock::now() - lastPaint_ >= interval_) Paint();
}

void RepaintThrottle::Flush() {
  if (pending_) Paint();
}

void RepaintThrottle::Paint() {
  pending_ = false;
  ++paints_;
  if (paint_) paint_();
  // Measured after the paint, so a slow paint cannot take the whole run.
  lastPaint_ = Clock::now();
  painted_ = true;
}

}  // namespace quorvel
