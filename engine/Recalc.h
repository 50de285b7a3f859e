#pragma once
// Recalculation: every computed field of every selected form from its sum
// rule.  A rule that cannot compute (an operand holding text, a total
// beyond the currency range) empties its target and reports the field in
// ErrorList; so does every rule that reads such a target, up to the last
// total, so no total counts it as 0.  The other rules go on.

#include <cstdint>

#include "classlib/Variant.h"
#include "engine/SumRules.h"

// For each form in catalogue order that the host reports selected, runs its
// rules once in settled order (RunSettled); then asks for the error list box
// to be refilled.  Trigger (the stored field, or 0) does not change the result.
void Recalculate(uint16_t Trigger);
// The value of field N (Null as Unassigned); Unassigned when N has no value object.
cl::Variant GetFieldNum(uint16_t N);
// Stores a rule's result in Target's value object, when it has one.
void SetComputed(uint16_t Trigger, uint16_t Target, const cl::Variant& V);

// One run of a form's rules, in order, within the current recalculation:
// a target whose rule failed when it last ran in it is still failed.  A
// rule that cannot compute is listed in ErrorList when ReportFaults is set.
// The eight procedures report.
void RunRules(const FormRules& Form, uint16_t Trigger, bool ReportFaults);
// One run of Form.Settled: the values and the listed errors that Form.Runs
// runs of the list, reporting the last, give.
void RunSettled(const FormRules& Form, uint16_t Trigger);
void RecalcBil(uint16_t Trigger);
void RecalcRachzsk(uint16_t Trigger);
void RecalcRachzsp(uint16_t Trigger);
void RecalcRachppp(uint16_t Trigger);
void RecalcRachppb(uint16_t Trigger);
void RecalcZestzf(uint16_t Trigger);
void RecalcBilm(uint16_t Trigger);
void RecalcRachw(uint16_t Trigger);
