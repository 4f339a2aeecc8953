// \brief The graph kinds a problem code offers, by number and title, for "list" and
// "graph CODE --kinds".
#pragma once

#include "engine/catalogue.h"

#include <iosfwd>

namespace corvane::cli {

/// One line "  graph KIND<TAB>title" per kind the code offers, as "list" shows them.
void WriteGraphKindLines(const engine::ProblemType& problem, std::ostream& out);

/// "KIND<TAB>title" per kind, or with json {"code": ..., "kinds": [{"kind": K, "title": ...}]}.
void WriteGraphKinds(const engine::ProblemType& problem, bool json, std::ostream& out);

} // namespace corvane::cli
