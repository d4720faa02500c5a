#pragma once
// Probabilities added into the classes they fall in, in the order they come. Neighbouring
// additions mostly go to one class: a run of them is summed in a register and stored once,
// which adds the same numbers in the same order as adding each into the array.

namespace tessavin {

template <class Array> class RunSum {
  public:
    explicit RunSum(Array& P) : P_(P) {}
    void Add(long long t, double p) {
        if (t != run_) {
            if (run_) P_[run_] = acc_;
            run_ = t;
            acc_ = P_[t];
        }
        acc_ += p;
    }
    // Stores the open run; Add may go on afterwards.
    void Flush() {
        if (run_) P_[run_] = acc_;
        run_ = 0;
    }

  private:
    Array& P_;
    long long run_ = 0; // classes count from 1
    double acc_ = 0.0;
};

} // namespace tessavin
