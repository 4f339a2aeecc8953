// \brief Names of the IOValues slots by family of problems, for code that reads or writes a
// slot directly. The slot tables of the catalogue place every row of every code; these names
// agree with them.
#pragma once

namespace corvane::engine::slot {

/// Single solutions of an acid or a base (10 to 15).
namespace solution {
inline constexpr int C = 0;     // C_a or C_b
inline constexpr int PH = 1;    // pH
inline constexpr int H = 2;     // [H+]
inline constexpr int K = 3;     // k_a, k_b or k_1
inline constexpr int Alpha = 4; // alpha of a weak monoprotic acid or base
inline constexpr int K2 = 4;    // k_2
inline constexpr int K3 = 5;    // k_3
} // namespace solution

/// Salt hydrolysis (20 to 23); the neutral salt 20 writes its results from slot 6 on.
namespace salt {
inline constexpr int CS = 0;        // C_S
inline constexpr int PH = 1;        // pH
inline constexpr int Ka = 3;        // k_a
inline constexpr int Kb = 4;        // k_b
inline constexpr int NeutralPH = 6; // code 20: pH, [H+], [OH-], [A-], [B+]
inline constexpr int NeutralH = 7;
inline constexpr int NeutralOH = 8;
inline constexpr int NeutralAnion = 9;
inline constexpr int NeutralCation = 10;
} // namespace salt

/// Mixtures of an acid and a base (30 to 35).
namespace mixture {
inline constexpr int Ca = 0; // C_a
inline constexpr int Cb = 1; // C_b
inline constexpr int PH = 2; // pH
inline constexpr int Ka = 3; // k_a or k_1
inline constexpr int Kb = 4; // k_b or k_2
inline constexpr int K3 = 5; // k_3
} // namespace mixture

/// Buffers (40 to 45); with a strong acid or base added (42 to 45) the graphs' added volume
/// takes two more slots.
namespace buffer {
inline constexpr int C = 0;                   // C_a or C_b of the weak partner
inline constexpr int CS = 1;                  // C_S
inline constexpr int PH = 2;                  // pH
inline constexpr int K = 3;                   // k_a or k_b
inline constexpr int Added = 4;               // C_SA or C_SB
inline constexpr int Volume = 15;             // the buffer solution's volume in mL
inline constexpr int AddedConcentration = 16; // of the added strong acid or base, mol/L
} // namespace buffer

/// Titrations of a monoprotic acid or base (50 to 53).
namespace titration {
inline constexpr int C = 0;       // C_a or C_b in the flask
inline constexpr int V = 1;       // V_a or V_b
inline constexpr int K = 2;       // k_a or k_b
inline constexpr int Titrant = 3; // C_SB or C_SA
inline constexpr int Veq = 4;     // the equivalence volume
inline constexpr int PHeq = 5;    // the pH there
inline constexpr int Slope = 15;  // |ΔpH/ΔV| at the equivalence point
} // namespace titration

/// Titrations of a diprotic or triprotic acid (54 to 55C).
namespace polyprotic_titration {
inline constexpr int Ca = 0;      // C_a
inline constexpr int Va = 1;      // V_a
inline constexpr int K1 = 3;      // k_1
inline constexpr int K2 = 4;      // k_2
inline constexpr int K3 = 5;      // k_3
inline constexpr int Titrant = 6; // C_SB
inline constexpr int Veq = 7;     // the last equivalence volume
inline constexpr int PHeq = 8;    // the pH there
inline constexpr int Veq1 = 10;   // the first equivalence volume and its pH
inline constexpr int PHeq1 = 11;
inline constexpr int Veq2 = 13; // the second, of a triprotic acid
inline constexpr int PHeq2 = 14;
inline constexpr int Slope = 15; // |ΔpH/ΔV| at the last equivalence point
} // namespace polyprotic_titration

} // namespace corvane::engine::slot
