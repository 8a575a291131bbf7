#pragma once
// The table of the numbers 1 to 81 and the table of the 125 three-talent configurations.
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace norlune {

// The twelve numbers that count against a woman's name.
bool isFemaleUnfavourable(int number);

class NumerologyTable {
public:
    static constexpr int kMaxNumber = 81;
    enum Field { kVerse = 1, kGrade = 2, kCategories = 3, kExplanation = 4 };

    // One line per number: number TAB verse TAB grade TAB categories TAB explanation.
    static NumerologyTable fromText(std::string_view text);
    static NumerologyTable builtIn();

    // Field 1..4 of entry n; every field is empty for 0 and for numbers outside 1..81.
    const std::string& field(int n, int f) const;
    // Points of the grade of n, 0 where the grade is missing or not a grade.
    int points(int n) const { return inRange(n) ? points_[static_cast<std::size_t>(n)] : 0; }

    // Fills a[1..4] with the fields of entry s and adds 1 to Fbadn when s counts against a woman.
    void GetSge(int s, std::array<std::string, 5>& a, int& Fbadn) const;

private:
    static bool inRange(int n) { return n >= 0 && n <= kMaxNumber; }
    std::vector<std::array<std::string, 5>> entries_ =
        std::vector<std::array<std::string, 5>>(kMaxNumber + 1);
    std::array<int, kMaxNumber + 1> points_{};
};

class SanCaiTable {
public:
    static constexpr int kRows = 125;
    // Slots of a row: 0 key, 1 overview, 2 influence, 3 grade, 4 foundation text, 5 its grade, 6
    // success text, 7 its grade, 8 relations text, 9 its grade, 10 character.
    using Row = std::array<std::string, 11>;

    // One line per row: key TAB slot1 TAB ... TAB slot10.
    static SanCaiTable fromText(std::string_view text);
    static SanCaiTable builtIn();

    // Fills a[1..10] with the row whose key equals s; with no such row, with empty texts.
    void GetSanCaiInfo(std::string_view s, std::array<std::string, 11>& a) const;
    // The row of a key given as 0..124 (see threeTalentIndex), the empty row 0 when it is missing.
    const Row& rowByIndex(int index) const {
        return rows_[static_cast<std::size_t>(byIndex_[static_cast<std::size_t>(index)])];
    }
    // Sum of the points of slots 3, 5, 7 and 9 of that row.
    int gradePoints(int index) const { return gradePoints_[static_cast<std::size_t>(index)]; }
    int rowCount() const { return static_cast<int>(rows_.size()) - 1; }
    const Row& row(int i) const { return rows_[static_cast<std::size_t>(i)]; }

private:
    std::vector<Row> rows_ = std::vector<Row>(1);  // row 0 is empty
    std::unordered_map<std::string, int> byKey_;   // first row with that key
    std::array<int, kRows> byIndex_{};
    std::array<int, kRows> gradePoints_{};
};

}  // namespace norlune
