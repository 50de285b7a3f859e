#pragma once
// The sum rules of the eight forms: one rule per computed field, in the
// order in which each form's list runs.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

constexpr int kMaxOperands = 10;

struct SumRule {
    uint16_t Target;
    // Field numbers, added left to right; a negative number subtracts that
    // field.  Unused places are 0.  The first operand is always added.
    int16_t Operands[kMaxOperands];
    bool NegateWhenPositive = false;  // a positive result is stored negated
};

struct FormRules {
    std::string_view Name;  // the catalogue name
    std::span<const SumRule> Rules;
    int Runs;  // runs of the list that settle every total, as the list stands
    // The same rules, each after every rule whose target it reads: one run
    // of them gives what Runs runs of the list give.
    std::span<const SumRule* const> Settled;
};

// Rules in an order in which every rule comes after the rules whose targets
// it reads, keeping the list's own order otherwise.  Circular rules do not
// compile.
template <size_t N>
constexpr std::array<const SumRule*, N> ReadersAfterWriters(const SumRule (&rules)[N]) {
    std::array<const SumRule*, N> order{};
    std::array<bool, N> placed{};
    size_t count = 0;
    while (count < N) {
        const size_t before = count;
        for (size_t i = 0; i < N; ++i) {
            bool ready = !placed[i];
            for (int k = 0; ready && k < kMaxOperands && rules[i].Operands[k] != 0; ++k) {
                const int n = rules[i].Operands[k] < 0 ? -rules[i].Operands[k] : rules[i].Operands[k];
                for (size_t j = 0; j < N; ++j)
                    if (rules[j].Target == n && !placed[j]) ready = false;
            }
            if (ready) {
                placed[i] = true;
                order[count++] = &rules[i];
            }
        }
        if (count == before) throw "circular sum rules";
    }
    return order;
}

// In catalogue order: bil, rachzsk, rachzsp, rachppp, rachppb, zestzf, bilm, rachw.
extern const FormRules kFormRules[8];
