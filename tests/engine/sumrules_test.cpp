// The sum-rule table against the field table: its targets, its operands and
// the number of runs its order needs.
#include "engine/SumRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "engine/FormCatalogue.h"
#include "engine/calc1_d.h"

namespace {

TEST(SumRules, FormsRuleCountsAndRunsInCatalogueOrder) {
    struct Row {
        const char* name;
        size_t rules;
        int runs;
    };
    const Row rows[] = {{"bil", 76, 5},     {"rachzsk", 26, 5}, {"rachzsp", 24, 5}, {"rachppp", 28, 5},
                        {"rachppb", 30, 5}, {"zestzf", 66, 1},  {"bilm", 20, 1},    {"rachw", 12, 1}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(kFormRules[i].Name, rows[i].name);
        EXPECT_EQ(kFormRules[i].Name, FormCatalogue[i + 1].Name);
        EXPECT_EQ(kFormRules[i].Rules.size(), rows[i].rules) << rows[i].name;
        EXPECT_EQ(kFormRules[i].Runs, rows[i].runs) << rows[i].name;
    }
}

TEST(SumRules, TargetsAreExactlyTheComputedFieldsOnce) {
    std::multiset<int> targets;
    for (const FormRules& form : kFormRules)
        for (const SumRule& rule : form.Rules) targets.insert(rule.Target);
    std::multiset<int> computed;
    for (const TEField& row : TEFieldTable)
        if (!row.Enabled && row.DataType == kDataCurrency) computed.insert(row.DataIdx);
    EXPECT_EQ(targets.size(), 282u);
    EXPECT_EQ(targets, computed);
}

TEST(SumRules, OperandsAreAmountFieldsOfTheRulesOwnForm) {
    for (int i = 0; i < 8; ++i) {
        const TFrmFeature& form = FormCatalogue[i + 1];
        for (const SumRule& rule : kFormRules[i].Rules) {
            EXPECT_TRUE(rule.Target > form.FirstID && rule.Target < form.LastID) << rule.Target;
            EXPECT_GT(rule.Operands[0], 0) << rule.Target;
            bool ended = false;
            for (int16_t op : rule.Operands) {
                if (op == 0) {
                    ended = true;
                    continue;
                }
                EXPECT_FALSE(ended) << "operand after the end in rule " << rule.Target;
                const int n = std::abs(op);
                EXPECT_TRUE(n > form.FirstID && n < form.LastID) << rule.Target << ": " << n;
                EXPECT_EQ(TEFieldTable[n].DataType, kDataCurrency) << rule.Target << ": " << n;
                EXPECT_NE(n, rule.Target);
            }
        }
    }
}

TEST(SumRules, NegatedRulesAreTheFourEquityReductions) {
    std::set<int> negated;
    for (const FormRules& form : kFormRules)
        for (const SumRule& rule : form.Rules)
            if (rule.NegateWhenPositive) negated.insert(rule.Target);
    EXPECT_EQ(negated, (std::set<int>{731, 804, 904, 974}));
}

// Runs after which every target is computed from final values, whatever the
// targets held before: a target is final once its rule ran on final operands.
int RunsNeeded(const std::vector<const SumRule*>& rules) {
    std::set<int> targets, final;
    for (const SumRule* rule : rules) targets.insert(rule->Target);
    for (int runs = 1; runs <= 10; ++runs) {
        for (const SumRule* rule : rules) {
            bool ready = true;
            for (int16_t op : rule->Operands)
                if (op != 0 && targets.count(std::abs(op)) && !final.count(std::abs(op))) ready = false;
            if (ready) final.insert(rule->Target);
        }
        if (final.size() == targets.size()) return runs;
    }
    return -1;  // a cycle
}

std::vector<const SumRule*> ListOrder(const FormRules& form) {
    std::vector<const SumRule*> rules;
    for (const SumRule& rule : form.Rules) rules.push_back(&rule);
    return rules;
}

TEST(SumRules, RuleOrderSettlesInTheRunsEachFormNeeds) {
    const std::map<std::string_view, int> needed = {{"bil", 4},     {"rachzsk", 1}, {"rachzsp", 1},
                                                    {"rachppp", 3}, {"rachppb", 3}, {"zestzf", 1},
                                                    {"bilm", 1},    {"rachw", 1}};
    for (const FormRules& form : kFormRules) {
        EXPECT_EQ(RunsNeeded(ListOrder(form)), needed.at(form.Name)) << form.Name;
        EXPECT_GE(form.Runs, RunsNeeded(ListOrder(form))) << form.Name;
    }
}

TEST(SumRules, SettledOrderIsTheListsRulesSettlingInOneRun) {
    for (const FormRules& form : kFormRules) {
        const std::vector<const SumRule*> settled(form.Settled.begin(), form.Settled.end());
        std::vector<const SumRule*> sorted = settled;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, ListOrder(form)) << form.Name;
        EXPECT_EQ(RunsNeeded(settled), 1) << form.Name;
    }
}

}  // namespace
