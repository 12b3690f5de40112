#include "platform/ui/core/ui_metrics.h"

#include <utility>

namespace {

UiMetrics& Metrics() {
    static UiMetrics metrics;
    return metrics;
}

std::function<float(std::string_view)>& Measurer() {
    static std::function<float(std::string_view)> measurer;
    return measurer;
}

}  // namespace

const UiMetrics& CurrentUiMetrics() {
    return Metrics();
}
void SetUiMetrics(const UiMetrics& metrics) {
    Metrics() = metrics;
}

float MeasureTextWidth(std::string_view text) {
    if (Measurer()) {
        return Measurer()(text);
    }
    return 7.0f * static_cast<float>(text.size());
}

void SetTextMeasurer(std::function<float(std::string_view)> measurer) {
    Measurer() = std::move(measurer);
}
