#include "fit.h"

#include "guess.h"
#include "titrationmodel.h"

#include "engine/catalogue.h"
#include "engine/quantity.h"
#include "engine/reason.h"

#include <gsl/gsl_blas.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit_nlinear.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

namespace corvane::fit {

namespace {

constexpr int MaxIterations = 200;
// A point whose pH cannot be computed counts as this far off, so that the step is refused.
constexpr double FailedResidual = 100;
// Log10 of a fitted value beyond this is no chemistry any more.
constexpr double MaxLog = 100;
// Singular values below this fraction of the largest make the Jacobian singular.
constexpr double SingularRatio = 1e-9;
// The spread of the pK starts around the guess, in pK units.
constexpr std::array<double, 3> PKShifts{0, -2, 2};

struct Workspace {
    explicit Workspace(gsl_multifit_nlinear_fdf& fdf) {
        gsl_multifit_nlinear_parameters parameters = gsl_multifit_nlinear_default_parameters();
        parameters.trs = gsl_multifit_nlinear_trs_lm;
        parameters.fdtype = GSL_MULTIFIT_NLINEAR_CTRDIFF;
        parameters.h_df = 1e-6;
        w = gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &parameters, fdf.n, fdf.p);
    }
    ~Workspace() { gsl_multifit_nlinear_free(w); }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    gsl_multifit_nlinear_workspace* w;
};

struct VectorDeleter {
    void operator()(gsl_vector* v) const { gsl_vector_free(v); }
};
struct MatrixDeleter {
    void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
};
using Vector = std::unique_ptr<gsl_vector, VectorDeleter>;
using Matrix = std::unique_ptr<gsl_matrix, MatrixDeleter>;

Vector vectorOf(const std::vector<double>& values) {
    Vector v(gsl_vector_alloc(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        gsl_vector_set(v.get(), i, values[i]);
    return v;
}

// The problem the callbacks see: slots take 10^θ, the offset θ itself.
struct Problem {
    const FitRequest& request;

    void apply(const gsl_vector* theta, engine::Slots& values, double& offset) const {
        values = request.values;
        offset = request.offset;
        for (std::size_t i = 0; i < request.unknowns.size(); ++i) {
            const double t = gsl_vector_get(theta, i);
            if (request.unknowns[i] == PHOffset)
                offset = t;
            else
                values[request.unknowns[i]] = std::pow(10.0, t);
        }
    }

    bool inRange(const gsl_vector* theta) const {
        for (std::size_t i = 0; i < theta->size; ++i)
            if (!(std::abs(gsl_vector_get(theta, i)) <= MaxLog)) return false;
        return true;
    }

    void residuals(const gsl_vector* theta, gsl_vector* f) const {
        if (!inRange(theta)) {
            gsl_vector_set_all(f, FailedResidual);
            return;
        }
        engine::Slots values;
        double offset;
        apply(theta, values, offset);
        const TitrationModel model(request.code, values, request.pKw, request.activity,
                                   request.temperature);
        for (std::size_t j = 0; j < request.points.size(); ++j) {
            const MeasuredPoint& p = request.points[j];
            const double pH = model.pH(p.x);
            gsl_vector_set(f, j, std::isfinite(pH) ? pH + offset - p.y : FailedResidual);
        }
    }
};

int residualCallback(const gsl_vector* theta, void* problem, gsl_vector* f) {
    static_cast<const Problem*>(problem)->residuals(theta, f);
    return GSL_SUCCESS;
}

// The flask's unknown amounts from the equivalence n·C·V0 = titrant·V_eq at a guessed V_eq:
// the last unknown of the three follows from the others, which take usual lab values.
bool guessFlask(const FitRequest& request, double Veq, engine::Slots& values) {
    const FlaskSlots f = FlaskSlotsOf(request.code);
    auto unknown = [&](int slot) {
        return std::find(request.unknowns.begin(), request.unknowns.end(), slot) !=
               request.unknowns.end();
    };
    const double n = TitratedProtons(request.code);
    if (unknown(f.titrant) && unknown(f.analyte)) values[f.titrant] = 0.1;
    if (unknown(f.volume) && (unknown(f.analyte) || unknown(f.titrant))) values[f.volume] = 25;
    if (unknown(f.analyte))
        values[f.analyte] = values[f.titrant] * Veq / (n * values[f.volume]);
    else if (unknown(f.titrant))
        values[f.titrant] = n * values[f.analyte] * values[f.volume] / Veq;
    else if (unknown(f.volume))
        values[f.volume] = values[f.titrant] * Veq / (n * values[f.analyte]);
    for (int slot : {f.analyte, f.volume, f.titrant})
        if (!(values[slot] > 0) || !std::isfinite(values[slot])) return false;
    return true;
}

std::vector<double> thetaOf(const FitRequest& request, const engine::Slots& values, double offset) {
    std::vector<double> theta;
    for (int slot : request.unknowns)
        theta.push_back(slot == PHOffset ? offset : std::log10(values[slot]));
    return theta;
}

// The request's own values when it gives all of them, then the guesses read off the data at
// each equivalence point the steepest step may be, with the pK values spread around theirs.
std::vector<std::vector<double>> startsOf(const FitRequest& request) {
    std::vector<std::vector<double>> starts;
    const bool given = std::all_of(request.unknowns.begin(), request.unknowns.end(), [&](int s) {
        return s == PHOffset || (engine::IsKnown(request.values[s]) && request.values[s] > 0);
    });
    if (given) starts.push_back(thetaOf(request, request.values, request.offset));

    const bool constants = std::any_of(request.unknowns.begin(), request.unknowns.end(),
                                       [&](int s) { return IsConstantSlot(request.code, s); });
    const int n = TitratedProtons(request.code);
    const double step = SteepestStepVolume(request.points);
    if (!std::isfinite(step) || step <= 0) return starts;
    for (int j = n; j >= 1; --j) {
        const double Veq = step * n / j;
        engine::Slots values = request.values;
        if (!guessFlask(request, Veq, values)) continue;
        for (double shift : PKShifts) {
            for (int slot : request.unknowns)
                if (IsConstantSlot(request.code, slot)) {
                    double pK = GuessedPK(request.points, request.code, slot, Veq, request.pKw);
                    if (!std::isfinite(pK)) pK = 7;
                    values[slot] = std::pow(10.0, -(pK + shift));
                }
            starts.push_back(thetaOf(request, values, request.offset));
            if (!constants) break;
        }
    }
    return starts;
}

struct Run {
    bool converged = false;
    double cost = 0; // Σ r²
    std::vector<double> theta;
};

// A run ends well when GSL's tests pass, or when no step lowers the cost any more at a point
// where the gradient is already negligible (the noise of the computed pH stops it there).
Run runFrom(gsl_multifit_nlinear_fdf& fdf, const std::vector<double>& start) {
    Workspace space(fdf);
    Vector x = vectorOf(start);
    Run run;
    if (gsl_multifit_nlinear_init(x.get(), &fdf, space.w) != GSL_SUCCESS) return run;
    int info = 0;
    int status = gsl_multifit_nlinear_driver(MaxIterations, 1e-10, 1e-10, 0.0, nullptr, nullptr,
                                             &info, space.w);
    if (status == GSL_ENOPROG) status = gsl_multifit_nlinear_test(1e-7, 1e-6, 0.0, &info, space.w);
    const gsl_vector* theta = gsl_multifit_nlinear_position(space.w);
    const gsl_vector* f = gsl_multifit_nlinear_residual(space.w);
    gsl_blas_ddot(f, f, &run.cost);
    run.converged = status == GSL_SUCCESS && std::isfinite(run.cost) &&
                    gsl_vector_max(f) < FailedResidual && gsl_vector_min(f) > -FailedResidual;
    for (std::size_t i = 0; i < theta->size; ++i)
        run.theta.push_back(gsl_vector_get(theta, i));
    return run;
}

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

// The Jacobian at θ, by the same central differences the runs use.
Matrix jacobianAt(gsl_multifit_nlinear_fdf& fdf, const std::vector<double>& theta) {
    Workspace space(fdf);
    Vector x = vectorOf(theta);
    Matrix J(gsl_matrix_alloc(fdf.n, fdf.p));
    gsl_multifit_nlinear_init(x.get(), &fdf, space.w);
    gsl_matrix_memcpy(J.get(), gsl_multifit_nlinear_jac(space.w));
    return J;
}

// The unknowns the data leave undetermined: those that carry the direction of the smallest
// singular value, when it is negligible beside the largest.
std::vector<int> singularUnknowns(const gsl_matrix* J) {
    const std::size_t p = J->size2;
    Matrix A(gsl_matrix_alloc(J->size1, p));
    gsl_matrix_memcpy(A.get(), J);
    Matrix V(gsl_matrix_alloc(p, p));
    Vector S(gsl_vector_alloc(p)), work(gsl_vector_alloc(p));
    gsl_linalg_SV_decomp(A.get(), V.get(), S.get(), work.get());
    const double largest = gsl_vector_get(S.get(), 0), smallest = gsl_vector_get(S.get(), p - 1);
    std::vector<int> unknowns;
    if (largest > 0 && smallest > SingularRatio * largest) return unknowns;
    double biggest = 0;
    for (std::size_t i = 0; i < p; ++i)
        biggest = std::max(biggest, std::abs(gsl_matrix_get(V.get(), i, p - 1)));
    for (std::size_t i = 0; i < p; ++i)
        if (largest == 0 || std::abs(gsl_matrix_get(V.get(), i, p - 1)) >= 0.1 * biggest)
            unknowns.push_back(static_cast<int>(i));
    return unknowns;
}

} // namespace

FitResult FitTitration(const FitRequest& request) {
    gsl_set_error_handler_off();
    FitResult result;
    const std::size_t n = request.points.size(), p = request.unknowns.size();
    result.points = static_cast<int>(n);
    if (p == 0) {
        result.reason = "no unknown to fit";
        return result;
    }
    if (n <= p) {
        result.reason = "a fit of " + std::to_string(p) + " unknowns needs more than " +
                        std::to_string(p) + " points, not " + std::to_string(n);
        return result;
    }

    Problem problem{request};
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = residualCallback;
    fdf.n = n;
    fdf.p = p;
    fdf.params = &problem;

    const std::vector<std::vector<double>> starts = startsOf(request);
    if (starts.empty()) {
        result.reason = "the fit has no start: the data show no step to read the equivalence "
                        "from, and not every unknown has a given value";
        return result;
    }
    Run best;
    for (const std::vector<double>& start : starts) {
        Run run = runFrom(fdf, start);
        if (run.converged && (!best.converged || run.cost < best.cost)) best = std::move(run);
    }
    if (!best.converged) {
        result.reason =
            "the fit did not converge from any of " + std::to_string(starts.size()) + " starts";
        return result;
    }

    auto names = [&](const std::vector<int>& indices) {
        std::vector<std::string> words;
        for (int i : indices)
            words.push_back(UnknownName(request.code, request.unknowns[i]));
        return engine::JoinNames(words);
    };
    const Matrix J = jacobianAt(fdf, best.theta);
    if (const std::vector<int> singular = singularUnknowns(J.get()); !singular.empty()) {
        result.reason = "the data do not determine " + names(singular) +
                        ": the Jacobian of the fit is singular";
        return result;
    }
    Matrix covariance(gsl_matrix_alloc(p, p));
    gsl_multifit_nlinear_covar(J.get(), 0.0, covariance.get());
    for (std::size_t i = 0; i < p; ++i)
        for (std::size_t k = i + 1; k < p; ++k) {
            const double r = gsl_matrix_get(covariance.get(), i, k) /
                             std::sqrt(gsl_matrix_get(covariance.get(), i, i) *
                                       gsl_matrix_get(covariance.get(), k, k));
            if (std::abs(r) > MaxCorrelation) {
                result.reason = "the data cannot tell " +
                                names({static_cast<int>(i), static_cast<int>(k)}) +
                                " apart: their estimated correlation is " + number(r);
                return result;
            }
        }

    const double variance = best.cost / static_cast<double>(n - p);
    Vector theta = vectorOf(best.theta);
    problem.apply(theta.get(), result.values, result.offset);
    for (std::size_t i = 0; i < p; ++i) {
        const int slot = request.unknowns[i];
        const double seTheta = std::sqrt(variance * gsl_matrix_get(covariance.get(), i, i));
        const double value = slot == PHOffset ? result.offset : result.values[slot];
        result.fitted.push_back(
            {slot, value, slot == PHOffset ? seTheta : value * std::log(10.0) * seTheta});
    }
    double mean = 0;
    for (const MeasuredPoint& point : request.points)
        mean += point.y / static_cast<double>(n);
    double total = 0;
    for (const MeasuredPoint& point : request.points)
        total += (point.y - mean) * (point.y - mean);
    result.rms = std::sqrt(best.cost / static_cast<double>(n));
    result.r2 = total > 0 ? 1 - best.cost / total : 0;
    return result;
}

std::string UnknownName(std::string_view code, int slot) {
    if (slot == PHOffset) return "pH_offset";
    const engine::ProblemType* problem = engine::FindProblem(code);
    const engine::SlotRow* row = problem ? engine::FindRow(*problem, slot) : nullptr;
    return row ? std::string(engine::SymbolName(row->quantity)) : "slot " + std::to_string(slot);
}

} // namespace corvane::fit
