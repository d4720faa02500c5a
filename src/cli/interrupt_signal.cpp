#include "interrupt_signal.h"

#include <csignal>

namespace tessavin::cli {

namespace {
std::atomic<bool>* g_flag = nullptr;
extern "C" void OnSigint(int) {
    if (g_flag) g_flag->store(true);
}
} // namespace

InterruptOnSigint::InterruptOnSigint(std::atomic<bool>& flag) {
    g_flag = &flag;
    std::signal(SIGINT, OnSigint);
}

InterruptOnSigint::~InterruptOnSigint() {
    std::signal(SIGINT, SIG_DFL);
    g_flag = nullptr;
}

} // namespace tessavin::cli
