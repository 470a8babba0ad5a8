#include "cobrun/SvgChart.h"

#include "cobrun/Escapes.h"
#include "cobrun/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cobrun {
namespace {

constexpr double kWidth = 960;
constexpr double kLeft = 130;
constexpr double kRight = 20;
constexpr double kPlotHeight = 70;
constexpr double kGap = 12;
constexpr const char* kAxisColours[kAxes] = {"#d62728", "#2ca02c", "#1f77b4"};

std::string Fixed(double value, int decimals = 1) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A round time step that gives at most about a dozen grid lines.
std::int64_t TimeStep(std::int64_t endMs) {
    for (std::int64_t step : {100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000})
        if (endMs / step <= 12) return step;
    return 200000;
}

class Chart {
public:
    Chart(const std::string& fileName, const Recording& recording)
        : recording_(recording), endMs_(std::max<std::int64_t>(recording.endMs, 1)) {
        Text(10, 22, "font-size=\"15\" font-weight=\"bold\"", fileName + ": 0 to " + std::to_string(recording.endMs) + " ms");
        for (int axis = 0; axis < kAxes; ++axis) {
            Line(kLeft + 110.0 * axis, 38, kLeft + 110.0 * axis + 24, 38, kAxisColours[axis], 2);
            Text(kLeft + 110.0 * axis + 30, 42, "", AxisName(axis));
        }
        Text(kLeft + 340, 42, "fill=\"#666\"", "marks: what happened to the piece (hover for the event)");
        y_ = 56;
        TimeLabels();
    }

    std::string Finish() {
        std::string still;
        for (const PieceTrack& track : recording_.pieces)
            if (!Shown(track)) still += (still.empty() ? "" : ", ") + track.name;
        if (!still.empty()) Text(10, y_ + 16, "fill=\"#666\"", "not moved: " + still);
        return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Fixed(kWidth) + "\" height=\"" + Fixed(y_ + 30) +
               "\" font-family=\"sans-serif\" font-size=\"11\">\n<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n" +
               body_ + "</svg>\n";
    }

    void Panel(const PieceTrack& track) {
        if (!Shown(track)) return;
        const double top = y_;
        Text(10, top + 14, "font-size=\"13\" font-weight=\"bold\"", track.name);
        y_ += 10;  // room for the event marks
        bool plotted = false;
        if (Changes(track, &AxisTrack::angle)) {
            Plot(track, &AxisTrack::angle, "angle (deg)", true);
            plotted = true;
        }
        if (Changes(track, &AxisTrack::position)) {
            Plot(track, &AxisTrack::position, "position", false);
            plotted = true;
        }
        if (!plotted) y_ += 14;
        for (const Event& event : track.events) Mark(event, top + 2, y_);
        y_ += kGap;
        Line(10, y_ - kGap / 2, kWidth - kRight, y_ - kGap / 2, "#ddd", 1);
    }

private:
    using Series = std::vector<Sample> AxisTrack::*;

    static bool Shown(const PieceTrack& track) { return track.moved || !track.events.empty(); }

    static bool Changes(const std::vector<Sample>& samples) {
        for (const Sample& s : samples)
            if (s.value != 0) return true;
        return false;
    }

    static bool Changes(const PieceTrack& track, Series series) {
        for (const AxisTrack& axis : track.axes)
            if (Changes(axis.*series)) return true;
        return false;
    }

    double X(double ms) const { return kLeft + ms / static_cast<double>(endMs_) * (kWidth - kLeft - kRight); }

    void Plot(const PieceTrack& track, Series series, const char* label, bool isAngle) {
        double low = 0, high = 0;
        for (const AxisTrack& axis : track.axes)
            for (const Sample& s : axis.*series) {
                low = std::min(low, s.value);
                high = std::max(high, s.value);
            }
        if (high - low < 1e-9) high = low + 1;
        const double top = y_;
        auto y = [&](double value) { return top + (high - value) / (high - low) * kPlotHeight; };
        body_ += "<rect x=\"" + Fixed(kLeft) + "\" y=\"" + Fixed(top) + "\" width=\"" + Fixed(kWidth - kLeft - kRight) +
                 "\" height=\"" + Fixed(kPlotHeight) + "\" fill=\"#fafafa\" stroke=\"#ccc\"/>\n";
        for (std::int64_t ms = TimeStep(endMs_); ms < endMs_; ms += TimeStep(endMs_))
            Line(X(static_cast<double>(ms)), top, X(static_cast<double>(ms)), top + kPlotHeight, "#eee", 1);
        if (low < 0 && high > 0) Line(kLeft, y(0), kWidth - kRight, y(0), "#bbb", 1);
        Text(24, top + 30, "fill=\"#444\"", label);
        const int decimals = isAngle ? 1 : 2;
        Text(kLeft - 6, top + 9, "text-anchor=\"end\" fill=\"#666\"", Fixed(high, decimals));
        Text(kLeft - 6, top + kPlotHeight, "text-anchor=\"end\" fill=\"#666\"", Fixed(low, decimals));
        for (int axis = 0; axis < kAxes; ++axis) {
            const std::vector<Sample>& samples = track.axes[static_cast<std::size_t>(axis)].*series;
            if (!Changes(samples)) continue;  // a line along 0 would hide the others there
            std::string path;
            double last = samples.front().value;
            for (const Sample& s : samples) {
                // A turn across the half-turn line is drawn as two pieces, not as a jump.
                const bool jump = isAngle && std::fabs(s.value - last) > 180;
                path += (path.empty() || jump ? "M" : "L") + Fixed(X(s.ms)) + " " + Fixed(y(s.value)) + " ";
                last = s.value;
            }
            path += "L" + Fixed(X(static_cast<double>(endMs_))) + " " + Fixed(y(last));
            body_ += "<path d=\"" + path + "\" fill=\"none\" stroke=\"" + kAxisColours[axis] + "\" stroke-width=\"1.5\"/>\n";
        }
        y_ += kPlotHeight + 4;
    }

    void Mark(const Event& event, double top, double bottom) {
        const char* colour = event.kind == EventKind::kRest ? "#999" : event.kind == EventKind::kFault ? "#d00" : "#f0a000";
        const double x = X(static_cast<double>(event.ms));
        body_ += "<g><title>" + XmlText(std::to_string(event.ms) + " ms " + event.script + " " + event.text) + "</title>";
        body_ += "<line x1=\"" + Fixed(x) + "\" y1=\"" + Fixed(top + 4) + "\" x2=\"" + Fixed(x) + "\" y2=\"" + Fixed(bottom) +
                 "\" stroke=\"" + colour + "\" stroke-opacity=\"0.5\"/>";
        body_ += "<circle cx=\"" + Fixed(x) + "\" cy=\"" + Fixed(top + 4) + "\" r=\"3\" fill=\"" + colour + "\"/></g>\n";
    }

    void TimeLabels() {
        const std::int64_t step = TimeStep(endMs_);
        for (std::int64_t ms = 0; ms <= endMs_; ms += step)
            Text(X(static_cast<double>(ms)), y_, "text-anchor=\"middle\" fill=\"#666\"", std::to_string(ms) + " ms");
        y_ += 8;
    }

    void Line(double x1, double y1, double x2, double y2, const char* colour, double width) {
        body_ += "<line x1=\"" + Fixed(x1) + "\" y1=\"" + Fixed(y1) + "\" x2=\"" + Fixed(x2) + "\" y2=\"" + Fixed(y2) +
                 "\" stroke=\"" + colour + "\" stroke-width=\"" + Fixed(width) + "\"/>\n";
    }

    void Text(double x, double y, const std::string& attributes, const std::string& text) {
        body_ += "<text x=\"" + Fixed(x) + "\" y=\"" + Fixed(y) + "\" " + attributes + ">" + XmlText(text) + "</text>\n";
    }

    const Recording& recording_;
    const std::int64_t endMs_;
    double y_ = 0;
    std::string body_;
};

}  // namespace

std::string SvgChart(const std::string& fileName, const Recording& recording) {
    Chart chart(fileName, recording);
    for (const PieceTrack& track : recording.pieces) chart.Panel(track);
    return chart.Finish();
}

}  // namespace cobrun
