#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The knowledge base: for each number 1..81 of the eighty-one-number numerology, eight texts
// that read it, and one saying that sums it up. The texts are compiled into the program; filling
// the tables only points their cells at them, so it cannot fail and costs next to nothing.
namespace knowledge {

// The columns of NumerologyTable, in their fixed order.
enum Column : std::size_t {
    ViewOne,   // a four-line verse
    ViewTwo,   // a paragraph of prose
    SayingOne, // begins with the number's rating, such as 【大吉】
    SayingTwo, // begins with the number's title, such as （宇宙起源）
    Career,
    Family,
    Health,
    Meaning,
};
inline constexpr std::size_t ColumnCount = 8;
inline constexpr int MaxNumber = 81;

using Row = std::array<std::u16string_view, ColumnCount>;
// Row n holds the texts of the number n. Row 0 is never filled.
using NumerologyTable = std::array<Row, MaxNumber + 1>;
// Entry n sums up the number n. Entry 0 is never filled; 81 closes the cycle and has an empty one.
using SayingThreeList = std::array<std::u16string_view, MaxNumber + 1>;

// Fills every cell of rows 1..81 and entries 1..81; an empty text is an empty view.
void FillNumerologyTable(NumerologyTable &table, SayingThreeList &sayingThree);

} // namespace knowledge
