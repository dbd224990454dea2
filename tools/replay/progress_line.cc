#include "tools/replay/progress_line.h"

#include <chrono>
#include <cstdio>
#include <utility>

#include "platform/tools/command_line.h"

namespace tools {
namespace {

constexpr double kQuietSeconds = 1.0;
constexpr double kRedrawSeconds = 0.2;

}  // namespace

ProgressLine::ProgressLine(bool enabled, Seconds now, Write write)
    : m_enabled(enabled), m_now(std::move(now)), m_write(std::move(write)), m_start(m_now()) {}

void ProgressLine::Update(size_t done, size_t total) {
  if (!m_enabled) return;
  const double now = m_now();
  if (now - m_start <= kQuietSeconds) return;
  const bool last = done >= total;
  if (m_drawnWidth != 0 && !last && now - m_lastDraw < kRedrawSeconds) return;
  m_lastDraw = now;
  const unsigned percent = total == 0 ? 100u : static_cast<unsigned>(done * 100 / total);
  std::string text = "replaying: " + std::to_string(done) + " of " + std::to_string(total) +
                     " QSOs offered (" + std::to_string(percent) + "%)";
  if (last) text += ", scoring...";
  Draw(text);
}

void ProgressLine::Finish() {
  if (m_drawnWidth == 0) return;
  m_write("\r" + std::string(m_drawnWidth, ' ') + "\r");
  m_drawnWidth = 0;
}

void ProgressLine::Draw(const std::string& text) {
  std::string line = "\r" + text;
  if (text.size() < m_drawnWidth) line += std::string(m_drawnWidth - text.size(), ' ');
  m_write(line);
  if (text.size() > m_drawnWidth) m_drawnWidth = text.size();
}

ProgressLine::Seconds SteadySeconds() {
  return [] {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
  };
}

ProgressLine::Write WriteToStandardError() {
  return [](const std::string& text) { platform::WriteText(stderr, text); };
}

}  // namespace tools
