#include "mixcomponents.h"

#include "request.h"

namespace corvane::cli {

engine::Component ComponentNamed(const std::string& name, double pKw) {
    try {
        return compounds::ComponentNamed(name, pKw);
    } catch (const compounds::ComponentNameError& e) {
        throw UsageError{e.message};
    }
}

} // namespace corvane::cli
