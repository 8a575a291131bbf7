// The element-strength weights by month of birth.
#include "calendar/calendar_tables.h"

namespace norlune {
namespace {

// One row per stem 甲 ... 癸, one column per month branch 子 ... 亥.
constexpr float kStemWeights[10][12] = {
    {1.2f, 1.06f, 1.14f, 1.2f, 1.1f, 1.0f, 1.0f, 1.04f, 1.06f, 1.0f, 1.0f, 1.2f},
    {1.2f, 1.06f, 1.14f, 1.2f, 1.1f, 1.0f, 1.0f, 1.04f, 1.06f, 1.0f, 1.0f, 1.2f},
    {1.0f, 1.0f, 1.2f, 1.2f, 1.06f, 1.14f, 1.2f, 1.1f, 1.0f, 1.0f, 1.04f, 1.0f},
    {1.0f, 1.0f, 1.2f, 1.2f, 1.06f, 1.14f, 1.2f, 1.1f, 1.0f, 1.0f, 1.04f, 1.0f},
    {1.0f, 1.1f, 1.06f, 1.0f, 1.1f, 1.14f, 1.2f, 1.16f, 1.0f, 1.0f, 1.14f, 1.0f},
    {1.0f, 1.1f, 1.06f, 1.0f, 1.1f, 1.14f, 1.2f, 1.16f, 1.0f, 1.0f, 1.14f, 1.0f},
    {1.0f, 1.14f, 1.0f, 1.0f, 1.1f, 1.06f, 1.0f, 1.1f, 1.14f, 1.2f, 1.16f, 1.0f},
    {1.0f, 1.14f, 1.0f, 1.0f, 1.1f, 1.06f, 1.0f, 1.1f, 1.14f, 1.2f, 1.16f, 1.0f},
    {1.2f, 1.1f, 1.0f, 1.0f, 1.04f, 1.06f, 1.0f, 1.0f, 1.2f, 1.2f, 1.06f, 1.14f},
    {1.2f, 1.1f, 1.0f, 1.0f, 1.04f, 1.06f, 1.0f, 1.0f, 1.2f, 1.2f, 1.06f, 1.14f},
};

struct HiddenRow {
    int branch;  // ordinal, 子 = 1
    int slot;
    float byMonth[12];  // month numbers 1 ... 12: 寅 卯 辰 巳 午 未 申 酉 戌 亥 子 丑
};

// Each cell is the hidden stem's weight for the month times the slot's share (a branch's only
// stem 1; two stems 0.3 and 0.7; three stems 0.3, 0.2 and 0.5), with some cells kept as the table
// has always had them.
constexpr HiddenRow kHiddenWeights[] = {
    {1, 1, {1.0f, 1.0f, 1.04f, 1.06f, 1.0f, 1.0f, 1.2f, 1.2f, 1.06f, 1.14f, 1.2f, 1.1f}},
    {2, 1, {0.3f, 0.3f, 0.312f, 0.318f, 0.3f, 0.3f, 0.36f, 0.36f, 0.318f, 0.342f, 0.36f, 0.33f}},
    {2, 2, {0.2f, 0.2f, 0.23f, 0.212f, 0.2f, 0.22f, 0.228f, 0.248f, 0.232f, 0.2f, 0.2f, 0.228f}},
    {2, 3, {0.53f, 0.5f, 0.55f, 0.57f, 0.6f, 0.58f, 0.5f, 0.5f, 0.57f, 0.5f, 0.5f, 0.55f}},
    {3, 1, {0.36f, 0.36f, 0.318f, 0.342f, 0.36f, 0.33f, 0.3f, 0.3f, 0.342f, 0.318f, 0.3f, 0.3f}},
    {3, 2, {0.798f, 0.84f, 0.77f, 0.7f, 0.7f, 0.728f, 0.742f, 0.7f, 0.7f, 0.84f, 0.84f, 0.742f}},
    {4, 1, {1.14f, 1.2f, 1.1f, 1.0f, 1.0f, 1.04f, 1.06f, 1.0f, 1.0f, 1.2f, 1.2f, 1.06f}},
    {5, 1, {0.342f, 0.36f, 0.33f, 0.3f, 0.3f, 0.312f, 0.318f, 0.3f, 0.3f, 0.36f, 0.36f, 0.318f}},
    {5, 2, {0.2f, 0.2f, 0.208f, 0.2f, 0.2f, 0.2f, 0.24f, 0.24f, 0.212f, 0.228f, 0.24f, 0.22f}},
    {5, 3, {0.53f, 0.5f, 0.55f, 0.6f, 0.6f, 0.58f, 0.5f, 0.5f, 0.57f, 0.5f, 0.5f, 0.55f}},
    {6, 1, {0.3f, 0.3f, 0.33f, 0.3f, 0.3f, 0.33f, 0.342f, 0.36f, 0.348f, 0.3f, 0.3f, 0.342f}},
    {6, 2, {0.84f, 0.84f, 0.742f, 0.84f, 0.84f, 0.798f, 0.7f, 0.7f, 0.728f, 0.742f, 0.7f, 0.7f}},
    {7, 1, {1.2f, 1.2f, 1.06f, 1.14f, 1.2f, 1.1f, 1.0f, 1.0f, 1.04f, 1.06f, 1.0f, 1.0f}},
    {8, 1, {0.36f, 0.36f, 0.318f, 0.342f, 0.36f, 0.33f, 0.3f, 0.3f, 0.312f, 0.318f, 0.3f, 0.3f}},
    {8, 2, {0.228f, 0.24f, 0.22f, 0.2f, 0.2f, 0.208f, 0.212f, 0.2f, 0.2f, 0.24f, 0.24f, 0.212f}},
    {8, 3, {0.53f, 0.5f, 0.55f, 0.57f, 0.6f, 0.58f, 0.5f, 0.5f, 0.57f, 0.5f, 0.5f, 0.55f}},
    {9, 1, {0.3f, 0.3f, 0.312f, 0.318f, 0.3f, 0.3f, 0.36f, 0.36f, 0.318f, 0.342f, 0.36f, 0.33f}},
    {9, 2, {0.7f, 0.7f, 0.77f, 0.742f, 0.7f, 0.77f, 0.798f, 0.84f, 0.812f, 0.7f, 0.7f, 0.798f}},
    {10, 1, {1.0f, 1.0f, 1.1f, 1.06f, 1.0f, 1.1f, 1.14f, 1.2f, 1.16f, 1.0f, 1.0f, 1.14f}},
    {11, 1, {0.3f, 0.3f, 0.33f, 0.318f, 0.3f, 0.33f, 0.342f, 0.36f, 0.348f, 0.3f, 0.3f, 0.342f}},
    {11, 2, {0.24f, 0.24f, 0.212f, 0.228f, 0.24f, 0.22f, 0.2f, 0.2f, 0.208f, 0.212f, 0.2f, 0.2f}},
    {11, 3, {0.53f, 0.5f, 0.55f, 0.57f, 0.6f, 0.58f, 0.5f, 0.5f, 0.57f, 0.5f, 0.5f, 0.55f}},
    {12, 1, {0.342f, 0.36f, 0.33f, 0.3f, 0.3f, 0.312f, 0.318f, 0.3f, 0.3f, 0.36f, 0.36f, 0.318f}},
    {12, 2, {0.7f, 0.7f, 0.728f, 0.742f, 0.7f, 0.7f, 0.84f, 0.84f, 0.742f, 0.798f, 0.84f, 0.77f}},
};

}  // namespace

WeightTables builtInWeightTables() {
    WeightTables tables;
    for (std::size_t stem = 0; stem < 10; ++stem) {
        for (std::size_t month = 0; month < 12; ++month) {
            tables.StemWeightTable[month + 1][stem + 1] = kStemWeights[stem][month];
        }
    }
    for (const HiddenRow& row : kHiddenWeights) {
        auto& byMonth = tables.HiddenStemWeightTable[static_cast<std::size_t>(row.branch)];
        for (std::size_t month = 0; month < 12; ++month) {
            byMonth[month + 1][static_cast<std::size_t>(row.slot)] = row.byMonth[month];
        }
    }
    return tables;
}

}  // namespace norlune
