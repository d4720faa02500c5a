#include "ui/rawdata/raw_data_read.h"

#include <QProgressBar>
#include <atomic>
#include <memory>

#include "localisation/messages.h"
#include "rawdata/raw_data_view.h"
#include "ui/common/background_task.h"
#include "ui/common/interaction.h"

namespace tessavin::ui {
namespace {

constexpr int ReadProgressEnd = 100000;
constexpr int ListingProgressEnd = 20000;

} // namespace

RawDataRead ReadRawDataWithProgress(const QString& path, QProgressBar& progress) {
    progress.setRange(0, ReadProgressEnd);
    progress.setValue(0);
    auto line = std::make_shared<std::atomic<long long>>(0);
    auto listed = std::make_shared<std::atomic<long long>>(-1); // -1 while reading
    const std::string file = S(path);
    RawDataRead read = RunInBackground<RawDataRead>(
        [file, line, listed] {
            RawDataRead r{ReadRawDataFile(file, [line](long long n) { line->store(n); }), {}};
            if (const auto* s = std::get_if<RawSample>(&r.sample)) {
                listed->store(0);
                r.listing = SortedValuesListing(*s, [listed](long long j) { listed->store(j); });
            }
            return r;
        },
        [&progress, line, listed] {
            const long long j = listed->load();
            if (j < 0) {
                progress.setValue(static_cast<int>(line->load() % (ReadProgressEnd + 1)));
            } else {
                progress.setMaximum(ListingProgressEnd);
                progress.setValue(static_cast<int>(j % (ListingProgressEnd + 1)));
            }
        });
    progress.setValue(0);
    return read;
}

} // namespace tessavin::ui
