#pragma once
// Probabilities added into the classes they fall in, in the order they come. Neighbouring
// additions mostly go to one class: a run of them is summed in a register and stored once,
// which adds the same numbers in the same order as adding each into the array.
#include <algorithm>

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

// P[cls[i]] += scale * p[i] for i = 0 .. n − 1, each class's additions in the order of i. A
// row of class pairs that falls in a few classes makes long runs, each a chain of dependent
// additions; where the classes never turn back along the row, it is cut into four parts at
// class changes, whose classes are then disjoint, and the parts are summed side by side: the
// same additions in the same order for every class, four chains at a time.
template <class Array>
void AddRowInRuns(Array& P, const int* cls, double scale, const double* p, int n) {
    constexpr int Parts = 4;
    bool rising = true, falling = true;
    for (int i = 1; i < n; ++i) {
        rising &= cls[i] >= cls[i - 1];
        falling &= cls[i] <= cls[i - 1];
    }
    int cut[Parts + 1];
    cut[0] = 0;
    for (int k = 1; k < Parts; ++k) {
        int b = std::max(cut[k - 1], n * k / Parts);
        while (b > 0 && b < n && cls[b] == cls[b - 1])
            ++b;
        cut[k] = b;
    }
    cut[Parts] = n;
    if (!(rising || falling) || n < 2 * Parts) {
        RunSum<Array> sum(P);
        for (int i = 0; i < n; ++i)
            sum.Add(cls[i], scale * p[i]);
        sum.Flush();
        return;
    }
    RunSum<Array> s0(P), s1(P), s2(P), s3(P);
    int common = n;
    for (int k = 0; k < Parts; ++k)
        common = std::min(common, cut[k + 1] - cut[k]);
    const int c0 = cut[0], c1 = cut[1], c2 = cut[2], c3 = cut[3];
    for (int i = 0; i < common; ++i) {
        s0.Add(cls[c0 + i], scale * p[c0 + i]);
        s1.Add(cls[c1 + i], scale * p[c1 + i]);
        s2.Add(cls[c2 + i], scale * p[c2 + i]);
        s3.Add(cls[c3 + i], scale * p[c3 + i]);
    }
    RunSum<Array>* sums[Parts] = {&s0, &s1, &s2, &s3};
    for (int k = 0; k < Parts; ++k) {
        for (int i = cut[k] + common; i < cut[k + 1]; ++i)
            sums[k]->Add(cls[i], scale * p[i]);
        sums[k]->Flush();
    }
}

} // namespace tessavin
