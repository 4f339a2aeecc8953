#include "graphkinds.h"

#include "request.h"

#include "graphs/catalogue.h"

#include <ostream>

namespace corvane::cli {

namespace {

// The title as the graph type chooser lists it, in plain characters.
std::string kindTitle(int kind) {
    return graphs::PlainTitle(graphs::ListTitle(graphs::Catalogue().GraphKindTitle[kind]));
}

std::vector<int> offered(const engine::ProblemType& problem) {
    return graphs::OfferedKinds(graphs::Catalogue(), problem.code);
}

} // namespace

void WriteGraphKindLines(const engine::ProblemType& problem, std::ostream& out) {
    for (int kind : offered(problem))
        out << "  graph " << kind << '\t' << kindTitle(kind) << '\n';
}

void WriteGraphKinds(const engine::ProblemType& problem, bool json, std::ostream& out) {
    if (!json) {
        for (int kind : offered(problem))
            out << kind << '\t' << kindTitle(kind) << '\n';
        return;
    }
    out << "{\"code\":" << jsonString(problem.code) << ",\"kinds\":[";
    bool first = true;
    for (int kind : offered(problem)) {
        out << (first ? "" : ",") << "{\"kind\":" << kind
            << ",\"title\":" << jsonString(kindTitle(kind)) << "}";
        first = false;
    }
    out << "]}\n";
}

} // namespace corvane::cli
