#include "check/TerrainCheck.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "check/CheckLimits.h"
#include "check/Ground.h"
#include "model/BlockCentre.h"

namespace vesk {
namespace {

namespace limits = check_limits;

// The grid's extent along one axis against the block's side, within one spacing.
bool Covers(std::uint32_t points, float spacing, double side) {
    const double extent = (points - 1) * double{spacing};
    return std::abs(extent - side) <= spacing;
}

class GridCheck {
public:
    GridCheck(const DemChunk& dem, const SubSheetRecord& record, std::vector<Finding>& findings)
        : dem_(dem), grid_(dem.grid), record_(record), findings_(findings) {}

    void Run() {
        if (grid_.columns < limits::kFewestGridPoints || grid_.rows < limits::kFewestGridPoints) {
            Add(FindingCode::kGridTooSmall, BlockCentre(record_),
                std::to_string(grid_.columns) + " x " + std::to_string(grid_.rows));
            return;
        }
        if (!Ground::SpansArea(grid_) || !Covers(grid_.columns, grid_.dx, limits::kBlockWidth) ||
            !Covers(grid_.rows, grid_.dy, limits::kBlockHeight)) {
            Add(FindingCode::kGridNotCovering, BlockCentre(record_),
                Metres((grid_.columns - 1) * double{grid_.dx}) + " x " +
                    Metres((grid_.rows - 1) * double{grid_.dy}));
        }
        if (!FindNonFinite() && Ground::SpansArea(grid_)) {
            FindSpikes();
        }
    }

private:
    float Height(std::uint32_t i, std::uint32_t j) const {
        return dem_.heights[std::size_t{i} * grid_.columns + j];
    }

    FootprintPoint Place(std::uint32_t i, std::uint32_t j) const {
        const bool spaced = Ground::SpansArea(grid_);
        return {record_.originX + (spaced ? j * double{grid_.dx} : 0.0),
                record_.originY + (spaced ? i * double{grid_.dy} : 0.0)};
    }

    // One finding at the first height that is no number, with how many there are.
    bool FindNonFinite() {
        const auto isBad = [](float h) { return !std::isfinite(h); };
        const auto first = std::find_if(dem_.heights.begin(), dem_.heights.end(), isBad);
        if (first == dem_.heights.end()) {
            return false;
        }
        const auto k = static_cast<std::size_t>(first - dem_.heights.begin());
        const auto count = std::count_if(first, dem_.heights.end(), isBad);
        Add(FindingCode::kGridNotFinite,
            Place(static_cast<std::uint32_t>(k / grid_.columns),
                  static_cast<std::uint32_t>(k % grid_.columns)),
            std::to_string(count));
        return true;
    }

    void FindSpikes() {
        ComputeRowExtremes();
        std::uint32_t spikes = 0;
        for (std::uint32_t i = 0; i < grid_.rows; ++i) {
            for (std::uint32_t j = 0; j < grid_.columns; ++j) {
                if (!MayBeSpike(i, j)) {
                    continue;
                }
                const double off = Height(i, j) - NeighbourMedian(i, j);
                if (std::abs(off) > limits::kSpikeHeight && ++spikes <= limits::kMostSpikesListed) {
                    Add(FindingCode::kSpike, Place(i, j), Metres(off));
                }
            }
        }
        if (spikes > limits::kMostSpikesListed) {
            Add(FindingCode::kSpike, BlockCentre(record_),
                std::to_string(spikes - limits::kMostSpikesListed) + " more");
        }
    }

    // The least and greatest height of each point and its neighbours in its row.
    void ComputeRowExtremes() {
        const std::uint32_t nx = grid_.columns;
        lows_.resize(dem_.heights.size());
        highs_.resize(dem_.heights.size());
        for (std::size_t row = 0; row < dem_.heights.size(); row += nx) {
            const float* h = dem_.heights.data() + row;
            for (std::uint32_t j = 0; j < nx; ++j) {
                const float west = h[j > 0 ? j - 1 : j];
                const float east = h[j + 1 < nx ? j + 1 : j];
                lows_[row + j] = std::min({west, h[j], east});
                highs_[row + j] = std::max({west, h[j], east});
            }
        }
    }

    // The median of the neighbours lies between the least and the greatest
    // height of the 3 x 3 points about a point, which settles most points
    // without sorting.
    bool MayBeSpike(std::uint32_t i, std::uint32_t j) const {
        const std::size_t nx = grid_.columns;
        const std::size_t here = i * nx + j;
        const std::size_t south = i > 0 ? here - nx : here;
        const std::size_t north = i + 1 < grid_.rows ? here + nx : here;
        const double h = dem_.heights[here];
        const double low = std::min({lows_[south], lows_[here], lows_[north]});
        const double high = std::max({highs_[south], highs_[here], highs_[north]});
        return h - low > limits::kSpikeHeight || high - h > limits::kSpikeHeight;
    }

    // The median of the up to 8 neighbours of a point; of an even count, the
    // mean of the middle two.
    double NeighbourMedian(std::uint32_t i, std::uint32_t j) const {
        std::array<float, 8> around{};
        std::size_t count = 0;
        for (std::uint32_t r = i > 0 ? i - 1 : 0; r <= std::min(i + 1, grid_.rows - 1); ++r) {
            for (std::uint32_t c = j > 0 ? j - 1 : 0; c <= std::min(j + 1, grid_.columns - 1);
                 ++c) {
                if (r != i || c != j) {
                    around[count++] = Height(r, c);
                }
            }
        }
        const auto middle = around.begin() + static_cast<std::ptrdiff_t>(count / 2);
        const auto end = around.begin() + static_cast<std::ptrdiff_t>(count);
        std::nth_element(around.begin(), middle, end);
        double median = *middle;
        if (count % 2 == 0) {
            median = (median + *std::max_element(around.begin(), middle)) / 2;
        }
        return median;
    }

    void Add(FindingCode code, FootprintPoint at, const std::string& detail) {
        findings_.push_back(MakeFinding(code, at.x, at.y, detail));
    }

    const DemChunk& dem_;
    const TerrainGrid& grid_;
    const SubSheetRecord& record_;
    std::vector<Finding>& findings_;
    std::vector<float> lows_;
    std::vector<float> highs_;
};

}  // namespace

void CheckTerrain(const DemChunk& dem, const SubSheetRecord& record,
                  std::vector<Finding>& findings) {
    GridCheck(dem, record, findings).Run();
}

}  // namespace vesk
