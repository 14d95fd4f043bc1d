#include "filters/related_groups.h"

namespace kombitron {

namespace {

bool assignFrom(const uint8_t* acceptable, int i, int conditions, unsigned used)
{
    if (i == conditions) return true;
    for (unsigned free = acceptable[i] & ~used; free != 0; free &= free - 1)
        if (assignFrom(acceptable, i + 1, conditions, used | (free & (~free + 1)))) return true;
    return false;
}

bool hasNumbers(const NumberFlags& flags)
{
    for (int n = kMinNumber; n <= kMaxNumber; ++n)
        if (flags[n]) return true;
    return false;
}

constexpr int kPowersOfSeven[7] = {1, 7, 49, 343, 2401, 16807, 117649};

// A block in use: its active sub-groups counted together. On big systems, whether each
// combination of their counts (h1 + 7 h2 + 49 h3 ...) satisfies the block is worked out once
// for all bets; on small ones each bet is tried directly.
class Block {
public:
    Block(const NumberFlags* slots, const HitSet* conditionSlots, int64_t bets)
    {
        for (int j = 0; j < 6; ++j) {
            if (hasNumbers(slots[j])) counter_.add(subgroups_++, slots[j]);
            const uint8_t bits = hitBits(conditionSlots[j]);
            if (bits != 0) conditions_[conditionCount_++] = bits;
        }
        impossible_ = conditionCount_ == 0 || conditionCount_ > subgroups_;
        if (impossible_ || bets < 8 * int64_t{kPowersOfSeven[subgroups_]}) return;
        satisfied_.resize(static_cast<size_t>(kPowersOfSeven[subgroups_]));
        for (int code = 0; code < kPowersOfSeven[subgroups_]; ++code) {
            int counts[6];
            for (int j = 0; j < subgroups_; ++j) counts[j] = code / kPowersOfSeven[j] % 7;
            satisfied_[static_cast<size_t>(code)] = satisfies(counts) ? 1 : 0;
        }
    }

    bool accepts(const uint8_t* n) const
    {
        if (impossible_) return false;
        const uint64_t packed = counter_.counts(n);
        int counts[6];
        int code = 0;
        for (int j = 0; j < subgroups_; ++j) {
            counts[j] = ClassCounter::field(packed, j);
            code += counts[j] * kPowersOfSeven[j];
        }
        return satisfied_.empty() ? satisfies(counts) : satisfied_[static_cast<size_t>(code)] != 0;
    }

private:
    bool satisfies(const int* counts) const
    {
        uint8_t acceptable[6];
        for (int i = 0; i < conditionCount_; ++i) {
            acceptable[i] = 0;
            for (int j = 0; j < subgroups_; ++j)
                if (allows(conditions_[i], counts[j])) acceptable[i] |= static_cast<uint8_t>(1u << j);
            if (acceptable[i] == 0) return false;
        }
        return conditionsAssignable(acceptable, conditionCount_);
    }

    ClassCounter counter_;
    int subgroups_ = 0;
    uint8_t conditions_[6] = {};
    int conditionCount_ = 0;
    bool impossible_ = false;
    std::vector<uint8_t> satisfied_;
};

} // namespace

bool conditionsAssignable(const uint8_t* acceptable, int conditions)
{
    return assignFrom(acceptable, 0, conditions, 0);
}

int64_t gruposRelacionadosPass(AppState& state, Progress& progress, const StopToken& stop)
{
    const GruposRelacionadosParams& p = state.filters.gruposRelacionados;
    std::vector<Block> blocks;
    for (int b = 0; b < kRelatedBlocks; ++b) {
        bool inUse = false;
        for (int j = 0; j < 6; ++j) inUse = inUse || hasNumbers(p.subgroups[b * 6 + j]);
        if (inUse) blocks.emplace_back(&p.subgroups[b * 6], &p.conditions[b * 6], state.totalSystem.size());
    }
    if (blocks.empty()) return 0;
    // One walk for all blocks: the first block that fails a bet rejects it, as in one walk per block.
    return runPass(state, progress, stop, [&](const uint8_t* n) {
        for (const Block& block : blocks)
            if (!block.accepts(n)) return true;
        return false;
    });
}

std::string checkGruposRelacionadosClosing(const GruposRelacionadosParams& params)
{
    for (int b = 1; b <= kRelatedBlocks; ++b) {
        int subgroups = 0, conditions = 0;
        for (int j = 0; j < 6; ++j) {
            subgroups += hasNumbers(params.subgroups[(b - 1) * 6 + j]) ? 1 : 0;
            conditions += params.conditions[(b - 1) * 6 + j].any() ? 1 : 0;
        }
        const std::string head = "ERROR en GRUPO" + std::to_string(b) + " : ";
        if (conditions > subgroups) return head + "No puede haber más condiciones que subgrupos activados";
        if (subgroups >= 1 && conditions == 0) return head + "Si activa un subgrupo, debe de haber al menos una condición marcada";
    }
    return {};
}

void compactRelatedGroups(GruposRelacionadosParams& params)
{
    for (int b = 0; b < kRelatedBlocks; ++b) {
        NumberFlags* slots = &params.subgroups[b * 6];
        int next = 0;
        for (int j = 0; j < 6; ++j)
            if (hasNumbers(slots[j])) {
                if (j != next) slots[next] = slots[j];
                ++next;
            }
        for (int j = next; j < 6; ++j) slots[j] = NumberFlags{};
    }
}

std::string closeGruposRelacionados(GruposRelacionadosParams& params)
{
    std::string failure = checkGruposRelacionadosClosing(params);
    if (failure.empty()) compactRelatedGroups(params);
    return failure;
}

} // namespace kombitron
