#pragma once
// The sum rules of the eight forms: one rule per computed field, in the
// order in which each form's list runs.

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
    int Runs;  // runs of the list per recalculation
};

// In catalogue order: bil, rachzsk, rachzsp, rachppp, rachppb, zestzf, bilm, rachw.
extern const FormRules kFormRules[8];
