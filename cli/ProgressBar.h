// The progress bar that long runs draw on a terminal: files done, files per second, time left.
#pragma once

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <string>

namespace orvane {

/// "  120/5000 files [###.................]  24.0/s  3:23 left" after `seconds` of work
/// (`unit` "files"); the rate and the time left are left out until one is done.
std::string progressLine(std::size_t done, std::size_t total, const std::string& unit, double seconds);

/// Redraws one line of standard error in place, at most ten times a second.
class ProgressBar {
 public:
  ProgressBar(std::ostream& err, std::string unit);
  void show(std::size_t done, std::size_t total);
  /// Draws the last state and ends the line.
  void finish();

  /// Whether a bar may be drawn on `err`: it is the process's standard error and a terminal.
  static bool fitsOn(const std::ostream& err);

 private:
  std::ostream& m_err;
  std::string m_unit;
  std::chrono::steady_clock::time_point m_start;
  std::chrono::steady_clock::time_point m_drawn;
  std::size_t m_done = 0;
  std::size_t m_total = 0;
  bool m_shown = false;
};

}  // namespace orvane
