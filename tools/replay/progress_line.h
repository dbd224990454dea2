#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace tools {

// A one-line progress note for a long replay, redrawn in place on a
// terminal: it appears only once the work has run for more than a second,
// is redrawn at most every 0.2 s, and is wiped by Finish.
class ProgressLine {
 public:
  using Seconds = std::function<double()>;                // a steady clock
  using Write = std::function<void(const std::string&)>;  // raw terminal output

  // A disabled line writes nothing. The work is taken to start now.
  ProgressLine(bool enabled, Seconds now, Write write);

  // Notes that `done` of `total` QSOs have been offered; draws when due.
  void Update(size_t done, size_t total);
  // Wipes the line if it was ever drawn. Idempotent.
  void Finish();

 private:
  void Draw(const std::string& text);

  bool m_enabled;
  Seconds m_now;
  Write m_write;
  double m_start;
  double m_lastDraw = 0.0;
  size_t m_drawnWidth = 0;  // 0: nothing on the line
};

// The clock and the standard-error writer for a real run.
ProgressLine::Seconds SteadySeconds();
ProgressLine::Write WriteToStandardError();

}  // namespace tools
