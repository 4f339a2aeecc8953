// The slot names against the rows of the catalogue's slot tables, family by family, and the
// buffers that take an added strong acid or base.
#include "engine/catalogue.h"
#include "engine/slots.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::engine {
namespace {

using Q = Quantity;

// Every code listed has a row at `slot` holding one of `quantities`.
void expectRows(std::initializer_list<std::string_view> codes, int slot,
                std::initializer_list<Q> quantities) {
    for (std::string_view code : codes) {
        const ProblemType* p = FindProblem(code);
        ASSERT_NE(p, nullptr) << code;
        const SlotRow* row = FindRow(*p, slot);
        ASSERT_NE(row, nullptr) << code << " slot " << slot;
        bool known = false;
        for (Q q : quantities)
            known = known || row->quantity == q;
        EXPECT_TRUE(known) << code << " slot " << slot << " holds " << SymbolName(row->quantity);
    }
}

TEST(SlotNames, SingleSolutions) {
    namespace s = slot::solution;
    const std::initializer_list<std::string_view> all = {"10", "11",  "12", "12C",
                                                         "13", "13C", "14", "15"};
    expectRows(all, s::C, {Q::C_a, Q::C_b});
    expectRows(all, s::PH, {Q::pH});
    expectRows(all, s::H, {Q::H_plus});
    expectRows({"11", "12", "13", "15"}, s::K, {Q::k_a, Q::k_b, Q::k_1});
    expectRows({"12", "12C", "13", "13C"}, s::K2, {Q::k_2});
    expectRows({"13", "13C"}, s::K3, {Q::k_3});
}

TEST(SlotNames, SaltHydrolysis) {
    namespace s = slot::salt;
    expectRows({"20", "21", "22", "23"}, s::CS, {Q::C_S});
    expectRows({"21", "22", "23"}, s::PH, {Q::pH});
    expectRows({"22", "23"}, s::Ka, {Q::k_a});
    expectRows({"21", "23"}, s::Kb, {Q::k_b});
    expectRows({"20"}, s::NeutralPH, {Q::pH});
    expectRows({"20"}, s::NeutralH, {Q::H_plus});
    expectRows({"20"}, s::NeutralOH, {Q::OH_minus});
    expectRows({"20"}, s::NeutralAnion, {Q::A_minus});
    expectRows({"20"}, s::NeutralCation, {Q::B_plus});
}

TEST(SlotNames, Mixtures) {
    namespace s = slot::mixture;
    const std::initializer_list<std::string_view> all = {"30", "31",  "32", "33",
                                                         "34", "34C", "35", "35C"};
    expectRows(all, s::Ca, {Q::C_a});
    expectRows(all, s::Cb, {Q::C_b});
    expectRows(all, s::PH, {Q::pH});
    expectRows({"32", "33", "34", "35"}, s::Ka, {Q::k_a, Q::k_1});
    expectRows({"31", "33", "34", "34C", "35", "35C"}, s::Kb, {Q::k_b, Q::k_2});
    expectRows({"35", "35C"}, s::K3, {Q::k_3});
}

TEST(SlotNames, Buffers) {
    namespace s = slot::buffer;
    const std::initializer_list<std::string_view> all = {"40", "41", "42", "43", "44", "45"};
    expectRows(all, s::C, {Q::C_a, Q::C_b});
    expectRows(all, s::CS, {Q::C_S});
    expectRows(all, s::PH, {Q::pH});
    expectRows(all, s::K, {Q::k_a, Q::k_b});
    expectRows({"42", "43"}, s::Added, {Q::C_SA});
    expectRows({"44", "45"}, s::Added, {Q::C_SB});
    // The solver leaves the added concentration where the graphs propose it; the buffer volume
    // is the graphs' own slot.
    expectRows({"42", "43"}, s::AddedConcentration, {Q::C_SA});
    expectRows({"44", "45"}, s::AddedConcentration, {Q::C_SB});
    for (std::string_view code : all)
        EXPECT_EQ(FindRow(*FindProblem(code), s::Volume), nullptr) << code;
}

TEST(SlotNames, Titrations) {
    namespace s = slot::titration;
    const std::initializer_list<std::string_view> all = {"50", "51", "52", "53"};
    expectRows({"50", "51"}, s::C, {Q::C_a});
    expectRows({"52", "53"}, s::C, {Q::C_b});
    expectRows({"50", "51"}, s::V, {Q::V_a});
    expectRows({"52", "53"}, s::V, {Q::V_b});
    expectRows({"51"}, s::K, {Q::k_a});
    expectRows({"53"}, s::K, {Q::k_b});
    expectRows({"50", "51"}, s::Titrant, {Q::C_SB});
    expectRows({"52", "53"}, s::Titrant, {Q::C_SA});
    expectRows(all, s::Veq, {Q::V_eq});
    expectRows(all, s::PHeq, {Q::pH_eq});
    expectRows(all, s::Slope, {Q::EquivalenceSlope});
}

TEST(SlotNames, PolyproticTitrations) {
    namespace s = slot::polyprotic_titration;
    const std::initializer_list<std::string_view> all = {"54", "54C", "55", "55C"};
    expectRows(all, s::Ca, {Q::C_a});
    expectRows(all, s::Va, {Q::V_a});
    expectRows(all, s::K1, {Q::k_1});
    expectRows(all, s::K2, {Q::k_2});
    expectRows({"55", "55C"}, s::K3, {Q::k_3});
    expectRows(all, s::Titrant, {Q::C_SB});
    expectRows(all, s::Veq, {Q::V_eq});
    expectRows(all, s::PHeq, {Q::pH_eq});
    expectRows(all, s::Veq1, {Q::V_eq1});
    expectRows(all, s::PHeq1, {Q::pH_eq1});
    expectRows({"55", "55C"}, s::Veq2, {Q::V_eq2});
    expectRows({"55", "55C"}, s::PHeq2, {Q::pH_eq2});
    expectRows(all, s::Slope, {Q::EquivalenceSlope});
}

// A buffer takes an added strong acid or base when its slot table has a row for one.
TEST(Catalogue, StrongAddedBuffersAreThoseWithAnAddedConcentrationRow) {
    std::vector<std::string> added;
    for (const ProblemType& p : Problems()) {
        bool addedRow = false;
        for (const SlotRow& row : p.rows)
            addedRow = addedRow || row.quantity == Q::C_SA || row.quantity == Q::C_SB;
        EXPECT_EQ(p.strongAdded, p.task == 4 && addedRow) << p.code;
        if (p.strongAdded) added.emplace_back(p.code);
    }
    EXPECT_EQ(added, (std::vector<std::string>{"42", "43", "44", "45"}));
}

} // namespace
} // namespace corvane::engine
