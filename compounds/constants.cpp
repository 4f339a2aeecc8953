#include "constants.h"

#include <algorithm>

namespace corvane::compounds {

namespace {

using engine::Quantity;

const char* ProtonWords[] = {"monoprotic", "diprotic", "triprotic"};

} // namespace

std::string ConstantRole::caption() const {
    std::string text =
        kind == Kind::Base ? "base" : std::string(ProtonWords[protons - 1]) + " acid";
    text += " (";
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (i > 0) text += ", ";
        text += kind == Kind::Base ? "k_b"
                : protons == 1     ? "k_a"
                                   : "k_" + std::to_string(slots[i].step + 1);
    }
    return text + ")";
}

std::vector<ConstantRole> ConstantRoles(const engine::ProblemType& problem) {
    ConstantRole monoprotic{Kind::Acid, 1, false, {}};
    ConstantRole polyprotic{Kind::Acid, 2, problem.firstDissociationComplete, {}};
    ConstantRole base{Kind::Base, 1, false, {}};
    for (const engine::SlotRow& row : problem.rows) {
        const int slot = row.slot;
        switch (row.quantity) {
        case Quantity::k_a:
            monoprotic.slots.push_back({slot, 0});
            break;
        case Quantity::k_b:
            base.slots.push_back({slot, 0});
            break;
        case Quantity::k_3:
            polyprotic.protons = 3;
            [[fallthrough]];
        case Quantity::k_1:
        case Quantity::k_2: {
            const int step = row.quantity == Quantity::k_1   ? 0
                             : row.quantity == Quantity::k_2 ? 1
                                                             : 2;
            // The hidden k_1 row of a "C" variant takes no value.
            if (engine::OffersInput(problem, slot)) polyprotic.slots.push_back({slot, step});
            break;
        }
        default:
            break;
        }
    }
    std::vector<ConstantRole> roles;
    for (ConstantRole* role : {&monoprotic, &polyprotic, &base})
        if (!role->slots.empty()) roles.push_back(std::move(*role));
    return roles;
}

bool Fits(const Compound& compound, const ConstantRole& role) {
    if (compound.kind != role.kind || compound.protons != role.protons) return false;
    return role.firstStepComplete || !compound.firstStepComplete();
}

std::vector<const Compound*> Candidates(const ConstantRole& role, std::string_view text) {
    std::vector<const Compound*> found;
    for (const Compound& c : Compounds())
        if (Fits(c, role) && Matches(c, text)) found.push_back(&c);
    return found;
}

namespace {

// Why a compound does not fit a role, for a user who named it.
std::string misfit(const Compound& c, const ConstantRole& role, std::string_view code) {
    const std::string needs = "code " + std::string(code) + " needs a " + role.caption();
    if (c.kind == role.kind && c.protons == role.protons)
        return c.name + " gives up its first proton completely; " + needs +
               " (the option with the first dissociation complete takes it)";
    return c.name + " is a " + KindText(c) + "; " + needs;
}

} // namespace

Filling FillConstants(const engine::ProblemType& problem, const Compound* acid,
                      const Compound* base) {
    Filling filling;
    const std::vector<ConstantRole> roles = ConstantRoles(problem);
    for (const auto& [compound, kind] :
         {std::pair{acid, Kind::Acid}, std::pair{base, Kind::Base}}) {
        if (compound == nullptr) continue;
        const auto role = std::find_if(roles.begin(), roles.end(),
                                       [kind](const ConstantRole& r) { return r.kind == kind; });
        if (role == roles.end())
            return {{},
                    "code " + std::string(problem.code) + " has no " +
                        (kind == Kind::Acid ? "acid" : "base") + " constant"};
        if (!Fits(*compound, *role)) return {{}, misfit(*compound, *role, problem.code)};
        for (const ConstantSlot& s : role->slots)
            filling.values.emplace_back(s.slot, compound->constant(s.step));
    }
    return filling;
}

} // namespace corvane::compounds
