#pragma once
// How long a job takes on the plotter's serial line: at 38400 baud a plotter
// takes 3840 bytes a second (ten bits a byte with start and stop bits).
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnik {

inline constexpr double kLineBytesPerSecond = 3840.0;

inline double LineSeconds(uint64_t bytes) {
    return static_cast<double>(bytes) / kLineBytesPerSecond;
}

// "0:07", "12:05", "1:02:09" (hours only when needed), rounded up to the
// second: a job is never done before the time shown.
std::string FormatLineTime(double seconds);

// template_text with its first "%s" replaced by value (a resource text such
// as "%s left" or "Time on the line: %s").
std::string FillTimeTemplate(const std::string& template_text, const std::string& value);

// The tray tip during a send: the done tip, then the time left for the
// bytes not yet sent (left_template, "%s left"); the done tip alone once
// every byte is sent.
std::string TipWithTimeLeft(const std::string& done_tip, const std::string& left_template,
                            uint64_t bytes_left);

}  // namespace tarnik
