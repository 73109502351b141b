#include "cli/ProgressBar.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace orvane {

namespace {

constexpr std::size_t kBarWidth = 20;
constexpr auto kRedraw = std::chrono::milliseconds(100);

std::string minutesAndSeconds(double seconds) {
  const auto whole = static_cast<long long>(seconds + 0.5);
  char text[32];
  if (whole >= 3600)
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
  else
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
  return text;
}

}  // namespace

std::string progressLine(std::size_t done, std::size_t total, const std::string& unit, double seconds) {
  const std::size_t filled = total == 0 ? kBarWidth : done * kBarWidth / total;
  std::string line = "  " + std::to_string(done) + "/" + std::to_string(total) + " " + unit + " [" +
                     std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "]";
  if (done == 0 || seconds <= 0) return line;
  const double rate = static_cast<double>(done) / seconds;
  char text[32];
  std::snprintf(text, sizeof text, "  %.1f/s", rate);
  return line + text + "  " + minutesAndSeconds(static_cast<double>(total - done) / rate) + " left";
}

ProgressBar::ProgressBar(std::ostream& err, std::string unit)
    : m_err(err), m_unit(std::move(unit)), m_start(std::chrono::steady_clock::now()), m_drawn(m_start - kRedraw) {}

void ProgressBar::show(std::size_t done, std::size_t total) {
  m_done = done;
  m_total = total;
  const auto now = std::chrono::steady_clock::now();
  if (now - m_drawn < kRedraw) return;
  m_drawn = now;
  m_shown = true;
  const double seconds = std::chrono::duration<double>(now - m_start).count();
  // Back to the line's start, the line, and the rest of the old line cleared.
  m_err << "\r" << progressLine(done, total, m_unit, seconds) << "\x1b[K" << std::flush;
}

void ProgressBar::finish() {
  if (!m_shown) return;
  m_drawn = std::chrono::steady_clock::now() - kRedraw;
  show(m_done, m_total);
  m_err << "\n" << std::flush;
}

bool ProgressBar::fitsOn(const std::ostream& err) { return &err == &std::cerr && ::isatty(STDERR_FILENO) == 1; }

}  // namespace orvane
