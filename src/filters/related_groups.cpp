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

struct Block {
    std::vector<NumberMask> subgroups;  // active ones, in slot order
    std::vector<uint8_t> conditions;    // active HitSets as bits, in slot order
};

} // namespace

bool conditionsAssignable(const uint8_t* acceptable, int conditions)
{
    return assignFrom(acceptable, 0, conditions, 0);
}

int64_t GruposRelacionadosPass(AppState& state, Progress& progress)
{
    const GruposRelacionadosParams& p = state.filters.gruposRelacionados;
    std::vector<Block> blocks;
    for (int b = 0; b < kRelatedBlocks; ++b) {
        Block block;
        for (int j = 0; j < 6; ++j) {
            const NumberMask members = membersMask(p.subgroups[b * 6 + j]);
            if (members != 0) block.subgroups.push_back(members);
            const uint8_t bits = hitBits(p.conditions[b * 6 + j]);
            if (bits != 0) block.conditions.push_back(bits);
        }
        if (!block.subgroups.empty()) blocks.push_back(std::move(block));
    }
    if (blocks.empty()) return 0;
    // One walk for all blocks: the first block that fails a bet rejects it, as in one walk per block.
    return runPass(state, progress, [&](const uint8_t* n) {
        const NumberMask mask = maskOf(n);
        for (const Block& block : blocks) {
            const int k = static_cast<int>(block.subgroups.size());
            const int m = static_cast<int>(block.conditions.size());
            if (m == 0 || m > k) return true;
            int counts[6];
            for (int j = 0; j < k; ++j) counts[j] = countIn(mask, block.subgroups[j]);
            uint8_t acceptable[6];
            for (int i = 0; i < m; ++i) {
                acceptable[i] = 0;
                for (int j = 0; j < k; ++j)
                    if (allows(block.conditions[i], counts[j])) acceptable[i] |= static_cast<uint8_t>(1u << j);
                if (acceptable[i] == 0) return true;
            }
            if (!conditionsAssignable(acceptable, m)) return true;
        }
        return false;
    });
}

std::string CheckGruposRelacionadosClosing(const GruposRelacionadosParams& params)
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

void CompactRelatedGroups(GruposRelacionadosParams& params)
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

std::string CloseGruposRelacionados(GruposRelacionadosParams& params)
{
    std::string failure = CheckGruposRelacionadosClosing(params);
    if (failure.empty()) CompactRelatedGroups(params);
    return failure;
}

} // namespace kombitron
