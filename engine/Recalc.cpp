#include "engine/Recalc.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "classlib/Exceptions.h"
#include "engine/EngineHost.h"
#include "engine/ErrorList.h"
#include "engine/FieldRegistry.h"

namespace {

const cl::Variant kEmpty;

// The targets whose rule could not compute when it last ran in this
// recalculation: their empty value is no zero, so a sum that reads one
// cannot be computed either.
std::bitset<kRegistryHigh + 1> failedTargets;

// What a rule reads: Null counts as empty, and so does a field without a value object.
const cl::Variant& Operand(int n) {
    if (!InRegistry(n) || !DataValues[n]) return kEmpty;
    const cl::Variant& v = DataValues[n]->GetValue();
    return v.IsNull() ? kEmpty : v;
}

enum class RuleFault { None, Operand, Range };

// A rule's result in Sum, or why it has none.  Only numbers are added: text
// left in an amount field would otherwise be read as a number or, beside
// other text, joined to it.
RuleFault Evaluate(const SumRule& rule, cl::Variant& Sum, const cl::TFormatSettings& fs) {
    try {
        for (int i = 0; i < kMaxOperands && rule.Operands[i] != 0; ++i) {
            const int op = rule.Operands[i];
            const cl::Variant& v = Operand(std::abs(op));
            if (failedTargets[std::abs(op)] || (!v.IsEmpty() && !v.IsNumeric())) return RuleFault::Operand;
            if (i == 0)
                Sum = v;
            else
                Sum = op > 0 ? cl::VarAdd(Sum, v, fs) : cl::VarSub(Sum, v, fs);
        }
        // An empty result is not greater than zero and stays empty.
        if (rule.NegateWhenPositive && Sum > cl::Variant(0)) Sum = cl::VarMul(Sum, cl::Variant(-1), fs);
    } catch (const cl::EVariantOverflowError&) {
        return RuleFault::Range;
    } catch (const cl::EVariantError&) {
        return RuleFault::Operand;
    }
    return RuleFault::None;
}

void ReportFault(uint16_t target, RuleFault fault) {
    const char* format = fault == RuleFault::Range
                             ? "Pole %d: nie można obliczyć sumy (wynik poza zakresem kwot)."
                             : "Pole %d: nie można obliczyć sumy (nieprawidłowa wartość składnika).";
    char text[128];
    std::snprintf(text, sizeof text, format, target);
    AddError(kRecalcErrorKind, text);
}

// The rule's result, or for a rule that cannot compute an empty target:
// an old total would look right, an empty field and a listed error do not.
void StoreResult(const SumRule& rule, RuleFault fault, const cl::Variant& sum, uint16_t trigger) {
    failedTargets[rule.Target] = fault != RuleFault::None;
    SetComputed(trigger, rule.Target, fault == RuleFault::None ? sum : kEmpty);
}

}  // namespace

cl::Variant GetFieldNum(uint16_t N) {
    return Operand(N);
}

void SetComputed(uint16_t Trigger, uint16_t Target, const cl::Variant& V) {
    if (InRegistry(Target) && DataValues[Target]) DataValues[Target]->AssignComputed(V);
}

void RunRules(const FormRules& Form, uint16_t Trigger, bool ReportFaults) {
    const cl::TFormatSettings& fs = cl::FormatSettings();
    cl::Variant sum;
    for (const SumRule& rule : Form.Rules) {
        const RuleFault fault = Evaluate(rule, sum, fs);
        StoreResult(rule, fault, sum, Trigger);
        if (fault != RuleFault::None && ReportFaults) ReportFault(rule.Target, fault);
    }
}

void RunSettled(const FormRules& Form, uint16_t Trigger) {
    std::vector<std::pair<size_t, RuleFault>> faults;
    const cl::TFormatSettings& fs = cl::FormatSettings();
    cl::Variant sum;
    for (const SumRule* rule : Form.Settled) {
        const RuleFault fault = Evaluate(*rule, sum, fs);
        StoreResult(*rule, fault, sum, Trigger);
        if (fault != RuleFault::None)
            faults.emplace_back(static_cast<size_t>(rule - Form.Rules.data()), fault);
    }
    // Listed in the list's order, as a run of the list lists them.
    std::sort(faults.begin(), faults.end());
    for (auto [index, fault] : faults) ReportFault(Form.Rules[index].Target, fault);
}

void Recalculate(uint16_t Trigger) {
    ClearErrors(kRecalcErrorKind, false);
    failedTargets.reset();
    EngineHost& host = GetEngineHost();
    for (const FormRules& form : kFormRules) {
        CurrentFormName = form.Name;
        if (host.IsCurrentFormSelected()) RunSettled(form, Trigger);
    }
    NotifyErrors();
}

void RecalcBil(uint16_t Trigger) {
    RunRules(kFormRules[0], Trigger, true);
}
void RecalcRachzsk(uint16_t Trigger) {
    RunRules(kFormRules[1], Trigger, true);
}
void RecalcRachzsp(uint16_t Trigger) {
    RunRules(kFormRules[2], Trigger, true);
}
void RecalcRachppp(uint16_t Trigger) {
    RunRules(kFormRules[3], Trigger, true);
}
void RecalcRachppb(uint16_t Trigger) {
    RunRules(kFormRules[4], Trigger, true);
}
void RecalcZestzf(uint16_t Trigger) {
    RunRules(kFormRules[5], Trigger, true);
}
void RecalcBilm(uint16_t Trigger) {
    RunRules(kFormRules[6], Trigger, true);
}
void RecalcRachw(uint16_t Trigger) {
    RunRules(kFormRules[7], Trigger, true);
}
