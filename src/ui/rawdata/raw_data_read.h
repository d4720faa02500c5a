#pragma once
// Reading a raw data file on a worker while a progress bar follows it.
#include <QString>
#include <string>
#include <variant>

#include "common/failure.h"
#include "rawdata/raw_sample.h"

class QProgressBar;

namespace tessavin::ui {

struct RawDataRead {
    std::variant<RawSample, Failure> sample;
    std::string listing; // the sorted values, one a line
};

// The bar follows the lines read (0..100000), then the sorted values as they are listed
// (0..20000, restarting at 0 when it would pass the end); it is back at 0 afterwards.
RawDataRead ReadRawDataWithProgress(const QString& path, QProgressBar& progress);

} // namespace tessavin::ui
