#include "tools/progress_line.h"

#include <chrono>
#include <cstdio>
#include <utility>

namespace tools {
namespace {

constexpr double kQuietSeconds = 1.0;
constexpr double kRedrawSeconds = 0.2;

}  // namespace

ProgressLine::ProgressLine(bool enabled, Seconds now, Write write)
    : enabled_(enabled), now_(std::move(now)), write_(std::move(write)), start_(now_()) {}

void ProgressLine::Update(size_t done, size_t total) {
  if (!enabled_) return;
  const double now = now_();
  if (now - start_ <= kQuietSeconds) return;
  const bool last = done >= total;
  if (drawnWidth_ != 0 && !last && now - lastDraw_ < kRedrawSeconds) return;
  lastDraw_ = now;
  const unsigned percent = total == 0 ? 100u : static_cast<unsigned>(done * 100 / total);
  std::string text = "replaying: " + std::to_string(done) + " of " + std::to_string(total) +
                     " QSOs offered (" + std::to_string(percent) + "%)";
  if (last) text += ", scoring...";
  Draw(text);
}

void ProgressLine::Finish() {
  if (drawnWidth_ == 0) return;
  write_("\r" + std::string(drawnWidth_, ' ') + "\r");
  drawnWidth_ = 0;
}

void ProgressLine::Draw(const std::string& text) {
  std::string line = "\r" + text;
  if (text.size() < drawnWidth_) line += std::string(drawnWidth_ - text.size(), ' ');
  write_(line);
  if (text.size() > drawnWidth_) drawnWidth_ = text.size();
}

ProgressLine::Seconds SteadySeconds() {
  return [] {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
  };
}

ProgressLine::Write WriteToStandardError() {
  return [](const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
  };
}

}  // namespace tools
