#pragma once
// A one-line progress display on a terminal's stderr; silent when stderr is not a terminal.
#include <cstdio>
#include <mutex>
#include <string>

namespace tessavin::cli {

class ProgressLine {
  public:
    explicit ProgressLine(bool on) : on_(on) {}
    void Show(const std::string& text) {
        if (!on_) return;
        std::lock_guard<std::mutex> lock(mutex_);
        std::fprintf(stderr, "\r%-70s", text.c_str());
        std::fflush(stderr);
        shown_ = true;
    }
    void Done() {
        if (on_ && shown_) std::fprintf(stderr, "\r%-70s\r", "");
        shown_ = false;
    }

  private:
    bool on_;
    bool shown_ = false;
    std::mutex mutex_;
};

} // namespace tessavin::cli
