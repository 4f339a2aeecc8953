// A graph window on the state a window test owns, shown with its curves drawn.
#pragma once

#include "tests/support/fakedesktop.h"

#include "windows/formgraficaab.h"

#include <QtTest>

#include <memory>

namespace corvane::windows::test {

/// Opens the window on a fresh context over `shared`, kept in `context`, and waits for the
/// deferred drawing of the curves.
inline std::unique_ptr<FormGraficaAB>
OpenGraphWindow(windows::test::Shared& shared, std::unique_ptr<windows::WindowContext>& context,
                int width = 1000, int height = 720) {
    context = std::make_unique<windows::WindowContext>(shared.context());
    auto w = std::make_unique<FormGraficaAB>(*context);
    w->resize(width, height);
    w->show();
    // The tests that need the curves check them.
    [[maybe_unused]] const bool drawn =
        QTest::qWaitFor([&w] { return !w->deferredDraw().isActive(); }, 10000);
    return w;
}

} // namespace corvane::windows::test
