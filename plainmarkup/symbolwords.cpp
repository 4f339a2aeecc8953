#include "symbolwords.h"

namespace corvane::markup {

namespace {

// Symbol font entries, then the four of MT Extra.
constexpr SymbolWord SymbolFont[] = {
    {"&alfa", 'a', "α"},  {"&beta", 'b', "β"},    {"&gamma", 'g', "γ"},   {"&Gamma", 'G', "Γ"},
    {"&delta", 'd', "δ"}, {"&Delta", 'D', "Δ"},   {"&epsilon", 'e', "ε"}, {"&zeta", 'z', "ζ"},
    {"&eta", 'h', "η"},   {"&teta", 'q', "θ"},    {"&Teta", 'Q', "Θ"},    {"&iota", 'i', "ι"},
    {"&kappa", 'k', "κ"}, {"&lambda", 'l', "λ"},  {"&Lambda", 'L', "Λ"},  {"&mu", 'm', "μ"},
    {"&nu", 'n', "ν"},    {"&xi", 'x', "ξ"},      {"&Xi", 'X', "Ξ"},      {"&pi", 'p', "π"},
    {"&Pi", 'P', "Π"},    {"&ro", 'r', "ρ"},      {"&sigma", 's', "σ"},   {"&Sigma", 'S', "Σ"},
    {"&tau", 't', "τ"},   {"&ypsilon", 'u', "υ"}, {"&Ypsilon", 161, "ϒ"}, {"&fi", 'j', "ϕ"},
    {"&Fi", 'F', "Φ"},    {"&ji", 'c', "χ"},      {"&psi", 'y', "ψ"},     {"&Psi", 'Y', "Ψ"},
    {"&omega", 'w', "ω"}, {"&Omega", 'W', "Ω"},   {"&ald", 220, "⇐"},     {"&aud", 221, "⇑"},
    {"&ard", 222, "⇒"},   {"&add", 223, "⇓"},     {"&alrd", 219, "⇔"},    {"&als", 172, "←"},
    {"&aus", 173, "↑"},   {"&ars", 174, "→"},     {"&ads", 175, "↓"},     {"&alrs", 171, "↔"},
    {"&divi", 184, "÷"},  {"&!=", 185, "≠"},      {"&vacio", 198, "∅"},   {"&iorden", 187, "≈"},
    {"&aprox", 64, "≅"},  {"&real", 194, "ℜ"},    {"&<=", 163, "≤"},      {"&>=", 179, "≥"},
    {"&oo", 165, "∞"},    {"&Vacio", 198, "∅"},   {"&theta", 'q', "θ"},   {"&Theta", 'Q', "Θ"},
    {"&perte", 206, "∈"}, {"&nabla", 209, "∇"},   {"&perpen", '^', "⊥"},  {"&todo", 34, "∀"},
    {"&exist", '$', "∃"}, {"&parci", 182, "∂"},   {"&itg", 242, "∫"},     {"&pm", 177, "±"},
    {"&aspa", 180, "×"},  {"&noperte", 207, "∉"}, {"&TRE", 167, "♣"},     {"&DIA", 168, "♦"},
    {"&COR", 169, "♥"},   {"&PIC", 170, "♠"},     {"&rho", 'r', "ρ"},     {"&and", 217, "∧"},
    {"&or", 218, "∨"},
};

constexpr SymbolWord MtExtraFont[] = {
    {"&union", 'U', "∪"},
    {"&inter", 'I', "∩"},
    {"&mp", 'm', "∓"},
    {"&hbar", 'h', "ℏ"},
};

} // namespace

std::span<const SymbolWord> SymbolFontWords() {
    return SymbolFont;
}

std::span<const SymbolWord> MtExtraWords() {
    return MtExtraFont;
}

} // namespace corvane::markup
