#pragma once
// Point data of every graph of the fitting forms: one point, one list of
// points with its SR-N start values and drawing attributes.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "host/NumberText.h"

namespace quorvel {

// One (x, y) point; the flag is always 0 in the fitting forms.
struct CDPoint {
  CDPoint() = default;
  CDPoint(double xValue, double yValue) : x(xValue), y(yValue) {}

  double x = 0.0;  // N, DA or cumulative damage, by use
  double y = 0.0;  // SR, a liquefaction constant or a friction angle, by use
  std::int32_t flag = 0;

  bool operator==(const CDPoint&) const = default;
};

// One series: the points in insertion (grid row) order and, for a data set,
// its SR-N start values and bounds. Point indexes are checked and throw
// InvalidArgument.
class CPointDataList {
 public:
  // Index of a, b and c in the three arrays below.
  enum { kA = 0, kB = 1, kC = 2 };

  CPointDataList() = default;
  explicit CPointDataList(std::string name) : Name(std::move(name)) {}

  // Drops every point and restores every default except Name.
  void Reset();

  void AppendPoint(const CDPoint& point) { points_.push_back(point); }
  void AppendPoint(double x, double y) { points_.emplace_back(x, y); }
  std::size_t PointCount() const { return points_.size(); }
  CDPoint& Point(std::size_t index);
  const CDPoint& Point(std::size_t index) const;
  void RemovePointAt(std::size_t index);
  void ClearPoints() { points_.clear(); }
  const std::vector<CDPoint>& Points() const { return points_; }

  std::string Name;  // DA level as text ("5") for a data set, legend text for a drawn series
  std::array<double, 3> Initial{kNoValue, kNoValue, kNoValue};  // initial a, b, c; no value by default
  std::array<double, 3> Minimum{0.0, 0.0, 0.0};                 // lower bounds of random starts
  std::array<double, 3> Maximum{1.0, 1.0, 1.0};                 // upper bounds of random starts
  double SpareValue = 1e-6;                                     // carried along, read by nothing
  bool HasLegend = false;  // the renderer gives the series a legend entry after drawing it
  int Colour = 0;          // pen and brush colour, 0x00BBGGRR

 private:
  std::vector<CDPoint> points_;
};

}  // namespace quorvel
