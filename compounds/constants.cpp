#include "constants.h"

#include <algorithm>

namespace corvane::compounds {

namespace {

using engine::Quantity;

const char* ProtonWords[] = {"monoprotic", "diprotic", "triprotic"};

} // namespace

std::string ConstantRole::caption() const {
    if (anyCompound) return "acid or base";
    std::string text =
        kind == Kind::Base ? "base" : std::string(ProtonWords[protons - 1]) + " acid";
    text += " (";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text += ", ";
        text += kind == Kind::Base ? "k_b"
                : protons == 1     ? "k_a"
                                   : "k_" + std::to_string(fields[i].step + 1);
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
            monoprotic.fields.push_back({slot, 0});
            break;
        case Quantity::k_b:
            base.fields.push_back({slot, 0});
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
            if (engine::OffersInput(problem, slot)) polyprotic.fields.push_back({slot, step});
            break;
        }
        default:
            break;
        }
    }
    std::vector<ConstantRole> roles;
    for (ConstantRole* role : {&monoprotic, &polyprotic, &base})
        if (!role->fields.empty()) roles.push_back(std::move(*role));
    return roles;
}

bool Fits(const Compound& compound, const ConstantRole& role) {
    if (role.anyCompound) return true;
    if (compound.kind != role.kind || compound.protons != role.protons) return false;
    return role.firstStepComplete || !compound.firstStepComplete();
}

std::vector<const Compound*> Candidates(const ConstantRole& role, std::string_view text) {
    std::vector<const Compound*> found;
    for (const Compound& c : Compounds())
        if (Fits(c, role) && Matches(c, text)) found.push_back(&c);
    return found;
}

std::string Misfit(const Compound& c, const ConstantRole& role, std::string_view code) {
    if (c.kind == role.kind && c.protons == role.protons)
        return c.name + " has no k_1 (its first proton is given up completely)" +
               (code.empty() ? std::string() : ": take code " + std::string(code) + "C");
    return c.name + " is a " + KindText(c) + "; " +
           (code.empty() ? std::string("this option") : "code " + std::string(code)) + " needs a " +
           role.caption();
}

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
        if (!Fits(*compound, *role)) return {{}, Misfit(*compound, *role, problem.code)};
        for (const ConstantSlot& s : role->fields)
            filling.values.emplace_back(s.slot, compound->constant(s.step));
    }
    return filling;
}

namespace {

// The compound a name finds, looked for first among those that fit the problem type, or why
// it finds none.
const Compound* lookUp(const std::vector<ConstantRole>& roles,
                       const std::optional<std::string>& name, Kind kind, std::string& error) {
    if (!name || !error.empty()) return nullptr;
    const char* kindWord = kind == Kind::Acid ? "acid" : "base";
    Lookup found{LookupStatus::NotFound, nullptr, {}};
    for (const ConstantRole& role : roles)
        if (role.kind == kind) found = FindCompound(*name, Candidates(role));
    if (found.status == LookupStatus::NotFound) found = FindCompound(*name, OfKind(kind));
    if (found.status == LookupStatus::NotFound)
        error = std::string("no ") + kindWord + " matches \"" + *name + "\"";
    if (found.status == LookupStatus::Ambiguous) {
        error = "\"" + *name + "\" matches several " + kindWord + "s:";
        for (std::size_t i = 0; i < found.candidates.size(); ++i)
            error += (i == 0 ? " " : ", ") + found.candidates[i]->name;
    }
    return found.compound;
}

} // namespace

Filling FillConstantsByName(const engine::ProblemType& problem,
                            const std::optional<std::string>& acidName,
                            const std::optional<std::string>& baseName) {
    const std::vector<ConstantRole> roles = ConstantRoles(problem);
    std::string error;
    const Compound* acid = lookUp(roles, acidName, Kind::Acid, error);
    const Compound* base = lookUp(roles, baseName, Kind::Base, error);
    if (!error.empty()) return {{}, error};
    return FillConstants(problem, acid, base);
}

} // namespace corvane::compounds
